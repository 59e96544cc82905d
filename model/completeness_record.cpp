// The passport check of the record: the fields the catalogue requires of the groups that apply, one
// subject of the federation, the parameters of the preparation method and the order of the years.
#include "model/completeness_checks.h"
#include "model/controlrules.h"
#include "model/datamodule.h"
#include "model/recordfields.h"
#include "model/validation.h"
#include "storage/codepage.h"

#include <algorithm>
#include <array>
#include <optional>

namespace tarvena::completeness {

namespace {

// The page each group is shown on.
TablePage groupPage(RecordGroup group)
{
    switch (group) {
    case RecordGroup::Geography:
        return TablePage::Geography;
    case RecordGroup::History:
        return TablePage::History;
    case RecordGroup::Geology:
        return TablePage::Geology;
    case RecordGroup::Economics:
        return TablePage::Economics;
    default:
        return TablePage::Methods;
    }
}

// The survey groups a preparation method is described by; for more than one, any of them will do.
struct MethodGroups
{
    int method; // PREPARATIONMETHOD_ID
    std::vector<RecordGroup> groups;
};

const std::vector<MethodGroups> &methodGroups()
{
    static const std::vector<MethodGroups> table = {
        {89, {RecordGroup::Seismic2D, RecordGroup::Seismic3D}},
        {controlrules::kOtherMethod, {RecordGroup::OtherMethod}},
        {5004, {RecordGroup::Electrical}},
        {5007, {RecordGroup::StructuralDrilling}},
    };
    return table;
}

// The years the year rules of the record keep in order, by the field and control that hold them.
struct YearField
{
    validation::YearKind kind;
    const char *field;
};
constexpr std::array<YearField, 4> kYears = {{
    {validation::YearKind::Start, "STARTPREPARATIONYEAR"},
    {validation::YearKind::End, "ENDPREPARATIONYEAR"},
    {validation::YearKind::Report, "REPORTYEAR"},
    {validation::YearKind::Fund, "PREPAREDFUNDYEAR"},
}};

constexpr std::array<const char *, 3> kRegions = {"REPUBLIC_ID", "KRAI_ID", "OBLAST_ID"};

// The stored field a row writes: a scale's or a unit's display field names it after its "_".
const char *storedField(const RecordField &row)
{
    return row.kind == FieldKind::Scale || row.kind == FieldKind::Unit ? row.field + 1 : row.field;
}

class Record
{
public:
    explicit Record(const MemTable &table) : mTable(table) {}

