// The rules table of the passport check: one row per check, with its severity, its message and the
// place where it is mended.
#include "model/completeness.h"

#include "storage/error.h"

namespace tarvena::completeness {

namespace {

using enum Check;
using enum Severity;
using TP = TablePage;
constexpr PlaceKind kControl = PlaceKind::Control;
constexpr PlaceKind kGrid = PlaceKind::GridCell;
constexpr PlaceKind kSlot = PlaceKind::DocumentSlot;

const std::vector<Rule> kRules = {
    // The record: the catalogue's required and advised fields, where their group applies.
    {RequiredField, Error, "Не заполнено поле «{1}»", kControl, TP::Geography, nullptr, nullptr},
    {AdvisedField, Warning, "Не заполнено поле «{1}»", kControl, TP::Geography, nullptr, nullptr},
    {NoRegion, Error, "Не выбран субъект федерации: республика, край или область", kControl, TP::Geography,
     "JvDBLookupCombo2", nullptr},
    {SeveralRegions, Error, "Выбрано несколько субъектов федерации ({1}), должен быть один", kControl,
     TP::Geography, nullptr, nullptr},
    {NoSurveyParameters, Error, "Не заполнены параметры метода подготовки: {1}", kControl, TP::Methods,
     nullptr, nullptr},
    {YearOrder, Error, "«{1}»: {2}", kControl, TP::History, nullptr, nullptr},

    // The horizons.
    {NoReflectingHorizons, Error, "Нет ни одного отражающего горизонта", kGrid, TP::ReflectHorizons,
     "JvDBGrid1", "INDEXOG"},
    {ReflectingIndex, Error, "Отражающий горизонт {1}: не задан индекс ОГ", kGrid, TP::ReflectHorizons,
     "JvDBGrid1", "INDEXOG"},
    {ReflectingUnit, Error, "Отражающий горизонт {1}: не задана стратиграфическая приуроченность", kGrid,
     TP::ReflectHorizons, "JvDBGrid1", "_stratigr_id"},
    {ReflectingScale, Error, "Отражающий горизонт {1}: не задан масштаб структурной карты", kGrid,
     TP::ReflectHorizons, "JvDBGrid1", "_scale"},
    {NoProductiveHorizons, Error, "Нет ни одного возможного продуктивного горизонта", kGrid,
     TP::ProductHorizons, "JvDBGrid3", "_stratigr_id"},
    {ProductiveUnit, Error, "{1}: не задана стратиграфическая приуроченность", kGrid, TP::ProductHorizons,
     "JvDBGrid3", "_stratigr_id"},
    {ProductiveFluid, Error, "{1}: не задан тип УВ", kGrid, TP::ProductHorizons, "JvDBGrid3", "_UV_ID"},
    {ProductiveArea, Error, "{1}: не задана площадь возможной залежи", kGrid, TP::ProductHorizons,
     "JvDBGrid3", "POSIBLESQUARE"},
    {ResourcesNotComputed, Error, "{1}: не вычислены ресурсы {2}{3}", kGrid, TP::OilResources, nullptr,
     nullptr},
    {ProbableFigures, Warning, "{1}: нет вероятностной оценки ресурсов {2}, и ее не вычислить{3}", kGrid,
     TP::OilResources, nullptr, nullptr},

    // The contours.
    {ContourSystem, Error, "{1}: не задана система координат контура", kGrid, TP::Contours, "JvDBGrid10",
     "_KONTURKOORDTYPE"},
    {ContourPoints, Error, "{1}: в контуре {2}, нужно не меньше трех", kGrid, TP::Contours, "JvDBGrid10",
     "KONTURNUMPOINTS"},
    {ContourEmptyPoint, Error, "{1}: у точки {2} контура не задана координата", kGrid, TP::Contours,
     "JvDBGrid10", "KONTURNUMPOINTS"},
    {ContourTerritory, Error, "{1}: точка {2} контура ({3}; {4}) лежит вне территории России", kGrid,
     TP::Contours, "JvDBGrid10", "KONTURNUMPOINTS"},
    {ContourShape, Warning, "{1}: контур не замкнуть в простой многоугольник: {2}", kGrid, TP::Contours,
     "JvDBGrid10", "KONTURNUMPOINTS"},
    {ContourArea, Warning,
     "{1}: площадь контура по координатам {2} км² отличается от площади возможной залежи {3} км² более чем "
     "на "
     "10 %",
     kGrid, TP::Contours, "JvDBGrid10", "KONTURNUMPOINTS"},

    // The documents page.
    {RequiredDocument, Error, "Не приложен файл «{1}»", kSlot, TP::Geography, nullptr, nullptr},
    {AdvisedDocument, Warning, "Не приложен файл «{1}»", kSlot, TP::Geography, nullptr, nullptr},
    {HorizonMap, Warning, "Не приложена «{1}»", kSlot, TP::Geography, nullptr, nullptr},

    // Cross-checks.
    {NoResources, Error, "Подготовленные ресурсы объекта равны нулю по всем видам УВ", kControl, TP::Geology,
     "Label72", nullptr},
    {FluidFigures, Warning, "{1}: тип УВ «{2}», но вычислены ресурсы {3}", kGrid, TP::ProductHorizons,
     "JvDBGrid3", "_UV_ID"},
};

} // namespace

const std::vector<Rule> &rules()
{
    return kRules;
}

const Rule &rule(Check check)
{
    for (const Rule &row : kRules)
        if (row.check == check)
            return row;
    throw tarvena::Error("Нет правила проверки паспорта с номером " +
                         std::to_string(static_cast<int>(check)));
}

const char *severityName(Severity severity)
{
    return severity == Severity::Error ? "Ошибка" : "Предупреждение";
}

Counts countFindings(const std::vector<Finding> &findings)
{
    Counts counts;
    for (const Finding &finding : findings)
        ++(finding.severity == Severity::Error ? counts.errors : counts.warnings);
    return counts;
}

std::string summaryLine(const Counts &counts)
{
    return "Ошибок: " + std::to_string(counts.errors) +
           ", предупреждений: " + std::to_string(counts.warnings);
}

} // namespace tarvena::completeness
