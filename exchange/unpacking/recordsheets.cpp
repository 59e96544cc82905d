#include "exchange/unpacking/recordsheets.h"

#include "exchange/unpacking/trimmed.h"
#include "exchange/workbooks/sheetwriter.h"
#include "model/controlrules.h"
#include "model/datamodule.h"
#include "model/numberformat.h"
#include "model/passportschema.h"
#include "model/recordfields.h"
#include "storage/codepage.h"
#include "storage/error.h"

#include <cstdint>
#include <iterator>
#include <span>
#include <variant>

namespace tarvena {

namespace {

// How the value of a row is taken from the passport record.
enum class Kind
{
    Section,    // a section heading: no value
    Text,       // AsString of field
    Number,     // FormatNumber of field
    Name,       // NAME of the entry of the field's dictionary view whose ID is the field
    Method,     // as Name, but the typed name in `other` for the other method
    BinSize,    // number of field, "X", number of other
    GeoName,    // NAME by field, a blank and the free text in other, trimmed
    StratRange, // top unit (field) and bottom unit (other) of the stratigraphic range, by the units'
                // display fields; the row is labelled by the range's heading
    Summary     // a line of the geology summary
};

// One row of a sheet. A row of the record names its field, whose row in the record catalogue gives
// its label and its dictionary; a section names the group whose heading it is. The rows of the
// geology summary are no fields of the record and carry their own labels (UTF-8).
struct Entry
{
    Kind kind;
    const char *label = nullptr;
    const char *field = nullptr;
    const char *other = nullptr;
    RecordGroup section = RecordGroup::Geography;
    SummaryLine line = {};
};

constexpr Entry row(Kind kind, const char *field, const char *other = nullptr)
{
    return {kind, nullptr, field, other};
}

constexpr Entry section(RecordGroup group)
{
    return {Kind::Section, nullptr, nullptr, nullptr, group};
}

constexpr Entry summaryRow(SummaryLine line)
{
    return {Kind::Summary, summaryCaption(line), nullptr, nullptr, RecordGroup::Geography, line};
}

// The region names are those of the passport's own fields, which the page-1 selectors show.
const Entry kGeography[] = {
    row(Kind::Text, "OBJECTNAME"), row(Kind::Name, "FEDERALOKRUG_ID"), row(Kind::Name, "REPUBLIC_ID"),
    row(Kind::Name, "KRAI_ID"),    row(Kind::Name, "OBLAST_ID"),
};

const Entry kHistory[] = {
    row(Kind::Text, "SHOWINGUPYEAR"),
    row(Kind::Method, "SHOWINGUPMETHOD_ID", "OTHERMETHOD2"),
    row(Kind::Text, "STARTPREPARATIONYEAR"),
    row(Kind::Text, "ENDPREPARATIONYEAR"),
    row(Kind::Method, "PREPARATIONMETHOD_ID", "OTHERMETHOD"),
    row(Kind::Text, "PREPARATIONORGANIZATION"),
    row(Kind::Text, "REPORTPREPARATION"),
    row(Kind::Text, "REPORTYEAR"),
    row(Kind::Text, "REPORTAUTHORS"),
    row(Kind::Text, "REPORTSTORINGPLACE"),
    row(Kind::Text, "PREPAREDFUNDYEAR"),
    row(Kind::Name, "AFFILATION_ID"),
    row(Kind::Text, "LICENSOR"),
    row(Kind::Text, "LICENCENUMBER"),
    row(Kind::Name, "LICENCETYPE_ID"),
    row(Kind::Text, "TERMINATIONLICENCE"),
    row(Kind::Text, "LICENCEREGION"),
};

const Entry kMethods[] = {
    section(RecordGroup::Seismic2D),
    row(Kind::Text, "_SHOOTSCALE"),
    row(Kind::Number, "GRIDDENCITY"),
    row(Kind::Text, "MOGTREPETISHIONS"),
    row(Kind::Number, "MAXDISTANCE"),
    row(Kind::Number, "MINDISTANCE"),
    row(Kind::Number, "RECIVESTEP"),
    row(Kind::Name, "DRIVINGTYPE_ID"),
    row(Kind::Name, "CHARGELOCATION_ID"),
    row(Kind::Name, "NONEXPLOSIVETYPE_ID"),
    section(RecordGroup::Seismic3D),
    row(Kind::Text, "MOGTREPETISHIONS3D"),
    row(Kind::Number, "MAXDISTANCE3D"),
    row(Kind::Number, "MINDISTANCE3D"),
    row(Kind::Number, "RECIVESTEP3D"),
    row(Kind::Number, "DRIVINGSTEP3D"),
    row(Kind::BinSize, "BINH", "BINW"),
    row(Kind::Name, "DRIVINGTYPE3D_ID"),
    row(Kind::Name, "CHARGELOCATION3D_ID"),
    row(Kind::Name, "NONEXPLOSIVETYPE3D_ID"),
    section(RecordGroup::Electrical),
    row(Kind::Text, "ELECTROMETHOD"),
    row(Kind::Text, "_SHOOTSCALEEL"),
    row(Kind::Number, "GRIDDENCITYEL"),
    row(Kind::Number, "STEPEL"),
    section(RecordGroup::OtherMethod),
    row(Kind::Text, "OTHERMETHOD"),
    row(Kind::Text, "_SHOOTSCALEOT"),
    row(Kind::Number, "GRIDDENCITYOT"),
    row(Kind::Text, "OBSERVATIONSYSTEM"),
    row(Kind::Number, "STEPOT"),
    section(RecordGroup::StructuralDrilling),
    row(Kind::Text, "_SHOOTSCALEST"),
    row(Kind::Text, "GRIDDENCITYST"),
};

// The last twelve rows are the lines of the geology page's summary, under the captions it shows.
const Entry kGeology[] = {
    row(Kind::GeoName, "GEO_PROVINCE_ID", "GEO_PROVINCE_DOP"),
    row(Kind::GeoName, "GEO_OBLAST_ID", "GEO_OBLAST_DOP"),
    row(Kind::GeoName, "GEO_RAION_ID", "GEO_RAION_DOP"),
    row(Kind::Text, "TEKTO1P"),
    row(Kind::Text, "TEKTO2P"),
    row(Kind::StratRange, "_STRATIGR_KROVL", "_STRATIGR_PODOSHV"),
    summaryRow(SummaryLine::ProductiveHorizons),
    summaryRow(SummaryLine::ReflectingHorizons),
    {Kind::Section, "Детерминированный подход"},
    summaryRow(SummaryLine::OilD0),
    summaryRow(SummaryLine::DissolvedGasD0),
    summaryRow(SummaryLine::GasD0),
    summaryRow(SummaryLine::CondensateD0),
    {Kind::Section, "Вероятностный подход"},
    summaryRow(SummaryLine::OilProbable),
    summaryRow(SummaryLine::OilRange),
    summaryRow(SummaryLine::DissolvedGasProbable),
    summaryRow(SummaryLine::DissolvedGasRange),
    summaryRow(SummaryLine::GasProbable),
    summaryRow(SummaryLine::GasRange),
    summaryRow(SummaryLine::CondensateProbable),
    summaryRow(SummaryLine::CondensateRange),
};

// A sheet shows the fields of the record groups first to last.
struct SheetDef
{
    const char *fileName;
    const char *title;
    std::span<const Entry> entries;
    RecordGroup first;
    RecordGroup last;
};

const SheetDef kSheets[] = {
    {"Таблица 1 География.xls", "Таблица 1. \"География\"", kGeography, RecordGroup::Geography,
     RecordGroup::Geography},
    {"Таблица 2 История.xls", "Таблица 2. \"История\"", kHistory, RecordGroup::History, RecordGroup::History},
    {"Таблица 3 Методика.xls", "Таблица 3. \"Методика\"", kMethods, RecordGroup::Seismic2D,
     RecordGroup::StructuralDrilling},
    {"Таблица 4 Геология.xls", "Таблица 4. \"Геология\"", kGeology, RecordGroup::Geology,
     RecordGroup::Geology},
};

const SheetDef &sheetDef(int table)
{
    if (table < 1 || table > static_cast<int>(std::size(kSheets)))
        throw Error("Нет листа паспорта с номером " + std::to_string(table) + ".");
    return kSheets[table - 1];
}

std::string cp(const char *utf8)
{
    return codepage::utf8ToCp1251(utf8);
}

// The values of the passport record as the sheets write them.
class RecordValues
{
public:
    RecordValues(TDataModule2 &dm, const SheetDef &sheet, const ResourceSummary &summary)
        : mDm(dm), mSheet(sheet), mSummary(summary)
    {}