    Value value(const char *field) const { return mTable.FieldByName(field).value(); }
    // Empty: null, blank text, or a list's empty entry 0.
    bool filled(const char *field) const
    {
        const Value v = value(field);
        if (const auto *text = std::get_if<std::string>(&v))
            return std::any_of(text->begin(), text->end(), [](char c) { return c != ' '; });
        if (const auto *key = std::get_if<std::int64_t>(&v))
            return *key != 0 || !isListField(field);
        return !std::holds_alternative<std::monostate>(v);
    }
    std::optional<std::int64_t> whole(const char *field) const
    {
        const Value v = value(field);
        if (const auto *key = std::get_if<std::int64_t>(&v))
            return *key;
        return std::nullopt;
    }

private:
    static bool isListField(const char *field)
    {
        const RecordField *row = findRecordField(RecordGroup::Geography, RecordGroup::Economics, field);
        return row && row->kind == FieldKind::List;
    }
    const MemTable &mTable;
};

std::string captionOf(const RecordField &row)
{
    std::string caption(sheetCaption(row));
    std::replace(caption.begin(), caption.end(), '\n', ' ');
    while (!caption.empty() && caption.back() == ' ')
        caption.pop_back();
    return caption;
}

// Whether the rules of the dependent controls leave the field open and, for a list, whether its free
// text companion stands in for it.
struct Dependence
{
    bool open = true;
    const char *companion = nullptr;
};

Dependence dependence(const Record &record, const char *field)
{
    Dependence result;
    for (const controlrules::DependentControl &control : controlrules::dependentControls()) {
        if (control.rule == controlrules::DependentRule::FreeText) {
            if (std::string_view(control.decider) == field)
                result.companion = control.dependent;
        } else if (std::string_view(control.dependent) == field) {
            result.open = controlrules::dependentState(control.rule, record.value(control.decider)).enabled;
        }
    }
    return result;
}

void checkFields(const Record &record, const RecordGroupInfo &group, FindingList &list)
{
    for (const RecordField &row : group.fields) {
        if (row.requiredForSubmission == Submission::Optional)
            continue;
        const char *field = storedField(row);
        const Dependence dependent = dependence(record, field);
        if (!dependent.open || record.filled(field) ||
            (dependent.companion && record.filled(dependent.companion)))
            continue;
        const Check check =
            row.requiredForSubmission == Submission::Required ? Check::RequiredField : Check::AdvisedField;
        Place place = list.place(check, row.control, "");
        place.page = groupPage(group.group);
        list.add(check, {captionOf(row)}, place);
    }
}

bool groupUsed(const Record &record, RecordGroup group)
{
    const auto fields = recordFields(group);
    return std::any_of(fields.begin(), fields.end(), [&](const RecordField &row) {
        return isTypedKind(row.kind) && record.filled(storedField(row));
    });
}

void checkSurvey(const Record &record, FindingList &list)
{
    const std::optional<std::int64_t> method = record.whole("PREPARATIONMETHOD_ID");
    const auto found = std::find_if(methodGroups().begin(), methodGroups().end(),
                                    [&](const MethodGroups &entry) { return method == entry.method; });
    if (found == methodGroups().end())
        return;
    std::vector<RecordGroup> used;
    for (RecordGroup group : found->groups)
        if (found->groups.size() == 1 || groupUsed(record, group))
            used.push_back(group);
    if (used.empty()) {
        std::string names;
        for (RecordGroup group : found->groups)
            names += (names.empty() ? "" : " или ") + std::string(groupHeading(group));
        list.add(
            Check::NoSurveyParameters, {names},
            list.place(Check::NoSurveyParameters, recordFields(found->groups.front()).front().control, ""));
        return;
    }
    for (RecordGroup group : used)
        checkFields(record, recordGroup(group), list);
}

void checkRegions(const Record &record, FindingList &list)
{
    std::vector<const RecordField *> chosen;
    for (const char *field : kRegions)
        if (record.filled(field))
            chosen.push_back(&recordField(RecordGroup::Geography, RecordGroup::Geography, field));
    if (chosen.empty()) {
        list.add(Check::NoRegion, {});
    } else if (chosen.size() > 1) {
        std::string names;
        for (const RecordField *row : chosen)
            names += (names.empty() ? "" : ", ") + captionOf(*row);
        list.add(Check::SeveralRegions, {names}, list.place(Check::SeveralRegions, chosen[1]->control, ""));
    }
}

// A passport whose years went around the year rules (written by another program, say) breaks them here.
void checkYears(const Record &record, FindingList &list)
{
    const auto year = [&](const char *field) -> std::optional<int> {
        const auto value = record.whole(field);
        return value ? std::optional<int>(static_cast<int>(*value)) : std::nullopt;
    };
    const validation::Years years{year("SHOWINGUPYEAR"), year("STARTPREPARATIONYEAR"),
                                  year("ENDPREPARATIONYEAR"), year("REPORTYEAR"), year("PREPAREDFUNDYEAR")};
    for (const YearField &entry : kYears) {
        if (!year(entry.field))
            continue;
        const validation::Verdict verdict =
            validation::checkYear(entry.kind, years, validation::currentYear());
        if (!verdict.clear)
            continue;
        const RecordField &row = recordField(RecordGroup::History, RecordGroup::History, entry.field);
        list.add(Check::YearOrder,
                 {captionOf(row), verdict.message ? verdict.message : "год вне допустимых пределов"},
                 list.place(Check::YearOrder, row.control, ""));
        return; // one out of order puts another out with it: the first is the one to mend
    }
}

} // namespace

void checkRecord(const TDataModule2 &dm, FindingList &list)
{
    const Record record(dm.PASPORTS);
    for (RecordGroup group : {RecordGroup::Geography, RecordGroup::History, RecordGroup::Geology})
        checkFields(record, recordGroup(group), list);
    checkRegions(record, list);
    checkSurvey(record, list);
    checkYears(record, list);
}

} // namespace tarvena::completeness
