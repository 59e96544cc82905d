#include "exchange/gis/registerrow.h"

#include "exchange/gis/contourarea.h"
#include "exchange/gis/contourfeatures.h"
#include "exchange/unpacking/recordsheets.h"
#include "model/completeness.h"
#include "model/datamodule.h"
#include "model/geologysummary.h"
#include "model/numberformat.h"
#include "model/passportschema.h"
#include "storage/codepage.h"

namespace tarvena::gis {

namespace {

// Where a column's value comes from: the file, a field of the passport record (as its sheet shows
// it, or a whole number), a line of the geology summary, the counts of the horizons and their
// points, or the counts of the passport check's findings.
enum class Source
{
    File,
    RecordText,
    RecordNumber,
    Summary,
    Horizons,
    Points,
    CheckErrors,
    CheckWarnings,
    Error
};

struct ColumnSource
{
    RegisterColumn column;
    Source source;
    const char *field = nullptr;
    SummaryLine line = {};
};

ColumnSource recordText(const char *name, const char *field, const char *caption)
{
    return {{{name, name, AttributeType::Text}, caption}, Source::RecordText, field};
}

ColumnSource recordYear(const char *name, const char *caption)
{
    return {{{name, name, AttributeType::Integer}, caption}, Source::RecordNumber, name};
}

ColumnSource summaryColumn(const char *name, AttributeType type, SummaryLine line)
{
    return {{{name, name, type}, summaryCaption(line)}, Source::Summary, nullptr, line};
}

const std::vector<ColumnSource> &columnSources()
{
    using enum AttributeType;
    using enum SummaryLine;
    static const std::vector<ColumnSource> sources = {
        {{{"FILENAME", "FILENAME", Text}, "Файл"}, Source::File},
        recordText("OBJECTNAME", "OBJECTNAME", "Наименование объекта"),
        recordText("FEDERALOKRUG", "FEDERALOKRUG_ID", "Федеральный округ"),
        recordText("REPUBLIC", "REPUBLIC_ID", "Республика"),
        recordText("KRAI", "KRAI_ID", "Край"),
        recordText("OBLAST", "OBLAST_ID", "Область"),
        recordText("GEO_PROVINCE", "GEO_PROVINCE_ID", "Нефтегазоносная провинция"),
        recordText("PREPARATIONMETHOD", "PREPARATIONMETHOD_ID", "Метод подготовки"),
        recordYear("SHOWINGUPYEAR", "Год выявления объекта"),
        recordYear("STARTPREPARATIONYEAR", "Год начала подготовки"),
        recordYear("ENDPREPARATIONYEAR", "Год окончания подготовки"),
        recordYear("REPORTYEAR", "Год составления отчета"),
        recordYear("PREPAREDFUNDYEAR", "Год включения в фонд подготовленных объектов"),
        summaryColumn("OIL_D0", Real, OilD0),
        summaryColumn("DGAS_D0", Real, DissolvedGasD0),
        summaryColumn("GAS_D0", Real, GasD0),
        summaryColumn("COND_D0", Real, CondensateD0),
        summaryColumn("OIL_P", Real, OilProbable),
        summaryColumn("OIL_RANGE", Text, OilRange),
        summaryColumn("DGAS_P", Real, DissolvedGasProbable),
        summaryColumn("DGAS_RANGE", Text, DissolvedGasRange),
        summaryColumn("GAS_P", Real, GasProbable),
        summaryColumn("GAS_RANGE", Text, GasRange),
        summaryColumn("COND_P", Real, CondensateProbable),
        summaryColumn("COND_RANGE", Text, CondensateRange),
        {{{"HORIZONS", "HORIZONS", Integer}, "Число продуктивных горизонтов"}, Source::Horizons},
        {{{"POINTS", "POINTS", Integer}, "Число точек контуров"}, Source::Points},
        {{{"CHECK_ERRORS", "CHECK_ERRORS", Integer}, "Ошибок проверки паспорта"}, Source::CheckErrors},
        {{{"CHECK_WARNINGS", "CHECK_WARNINGS", Integer}, "Предупреждений проверки паспорта"},
         Source::CheckWarnings},
        {{{"ERROR", "ERROR", Text}, "Ошибка"}, Source::Error},
    };
    return sources;
}

AttributeValue recordNumber(const TDataModule2 &dm, const char *name)
{
    const Field &field = dm.PASPORTS.FieldByName(name);
    if (field.IsNull())
        return {};
    return static_cast<std::int64_t>(field.AsInteger());
}

AttributeValue summaryValue(const ResourceSummary &summary, const ColumnSource &source)
{
    if (source.column.attribute.type == AttributeType::Real)
        return numberValue(shownFigure(summary, source.line));
    return textValue(summaryText(summary, source.line));
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
                                        const std::vector<ProductiveHorizon> &horizons)
{
    const ResourceSummary summary = summarizeResources(Horizons{readReflectingHorizons(dm), horizons});
    std::int64_t points = 0;
    for (const ProductiveHorizon &horizon : horizons)
        points += static_cast<std::int64_t>(horizon.contour.size());
    const completeness::Counts check =
        completeness::countFindings(completeness::checkPassport(dm, contourMeasure()));

    const std::vector<ColumnSource> &sources = columnSources();
    std::vector<AttributeValue> row(sources.size());
    for (std::size_t i = 0; i < sources.size(); ++i) {
        const ColumnSource &source = sources[i];
        switch (source.source) {
        case Source::File:
            row[i] = fileName;
            break;
        case Source::RecordText:
            row[i] = textValue(recordFieldText(dm, source.field));
            break;
        case Source::RecordNumber:
            row[i] = recordNumber(dm, source.field);
            break;
        case Source::Summary:
            row[i] = summaryValue(summary, source);
            break;
        case Source::Horizons:
            row[i] = static_cast<std::int64_t>(horizons.size());
            break;
        case Source::Points:
            row[i] = points;
            break;
        case Source::CheckErrors:
            row[i] = static_cast<std::int64_t>(check.errors);
            break;
        case Source::CheckWarnings:
            row[i] = static_cast<std::int64_t>(check.warnings);
            break;
        case Source::Error:
            break;
        }
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
