#include "exchange/core/recordsheets.h"

#include "exchange/core/sheetwriter.h"
#include "exchange/core/trimmed.h"
#include "model/datamodule.h"
#include "model/numberformat.h"
#include "model/passportschema.h"
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
    Name,       // NAME of the entry of dictionary view `view` whose ID is field
    Method,     // as Name, but the typed name in `other` for the other-method key
    BinSize,    // number of field, "X", number of other
    GeoName,    // NAME in view by field, a blank and the free text in other, trimmed
    StratRange, // top unit (field) and bottom unit (other) of the stratigraphic range
    Summary     // a line of the geology summary
};

// One row of a sheet; labels are UTF-8 here.
struct Entry
{
    Kind kind;
    const char *label;
    const char *field = nullptr;
    int view = 0;
    const char *other = nullptr;
    SummaryLine line = {};
};

constexpr Entry summaryRow(const char *label, SummaryLine line)
{
    return {Kind::Summary, label, nullptr, 0, nullptr, line};
}

// The methods dictionary's entry that stands for a method named by the user.
constexpr int OtherMethodKey = 92;

// The region names are those of the passport's own fields, which the page-1 selectors show.
const Entry kGeography[] = {
    {Kind::Text, "Наименование объекта", "OBJECTNAME"},
    {Kind::Name, "Федеральный округ", "FEDERALOKRUG_ID", 1},
    {Kind::Name, "Республика", "REPUBLIC_ID", 2},
    {Kind::Name, "Край", "KRAI_ID", 3},
    {Kind::Name, "Область", "OBLAST_ID", 4},
};

const Entry kHistory[] = {
    {Kind::Text, "Год выявления объекта", "SHOWINGUPYEAR"},
    {Kind::Method, "Метод выявления", "SHOWINGUPMETHOD_ID", 5, "OTHERMETHOD2"},
    {Kind::Text, "Год начала подготовки", "STARTPREPARATIONYEAR"},
    {Kind::Text, "Год окончания подготовки", "ENDPREPARATIONYEAR"},
    {Kind::Method, "Метод подготовки", "PREPARATIONMETHOD_ID", 5, "OTHERMETHOD"},
    {Kind::Text, "Организация, подготовившая объект", "PREPARATIONORGANIZATION"},
    {Kind::Text, "Название отчета организации, подготовившей объект", "REPORTPREPARATION"},
    {Kind::Text, "Год составления отчета", "REPORTYEAR"},
    {Kind::Text, "Авторы отчета", "REPORTAUTHORS"},
    {Kind::Text, "Место хранения отчета", "REPORTSTORINGPLACE"},
    {Kind::Text, "Год включения в фонд подготовленных объектов", "PREPAREDFUNDYEAR"},
    {Kind::Name, "Какому фонду принадлежит объект", "AFFILATION_ID", 6},
    {Kind::Text, "Обладатель лицензии", "LICENSOR"},
    {Kind::Text, "Номер лицензии", "LICENCENUMBER"},
    {Kind::Name, "Тип лицензии", "LICENCETYPE_ID", 7},
    {Kind::Text, "Срок лицензии", "TERMINATIONLICENCE"},
    {Kind::Text, "Название лицензионного участка", "LICENCEREGION"},
};

const Entry kMethods[] = {
    {Kind::Section, "Сейсморазведка 2D"},
    {Kind::Text, "Масштаб съемки", "_SHOOTSCALE"},
    {Kind::Number, "Плотность сети профилей", "GRIDDENCITY"},
    {Kind::Text, "Кратность наблюдений МОГТ", "MOGTREPETISHIONS"},
    {Kind::Number, "Максимальное удаление \"источник-приемник\"", "MAXDISTANCE"},
    {Kind::Number, "Минимальное удаление \"источник-приемник\"", "MINDISTANCE"},
    {Kind::Number, "Расстояние между точками ОГТ", "RECIVESTEP"},
    {Kind::Name, "Вид источника возбуждения колебаний", "DRIVINGTYPE_ID", 8},
    {Kind::Name, "Размещение заряда", "CHARGELOCATION_ID", 9},
    {Kind::Name, "Тип невзрывного источника", "NONEXPLOSIVETYPE_ID", 10},
    {Kind::Section, "Сейсморазведка 3D"},
    {Kind::Text, "Кратность наблюдений МОГТ", "MOGTREPETISHIONS3D"},
    {Kind::Number, "Максимальное удаление \"источник-приемник\"", "MAXDISTANCE3D"},
    {Kind::Number, "Минимальное удаление \"источник-приемник\"", "MINDISTANCE3D"},
    {Kind::Number, "Расстояние между линиями пунктов приема", "RECIVESTEP3D"},
    {Kind::Number, "Расстояние между линиями пунктов возбуждения", "DRIVINGSTEP3D"},
    {Kind::BinSize, "Размеры бина", "BINH", 0, "BINW"},
    {Kind::Name, "Вид источника возбуждения колебаний", "DRIVINGTYPE3D_ID", 8},
    {Kind::Name, "Размещение заряда", "CHARGELOCATION3D_ID", 9},
    {Kind::Name, "Тип невзрывного источника", "NONEXPLOSIVETYPE3D_ID", 10},
    {Kind::Section, "Электроразведка"},
    {Kind::Text, "Метод электроразведки", "ELECTROMETHOD"},
    {Kind::Text, "Масштаб съемки", "_SHOOTSCALEEL"},
    {Kind::Number, "Плотность сети профилей", "GRIDDENCITYEL"},
    {Kind::Number, "Шаг точек наблюдений", "STEPEL"},
    {Kind::Section, "Другой геофизический метод"},
    {Kind::Text, "Название метода", "OTHERMETHOD"},
    {Kind::Text, "Масштаб съемки", "_SHOOTSCALEOT"},
    {Kind::Number, "Плотность наблюдений", "GRIDDENCITYOT"},
    {Kind::Text, "Система наблюдений", "OBSERVATIONSYSTEM"},
    {Kind::Number, "Расстояние между точками наблюдений", "STEPOT"},
    {Kind::Section, "Структурное бурение"},
    {Kind::Text, "Масштаб съемки", "_SHOOTSCALEST"},
    {Kind::Text, "Плотность сети скважин", "GRIDDENCITYST"},
};