    // The row's label, UTF-8.
    std::string label(const Entry &entry) const
    {
        if (entry.label)
            return entry.label;
        if (entry.kind == Kind::Section)
            return std::string(groupHeading(entry.section));
        const RecordField &shown = catalogued(entry.field);
        return entry.kind == Kind::StratRange ? shown.heading : std::string(sheetCaption(shown));
    }

    std::string value(const Entry &entry) const
    {
        switch (entry.kind) {
        case Kind::Section:
            return {};
        case Kind::Text:
            return field(entry.field).AsString();
        case Kind::Number:
            return FormatNumber(field(entry.field));
        case Kind::Name:
            return name(entry.field, entry.field);
        case Kind::Method:
            if (controlrules::otherMethodEnabled(field(entry.field).value()))
                return field(entry.other).AsString();
            return name(entry.field, entry.field);
        case Kind::BinSize:
            return FormatNumber(field(entry.field)) + "X" + FormatNumber(field(entry.other));
        case Kind::GeoName:
            return trimmed(name(entry.field, entry.field) + " " + field(entry.other).AsString());
        case Kind::StratRange:
            // The units' display fields name the stored keys without their leading "_".
            return unitCaption(entry.field, "") + name(entry.field, entry.field + 1) +
                   unitCaption(entry.other, "   ") + name(entry.other, entry.other + 1);
        case Kind::Summary:
            return summaryText(mSummary, entry.line);
        }
        return {};
    }

private:
    const Field &field(const char *name) const { return mDm.PASPORTS.FieldByName(name); }

