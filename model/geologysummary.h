#pragma once
// The summary of the geology page: the productive and reflecting horizons by name and the prepared
// resources of the object, summed by fluid over the productive horizons. The sums are numbers; the
// page, the record sheet and the register show them through the texts below.
#include "model/horizons.h"

#include <optional>
#include <string>
#include <vector>

namespace tarvena {

// The most probable value of a fluid and the ends of its range of three standard deviations.
struct ProbableSum
{
    double probable = 0;
    double low = 0;
    double high = 0;
    void add(std::optional<double> value, std::optional<double> deviation);
};

struct FluidSum
{
    double deterministic = 0;
    ProbableSum probabilistic;
};

struct ResourceSummary
{
    std::vector<std::string> productive; // names in table order, code page 1251
    std::vector<std::string> reflecting; // indices in table order, code page 1251
    FluidSum oil, dissolvedGas, gas, condensate;
};

// Sums every horizon read (whatever filter the views have).
ResourceSummary summarizeResources(const Horizons &horizons);
inline ResourceSummary summarizeResources(const TDataModule2 &dm)
{
    return summarizeResources(readHorizons(dm));
}

// The lines of the summary in the order the page and the sheet show them.
enum class SummaryLine
{
    ProductiveHorizons,
    ReflectingHorizons,
    OilD0,
    DissolvedGasD0,
    GasD0,
    CondensateD0,
    OilProbable,
    OilRange,
    DissolvedGasProbable,
    DissolvedGasRange,
    GasProbable,
    GasRange,
    CondensateProbable,
    CondensateRange
};
inline constexpr SummaryLine SummaryLines[] = {SummaryLine::ProductiveHorizons,
                                               SummaryLine::ReflectingHorizons,
                                               SummaryLine::OilD0,
                                               SummaryLine::DissolvedGasD0,
                                               SummaryLine::GasD0,
                                               SummaryLine::CondensateD0,
                                               SummaryLine::OilProbable,
                                               SummaryLine::OilRange,
                                               SummaryLine::DissolvedGasProbable,
                                               SummaryLine::DissolvedGasRange,
                                               SummaryLine::GasProbable,
                                               SummaryLine::GasRange,
                                               SummaryLine::CondensateProbable,
                                               SummaryLine::CondensateRange};

// The caption a line stands under on the geology page, in the record sheet and in the register
// (UTF-8).
constexpr const char *summaryCaption(SummaryLine line)
{
    switch (line) {
    case SummaryLine::ProductiveHorizons:
        return "Продуктивные горизонты";
    case SummaryLine::ReflectingHorizons:
        return "Отражающие горизонты, по которым подготовлен объект";
    case SummaryLine::OilD0:
        return "Подготовленные ресурсы категории D0 нефти, млн т";
    case SummaryLine::DissolvedGasD0:
        return "Подготовленные ресурсы категории D0 растворенного газа, млн м3";
    case SummaryLine::GasD0:
        return "Подготовленные ресурсы категории D0 газа, млн м3";
    case SummaryLine::CondensateD0:
        return "Подготовленные ресурсы категории D0 газоконденсата, млн т";
    case SummaryLine::OilProbable:
        return "Наиболее вероятная величина подготовленных ресурсов нефти (извлекаемых), млн т";
    case SummaryLine::OilRange:
        return "Возможные пределы изменения подготовленных ресурсов нефти (извлекаемых), млн т";
    case SummaryLine::DissolvedGasProbable:
        return "Наиболее вероятная величина подготовленных ресурсов растворенного газа, млн м3";
    case SummaryLine::DissolvedGasRange:
        return "Возможные пределы изменения подготовленных ресурсов растворенного газа, млн м3";
    case SummaryLine::GasProbable:
        return "Наиболее вероятная величина подготовленных ресурсов газа, млн м3";
    case SummaryLine::GasRange:
        return "Возможные пределы изменения подготовленных ресурсов газа, млн м3";
    case SummaryLine::CondensateProbable:
        return "Наиболее вероятная величина подготовленных ресурсов газоконденсата (извлекаемых), млн т";
    case SummaryLine::CondensateRange:
        return "Возможные пределы изменения подготовленных ресурсов газоконденсата (извлекаемых), млн т";
    }
    return "";
}

// A line's text as shown (code page 1251): "горизонтов: N (a, b)", a sum ("" for 0), or
// "от low   до high" ("" when an end or the most probable value is 0).
std::string summaryText(const ResourceSummary &summary, SummaryLine line);
// A resource figure of a line (not the name lists or the ranges) as the text shows it, rounded to its
// shown digits: what a reader of the sheet takes; nullopt when the text is empty.
std::optional<double> shownFigure(const ResourceSummary &summary, SummaryLine line);

} // namespace tarvena