// The last twelve rows are the lines of the geology page's summary, under the captions it shows.
const Entry kGeology[] = {
    {Kind::GeoName, "Нефтегазоносная провинция", "GEO_PROVINCE_ID", 11, "GEO_PROVINCE_DOP"},
    {Kind::GeoName, "Нефтегазоносная область", "GEO_OBLAST_ID", 12, "GEO_OBLAST_DOP"},
    {Kind::GeoName, "Нефтегазоносный район", "GEO_RAION_ID", 13, "GEO_RAION_DOP"},
    {Kind::Text, "Тектонический элемент первого порядка", "TEKTO1P"},
    {Kind::Text, "Тектонический элемент второго порядка", "TEKTO2P"},
    {Kind::StratRange, "Стратиграфический диапазон", "STRATIGR_KROVL", 16, "STRATIGR_PODOSHV"},
    summaryRow("Продуктивные горизонты", SummaryLine::ProductiveHorizons),
    summaryRow("Отражающие горизонты, по которым подготовлен объект", SummaryLine::ReflectingHorizons),
    {Kind::Section, "Детерминированный подход"},
    summaryRow("Подготовленные ресурсы категории D0 нефти, млн т", SummaryLine::OilD0),
    summaryRow("Подготовленные ресурсы категории D0 растворенного газа, млн м3", SummaryLine::DissolvedGasD0),
    summaryRow("Подготовленные ресурсы категории D0 газа, млн м3", SummaryLine::GasD0),
    summaryRow("Подготовленные ресурсы категории D0 газоконденсата, млн т", SummaryLine::CondensateD0),
    {Kind::Section, "Вероятностный подход"},
    summaryRow("Наиболее вероятная величина подготовленных ресурсов нефти (извлекаемых), млн т",
               SummaryLine::OilProbable),
    summaryRow("Возможные пределы изменения подготовленных ресурсов нефти (извлекаемых), млн т",
               SummaryLine::OilRange),
    summaryRow("Наиболее вероятная величина подготовленных ресурсов растворенного газа, млн м3",
               SummaryLine::DissolvedGasProbable),
    summaryRow("Возможные пределы изменения подготовленных ресурсов растворенного газа, млн м3",
               SummaryLine::DissolvedGasRange),
    summaryRow("Наиболее вероятная величина подготовленных ресурсов газа, млн м3", SummaryLine::GasProbable),
    summaryRow("Возможные пределы изменения подготовленных ресурсов газа, млн м3", SummaryLine::GasRange),
    summaryRow("Наиболее вероятная величина подготовленных ресурсов газоконденсата (извлекаемых), млн т",
               SummaryLine::CondensateProbable),
    summaryRow("Возможные пределы изменения подготовленных ресурсов газоконденсата (извлекаемых), млн т",
               SummaryLine::CondensateRange),
};

struct SheetDef
{
    const char *fileName;
    const char *title;
    std::span<const Entry> entries;
};

const SheetDef kSheets[] = {
    {"Таблица 1 География.xls", "Таблица 1. \"География\"", kGeography},
    {"Таблица 2 История.xls", "Таблица 2. \"История\"", kHistory},
    {"Таблица 3 Методика.xls", "Таблица 3. \"Методика\"", kMethods},
    {"Таблица 4 Геология.xls", "Таблица 4. \"Геология\"", kGeology},
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
    RecordValues(TDataModule2 &dm, const ResourceSummary &summary) : mDm(dm), mSummary(summary) {}

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
            return name(entry.view, entry.field);
        case Kind::Method:
            if (field(entry.field).AsInteger() == OtherMethodKey)
                return field(entry.other).AsString();
            return name(entry.view, entry.field);
        case Kind::BinSize:
            return FormatNumber(field(entry.field)) + "X" + FormatNumber(field(entry.other));
        case Kind::GeoName:
            return trimmed(name(entry.view, entry.field) + " " + field(entry.other).AsString());
        case Kind::StratRange:
            return cp("Кровля: ") + name(entry.view, entry.field) + cp("   Подошва: ") +
                   name(entry.view, entry.other);
        case Kind::Summary:
            return summaryText(mSummary, entry.line);
        }
        return {};
    }

private:
    const Field &field(const char *name) const { return mDm.PASPORTS.FieldByName(name); }

    // The NAME of the entry of the view whose ID is the key's integer value (an empty key reads as
    // 0, the empty entry), among the entries the view's filter lets through. An ID the view does not
    // hold gives no name. The view's cursor stays where the editor left it.
    std::string name(int view, const char *key) const
    {
        const MemTable &dictionary = mDm.dict(view);
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
    const RecordValues values(dm, none);
    for (const SheetDef &sheet : kSheets)
        for (const Entry &entry : sheet.entries)
            if (entry.field && entry.kind != Kind::Summary && field == entry.field)
                return values.value(entry);
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
    const RecordValues values(dm, summary);
    std::vector<RecordSheetRow> rows;
    rows.reserve(sheet.entries.size());
    for (const Entry &entry : sheet.entries)
        rows.push_back({cp(entry.label), values.value(entry), entry.kind == Kind::Section});
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
