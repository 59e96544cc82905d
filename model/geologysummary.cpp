#include "model/geologysummary.h"

#include "model/numberformat.h"
#include "model/passportschema.h"
#include "storage/codepage.h"

namespace tarvena {
namespace {

// "горизонтов: N (a, b)"; the list is left out while every name is empty.
std::string namesText(const std::vector<std::string> &names)
{
    std::string list;
    for (const std::string &name : names) {
        if (list.empty())
            list = name;
        else
            list += ", " + name;
    }
    std::string result = codepage::utf8ToCp1251("горизонтов: ") + std::to_string(names.size());
    if (!list.empty())
        result += " (" + list + ")";
    return result;
}

std::string sumText(double sum)
{
    return sum != 0 ? numfmt::formatFloat(ResourceFormat, sum) : std::string();
}

std::string rangeText(const ProbableSum &sum)
{
    if (sum.low == 0 || sum.high == 0 || sum.probable == 0)
        return {};
    return codepage::utf8ToCp1251("от ") + numfmt::formatFloat(ResourceFormat, sum.low) +
           codepage::utf8ToCp1251("   до ") + numfmt::formatFloat(ResourceFormat, sum.high);
}

const FluidSum &fluidOf(const ResourceSummary &summary, SummaryLine line)
{
    switch (line) {
    case SummaryLine::DissolvedGasD0:
    case SummaryLine::DissolvedGasProbable:
    case SummaryLine::DissolvedGasRange:
        return summary.dissolvedGas;
    case SummaryLine::GasD0:
    case SummaryLine::GasProbable:
    case SummaryLine::GasRange:
        return summary.gas;
    case SummaryLine::CondensateD0:
    case SummaryLine::CondensateProbable:
    case SummaryLine::CondensateRange:
        return summary.condensate;
    default:
        return summary.oil;
    }
}

// The sum a figure line shows; nullopt for the name lists and the ranges.
std::optional<double> figure(const ResourceSummary &summary, SummaryLine line)
{
    switch (line) {
    case SummaryLine::OilD0:
    case SummaryLine::DissolvedGasD0:
    case SummaryLine::GasD0:
    case SummaryLine::CondensateD0:
        return fluidOf(summary, line).deterministic;
    case SummaryLine::OilProbable:
    case SummaryLine::DissolvedGasProbable:
    case SummaryLine::GasProbable:
    case SummaryLine::CondensateProbable:
        return fluidOf(summary, line).probabilistic.probable;
    default:
        return std::nullopt;
    }
}

} // namespace

void ProbableSum::add(std::optional<double> value, std::optional<double> deviation)
{
    // An empty figure counts as 0; the steps are those the sums have always been formed in.
    const double v = value.value_or(0);
    const double d = deviation.value_or(0);
    probable += v;
    low += v;
    low -= 3 * d;
    high += v;
    high += 3 * d;
}

ResourceSummary summarizeResources(const Horizons &horizons)
{
    ResourceSummary summary;
    for (const ProductiveHorizon &horizon : horizons.productive) {
        summary.productive.push_back(horizon.name);
        const ResourceResults &computed = horizon.computed;
        const ProbableResources &probable = horizon.probable;
        if (carries(horizon.fluid, Product::Oil)) {
            summary.oil.deterministic += computed.recoverableOil.value_or(0);
            summary.dissolvedGas.deterministic += computed.dissolvedGas.value_or(0);
            summary.oil.probabilistic.add(probable.recoverableOil.probable,
                                          probable.recoverableOil.deviation);
            summary.dissolvedGas.probabilistic.add(probable.dissolvedGas.probable,
                                                   probable.dissolvedGas.deviation);
        }
        if (carries(horizon.fluid, Product::Gas)) {
            summary.gas.deterministic += computed.balanceGas.value_or(0);
            summary.gas.probabilistic.add(probable.balanceGas.probable, probable.balanceGas.deviation);
        }
        if (carries(horizon.fluid, Product::Condensate)) {
            summary.condensate.deterministic += computed.recoverableCond.value_or(0);
            summary.condensate.probabilistic.add(probable.recoverableCondensate.probable,
                                                 probable.recoverableCondensate.deviation);
        }
    }
    for (const ReflectingHorizon &horizon : horizons.reflecting)
        summary.reflecting.push_back(horizon.index);
    return summary;
}

std::string summaryText(const ResourceSummary &summary, SummaryLine line)
{
    switch (line) {
    case SummaryLine::ProductiveHorizons:
        return namesText(summary.productive);
    case SummaryLine::ReflectingHorizons:
        return namesText(summary.reflecting);
    case SummaryLine::OilRange:
    case SummaryLine::DissolvedGasRange:
    case SummaryLine::GasRange:
    case SummaryLine::CondensateRange:
        return rangeText(fluidOf(summary, line).probabilistic);
    default:
        return sumText(figure(summary, line).value_or(0));
    }
}

std::optional<double> shownFigure(const ResourceSummary &summary, SummaryLine line)
{
    const std::optional<double> sum = figure(summary, line);
    if (!sum || *sum == 0)
        return std::nullopt;
    // The shown text decides the rounding, so a reader of the sheet and of the register agree.
    return numfmt::parseFloat(sumText(*sum));
}

} // namespace tarvena
