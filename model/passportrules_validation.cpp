// The number and year rules bound to OnValidate (and the showing-up year's OnChange): a refused value
// empties its field and, where the rule says so, the user is told why.
#include "model/datamodule.h"
#include "model/passportrules.h"
#include "model/validation.h"

namespace tarvena {
namespace {

using namespace validation;

std::optional<double> floatValue(const Field *field)
{
    if (!field || field->IsNull())
        return std::nullopt;
    return field->AsFloat();
}

std::optional<int> yearValue(const MemTable &table, const char *name)
{
    const Field &field = table.FieldByName(name);
    if (field.IsNull())
        return std::nullopt;
    return field.AsInteger();
}

std::string replaceAll(std::string text, const std::string &from, const std::string &to)
{
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

// The MIN/MAX partner is found by the field's full name (table name and field name): every "MAX"
// becomes "MIN", or else every "MIN" becomes "MAX". Only a Float partner takes part.
Field *pairPartner(const Field &field, PairRole &role)
{
    const std::string &tableName = field.table().Name();
    const std::string fullName = tableName + field.FieldName();
    std::string partnerName;
    if (fullName.find("MAX") != std::string::npos) {
        role = PairRole::Max;
        partnerName = replaceAll(fullName, "MAX", "MIN");
    } else if (fullName.find("MIN") != std::string::npos) {
        role = PairRole::Min;
        partnerName = replaceAll(fullName, "MIN", "MAX");
    } else {
        role = PairRole::None;
        return nullptr;
    }
    Field *partner = nullptr;
    if (partnerName.compare(0, tableName.size(), tableName) == 0)
        partner = field.table().FindField(partnerName.substr(tableName.size()));
    if (!partner || partner->DataType() != FieldType::Float) {
        role = PairRole::None;
        return nullptr;
    }
    return partner;
}

// LONGAXIS and SHORTAXIS of either horizon table are each other's partners.
Field *axisPartner(const Field &field, AxisRole &role)
{
    role = AxisRole::None;
    const std::string &table = field.table().Name();
    if (table != "REFLECT_HORIZONTS" && table != "POSIB_PRODUCT_HOR")
        return nullptr;
    if (field.FieldName() == "LONGAXIS") {
        role = AxisRole::Long;
        return field.table().FindField("SHORTAXIS");
    }
    if (field.FieldName() == "SHORTAXIS") {
        role = AxisRole::Short;
        return field.table().FindField("LONGAXIS");
    }
    return nullptr;
}

} // namespace

void PassportRules::validateFloat(Field &field, bool atMostOne)
{
    if (field.IsNull())
        return;
    FloatCheck check;
    check.value = field.AsFloat();
    check.atMostOne = atMostOne;
    check.loading = mDm.PassportLoading;
    if (!atMostOne)
        check.axisPartner = floatValue(axisPartner(field, check.axis));
    if (check.axis == AxisRole::None)
        check.pairPartner = floatValue(pairPartner(field, check.pair));
    apply(field, checkFloat(check));
}

void PassportRules::ValidateFloatFieldGrt0(Field &field)
{
    validateFloat(field, false);
}

void PassportRules::ValidateFloatFieldGrt0Lower1(Field &field)
{
    validateFloat(field, true);
}

void PassportRules::ValidateIntFieldGrt0(Field &field)
{
    if (!field.IsNull())
        apply(field, checkPositiveInteger(field.AsInteger(), mDm.PassportLoading));
}

void PassportRules::REFLECT_HORIZONTSIZOGIPSMARKValidate(Field &field)
{
    if (!field.IsNull())
        apply(field, checkIsohypse(field.AsFloat(), mDm.PassportLoading));
}

void PassportRules::apply(Field &field, const Verdict &verdict)
{
    if (!verdict.clear)
        return;
    field.Clear();
    if (verdict.message)
        showMessage(verdict.message);
}

// The year rules speak also while a passport is being opened.
void PassportRules::validateYear(Field &field, YearKind kind)
{
    if (field.IsNull())
        return;
    const MemTable &t = field.table();
    Years years;
    years.showingUp = yearValue(t, "SHOWINGUPYEAR");
    years.start = yearValue(t, "STARTPREPARATIONYEAR");
    years.end = yearValue(t, "ENDPREPARATIONYEAR");
    years.report = yearValue(t, "REPORTYEAR");
    years.fund = yearValue(t, "PREPAREDFUNDYEAR");
    const Verdict verdict = checkYear(kind, years, currentYear());
    if (!verdict.clear)
        return;
    apply(field, verdict);
}

void PassportRules::PASPORTSSTARTPREPARATIONYEARValidate(Field &field)
{
    validateYear(field, YearKind::Start);
}

void PassportRules::PASPORTSENDPREPARATIONYEARValidate(Field &field)
{
    validateYear(field, YearKind::End);
}

void PassportRules::PASPORTSREPORTYEARValidate(Field &field)
{
    validateYear(field, YearKind::Report);
}

void PassportRules::PASPORTSPREPAREDFUNDYEARValidate(Field &field)
{
    validateYear(field, YearKind::Fund);
}

// A new showing-up year re-checks the whole chronology on the years as they stand.
void PassportRules::PASPORTSSHOWINGUPYEARChange(Field &field)
{
    if (field.IsNull())
        return;
    if (!isPlausibleYear(field.AsInteger(), currentYear()))
        field.Clear();
    MemTable &t = field.table();
    PASPORTSSTARTPREPARATIONYEARValidate(t.FieldByName("STARTPREPARATIONYEAR"));
    PASPORTSENDPREPARATIONYEARValidate(t.FieldByName("ENDPREPARATIONYEAR"));
    PASPORTSREPORTYEARValidate(t.FieldByName("REPORTYEAR"));
    PASPORTSPREPAREDFUNDYEARValidate(t.FieldByName("PREPAREDFUNDYEAR"));
}

} // namespace tarvena
