#include "exchange/gis/registerrow.h"

#include "exchange/core/recordsheets.h"
#include "exchange/gis/contourfeatures.h"
#include "exchange/gis/horizonrecords.h"
#include "model/geologysummary.h"
#include "model/numberformat.h"
#include "model/passportschema.h"
#include "storage/codepage.h"

#include <map>

namespace tarvena::gis {

namespace {

// Where a column's value comes from: the file, a row of a passport's record sheet found by its
// label, or the counts of the horizons and their points.
enum class Source
{
    File,
    Sheet,
    Horizons,
    Points,
    Error
};

struct ColumnSource
{
    RegisterColumn column;
    Source source;
    int sheet = 0;
};

ColumnSource sheetColumn(const char *name, AttributeType type, int sheet, const char *label)
{
    return {{{name, name, type}, label}, Source::Sheet, sheet};
}

const std::vector<ColumnSource> &columnSources()
{
    using enum AttributeType;
    static const std::vector<ColumnSource> sources = {
        {{{"FILENAME", "FILENAME", Text}, "Файл"}, Source::File},
        sheetColumn("OBJECTNAME", Text, 1, "Наименование объекта"),
        sheetColumn("FEDERALOKRUG", Text, 1, "Федеральный округ"),
        sheetColumn("REPUBLIC", Text, 1, "Республика"),
        sheetColumn("KRAI", Text, 1, "Край"),
        sheetColumn("OBLAST", Text, 1, "Область"),
        sheetColumn("GEO_PROVINCE", Text, 4, "Нефтегазоносная провинция"),
        sheetColumn("PREPARATIONMETHOD", Text, 2, "Метод подготовки"),
        sheetColumn("SHOWINGUPYEAR", Integer, 2, "Год выявления объекта"),
        sheetColumn("STARTPREPARATIONYEAR", Integer, 2, "Год начала подготовки"),
        sheetColumn("ENDPREPARATIONYEAR", Integer, 2, "Год окончания подготовки"),
        sheetColumn("REPORTYEAR", Integer, 2, "Год составления отчета"),
        sheetColumn("PREPAREDFUNDYEAR", Integer, 2, "Год включения в фонд подготовленных объектов"),
        sheetColumn("OIL_D0", Real, 4, "Подготовленные ресурсы категории D0 нефти, млн т"),
        sheetColumn("DGAS_D0", Real, 4, "Подготовленные ресурсы категории D0 растворенного газа, млн м3"),
        sheetColumn("GAS_D0", Real, 4, "Подготовленные ресурсы категории D0 газа, млн м3"),
        sheetColumn("COND_D0", Real, 4, "Подготовленные ресурсы категории D0 газоконденсата, млн т"),
        sheetColumn("OIL_P", Real, 4,
                    "Наиболее вероятная величина подготовленных ресурсов нефти (извлекаемых), млн т"),
        sheetColumn("OIL_RANGE", Text, 4,
                    "Возможные пределы изменения подготовленных ресурсов нефти (извлекаемых), млн т"),
        sheetColumn("DGAS_P", Real, 4,
                    "Наиболее вероятная величина подготовленных ресурсов растворенного газа, млн м3"),
        sheetColumn("DGAS_RANGE", Text, 4,
                    "Возможные пределы изменения подготовленных ресурсов растворенного газа, млн м3"),
        sheetColumn("GAS_P", Real, 4, "Наиболее вероятная величина подготовленных ресурсов газа, млн м3"),
        sheetColumn("GAS_RANGE", Text, 4, "Возможные пределы изменения подготовленных ресурсов газа, млн м3"),
        sheetColumn(
            "COND_P", Real, 4,
            "Наиболее вероятная величина подготовленных ресурсов газоконденсата (извлекаемых), млн т"),
        sheetColumn(
            "COND_RANGE", Text, 4,
            "Возможные пределы изменения подготовленных ресурсов газоконденсата (извлекаемых), млн т"),
        {{{"HORIZONS", "HORIZONS", Integer}, "Число продуктивных горизонтов"}, Source::Horizons},
        {{{"POINTS", "POINTS", Integer}, "Число точек контуров"}, Source::Points},
        {{{"ERROR", "ERROR", Text}, "Ошибка"}, Source::Error},
    };
    return sources;
}

// A sheet's text as a value of the column's type; a text that is no number gives no value.
AttributeValue typedValue(AttributeType type, const std::string &cp1251)
{
    if (cp1251.empty())
        return {};
    switch (type) {
    case AttributeType::Integer:
        if (const auto whole = numfmt::parseInteger(cp1251))
            return static_cast<std::int64_t>(*whole);
        return {};
    case AttributeType::Real:
        return numberValue(numfmt::parseFloat(cp1251));
    case AttributeType::Text:
        break;
    }
    return textValue(cp1251);
}

using SheetValues = std::map<std::string, std::string>; // label -> value, code page 1251

AttributeValue sheetValue(const SheetValues &values, const RegisterColumn &column)
{
    const auto found = values.find(codepage::utf8ToCp1251(column.caption));
    if (found == values.end())
        return {};
    return typedValue(column.attribute.type, found->second);
}

} // namespace

const std::vector<RegisterColumn> &registerColumns()
{
    static const std::vector<RegisterColumn> columns = [] {
        std::vector<RegisterColumn> list;
        for (const ColumnSource &source : columnSources())
            list.push_back(source.column);
        return list;
    }();
    return columns;
}

std::vector<AttributeValue> registerRow(TDataModule2 &dm, const std::string &fileName,
                                        const std::vector<HorizonRecord> &horizons)
{
    const std::vector<SummaryLabel> summary = computeGeologySummary(dm);
    // Each sheet's values by label (code page 1251), read once.
    std::map<int, SheetValues> sheets;
    for (int sheet : {1, 2, 4})
        for (const RecordSheetRow &row : recordSheetRows(dm, sheet, summary))
            sheets[sheet].emplace(row.label, row.value);
    std::int64_t points = 0;
    for (const HorizonRecord &horizon : horizons)
        points += static_cast<std::int64_t>(horizon.contour.size());

    const std::vector<ColumnSource> &sources = columnSources();
    std::vector<AttributeValue> row(sources.size());
    for (std::size_t i = 0; i < sources.size(); ++i) {
        const ColumnSource &source = sources[i];
        if (source.source == Source::File)
            row[i] = fileName;
        else if (source.source == Source::Sheet)
            row[i] = sheetValue(sheets[source.sheet], source.column);
        else if (source.source == Source::Horizons)
            row[i] = static_cast<std::int64_t>(horizons.size());
        else if (source.source == Source::Points)
            row[i] = points;
    }
    return row;
}

std::vector<AttributeValue> registerErrorRow(const std::string &fileName, const std::string &error)
{
    std::vector<AttributeValue> row(columnSources().size());
    row.front() = fileName;
    row.back() = error;
    return row;
}

std::string registerCellText(const AttributeValue &value)
{
    if (const auto *text = std::get_if<std::string>(&value))
        return codepage::utf8ToCp1251(*text);
    if (const auto *real = std::get_if<double>(&value))
        return numfmt::formatFloat(ResourceFormat, *real);
    if (const auto *whole = std::get_if<std::int64_t>(&value))
        return std::to_string(*whole);
    return {};
}

} // namespace tarvena::gis