    const RecordField &catalogued(const char *name) const
    {
        return recordField(mSheet.first, mSheet.last, name);
    }

    // "Кровля: ": the caption of a unit's control before its name.
    std::string unitCaption(const char *unit, const char *indent) const
    {
        return cp((std::string(indent) + catalogued(unit).caption + ": ").c_str());
    }

    // The NAME of the entry of the dictionary view of the catalogued field whose ID is the key's
    // integer value (an empty key reads as 0, the empty entry), among the entries the view's filter
    // lets through. An ID the view does not hold gives no name. The view's cursor stays where the
    // editor left it.
    std::string name(const char *catalogue, const char *key) const
    {
        const MemTable &dictionary = mDm.dict(catalogued(catalogue).dictionary);
        const Field &id = dictionary.FieldByName("ID");
        const Field &nameField = dictionary.FieldByName("NAME");
        const std::int64_t wanted = field(key).AsInteger();
        for (int row = 0, rows = dictionary.RecordCount(); row < rows; ++row) {
            const Value value = dictionary.valueAt(row, id);
            const auto *found = std::get_if<std::int64_t>(&value);
            if (found && *found == wanted) {
                const Value text = dictionary.valueAt(row, nameField);
                const auto *result = std::get_if<std::string>(&text);
                return result ? *result : std::string();
            }
        }
        return {};
    }

    TDataModule2 &mDm;
    const SheetDef &mSheet;
    const ResourceSummary &mSummary;
};

} // namespace

std::string FormatNumber(const Field &field)
{
    return field.IsNull() ? std::string() : numfmt::formatFloat(ResourceFormat, field.AsFloat());
}

std::string recordFieldText(TDataModule2 &dm, const std::string &field)
{
    const ResourceSummary none;
    for (const SheetDef &sheet : kSheets)
        for (const Entry &entry : sheet.entries)
            if (entry.field && entry.kind != Kind::Summary && field == entry.field)
                return RecordValues(dm, sheet, none).value(entry);
    throw Error("Поле " + field + " не показано ни в одном листе паспорта.");
}

std::string recordSheetFileName(int table)
{
    return sheetDef(table).fileName;
}

std::string recordSheetTitle(int table)
{
    return cp(sheetDef(table).title);
}

std::vector<RecordSheetRow> recordSheetRows(TDataModule2 &dm, int table, const ResourceSummary &summary)
{
    const SheetDef &sheet = sheetDef(table);
    const RecordValues values(dm, sheet, summary);
    std::vector<RecordSheetRow> rows;
    rows.reserve(sheet.entries.size());
    for (const Entry &entry : sheet.entries)
        rows.push_back(
            {codepage::utf8ToCp1251(values.label(entry)), values.value(entry), entry.kind == Kind::Section});
    return rows;
}

void writeRecordSheet(SheetWriter &writer, TDataModule2 &dm, int table, const std::string &path,
                      const ResourceSummary &summary)
{
    const SheetDef &sheet = sheetDef(table);
    // Every value is read before the old workbook is replaced, so a failing read leaves it alone.
    const std::vector<RecordSheetRow> rows = recordSheetRows(dm, table, summary);

    writer.BeginSpreadsheet(path);
    writer.SetColumnWidthChars(1, 100);
    writer.SetColumnWidthChars(2, 50);
    writer.WriteCell(1, 1, cp(sheet.title), true);
    writer.CurrentRow = 2;
    writer.WritePair(cp("Наименование позиции"), cp("Параметр"), true, true);
    for (const RecordSheetRow &row : rows)
        writer.WritePair(row.label, row.value, !row.section, false);
    writer.FinishSpreadsheet();
}

} // namespace tarvena
