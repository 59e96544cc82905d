#include "model/probabilistic.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <span>
#include <thread>

namespace tarvena {
namespace {

using Resource = ProbabilisticResource;

// The resources of a fluid, each with the number of leading parameters its formula needs.
struct FluidFormula
{
    std::vector<std::pair<Resource, std::size_t>> resources;
    std::size_t parameters;
};

const FluidFormula &formulaOf(ResourceFluid fluid)
{
    static const FluidFormula oil{
        {{Resource::BalanceOil, 7}, {Resource::RecoverableOil, 8}, {Resource::DissolvedGas, 9}}, 9};
    static const FluidFormula gas{{{Resource::InitialGas, 8}, {Resource::BalanceGas, 9}}, 9};
    static const FluidFormula condensate{
        {{Resource::BalanceCondensate, 2}, {Resource::RecoverableCondensate, 3}}, 3};
    switch (fluid) {
    case ResourceFluid::Gas:
        return gas;
    case ResourceFluid::Condensate:
        return condensate;
    case ResourceFluid::Oil:
        break;
    }
    return oil;
}

// The deterministic formulas over a block of draws: p[i] holds parameter i of each draw, out[r] receives
// the fluid's resource r (the first `computed` of them, in formula order).
void evaluate(ResourceFluid fluid, double *const *p, std::size_t length, double *const *out,
              std::size_t computed)
{
    switch (fluid) {
    case ResourceFluid::Oil:
        for (std::size_t k = 0; k < length; ++k)
            out[0][k] = p[0][k] * p[1][k] * p[2][k] * p[3][k] * p[4][k] * p[5][k] * p[6][k];
        break;
    case ResourceFluid::Gas:
        for (std::size_t k = 0; k < length; ++k)
            out[0][k] = (p[4][k] / p[5][k] - p[6][k]) * (p[0][k] * p[1][k] * p[2][k] * p[3][k] * p[7][k]);
        break;
    case ResourceFluid::Condensate:
        for (std::size_t k = 0; k < length; ++k)
            out[0][k] = p[0][k] * p[1][k] / 1000000;
        break;
    }
    // Each further resource is the one before times the next parameter.
    const std::size_t first = formulaOf(fluid).resources[0].second;
    for (std::size_t r = 1; r < computed; ++r) {
        const double *factor = p[first + r - 1];
        for (std::size_t k = 0; k < length; ++k)
            out[r][k] = out[r - 1][k] * factor[k];
    }
}

std::string number(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", value);
    return text;
}

// How a parameter is drawn: fixed at `low`, uniform over [low, high], or triangular with its mode.
struct Draw
{
    ParameterUse use = ParameterUse::Missing;
    Distribution distribution = Distribution::Uniform;
    double low = 0, mode = 0, high = 0;
};

// Checks a parameter and says how to draw it; the text of a refusal otherwise.
std::string prepare(const ParameterRange &p, Distribution wanted, Draw &draw, std::vector<std::string> &notes)
{
    if (!p.ranged) {
        if (p.deterministic) {
            draw.use = ParameterUse::Fixed;
            draw.low = draw.high = *p.deterministic;
            notes.push_back("«" + p.minTitle +
                            "» не имеет диапазона и принят постоянным: " + number(*p.deterministic) + ".");
        }
        return {};
    }
    if (!p.min && !p.max)
        return {};
    if (!p.min || !p.max)
        return "Не задано значение «" + (p.min ? p.maxTitle : p.minTitle) + "» при заданном «" +
               (p.min ? p.minTitle : p.maxTitle) + "».";
    if (!(*p.min <= *p.max))
        return "«" + p.minTitle + "» (" + number(*p.min) + ") больше, чем «" + p.maxTitle + "» (" +
               number(*p.max) + ").";
    draw.low = *p.min;
    draw.high = *p.max;
    if (*p.min == *p.max) {
        draw.use = ParameterUse::Fixed;
        return {};
    }
    draw.use = ParameterUse::Varied;
    if (wanted == Distribution::Triangular) {
        if (p.deterministic && *p.deterministic >= *p.min && *p.deterministic <= *p.max) {
            draw.distribution = Distribution::Triangular;
            draw.mode = *p.deterministic;
        } else {
            notes.push_back("«" + p.minTitle + "»: значение детерминистской оценки " +
                            (p.deterministic ? "вне диапазона" : "не задано") +
                            ", параметр распределен равномерно.");
        }
    }
    return {};
}

void checkCondensateRange(const FluidInputs &inputs, FluidEstimate &estimate)
{
    if (!inputs.balanceCondensate || estimate.resources.empty())
        return;
    const ParameterRange &typed = *inputs.balanceCondensate;
    Draw unused;
    std::vector<std::string> ignored;
    const std::string refusal = prepare(typed, Distribution::Uniform, unused, ignored);
    if (!refusal.empty()) {
        estimate.notes.push_back(refusal);
        return;
    }
    if (!typed.min)
        return;
    const DrawSummary &balance = estimate.resources.front().summary;
    if (*typed.max < balance.p90 || *typed.min > balance.p10)
        estimate.notes.push_back("Диапазон «" + typed.minTitle + "» – «" + typed.maxTitle + "» (" +
                                 number(*typed.min) + " – " + number(*typed.max) +
                                 ") не пересекается с диапазоном P90–P10 расчета (" + number(balance.p90) +
                                 " – " + number(balance.p10) + ").");
}

} // namespace

const char *resourceName(ProbabilisticResource resource)
{
    switch (resource) {
    case Resource::BalanceOil:
        return "Балансовые ресурсы нефти";
    case Resource::RecoverableOil:
        return "Извлекаемые ресурсы нефти";
    case Resource::DissolvedGas:
        return "Извлекаемые ресурсы растворенного газа";
    case Resource::InitialGas:
        return "Начальные ресурсы газа";
    case Resource::BalanceGas:
        return "Балансовые ресурсы газа";
    case Resource::BalanceCondensate:
        return "Балансовые ресурсы газоконденсата";
    case Resource::RecoverableCondensate:
        return "Извлекаемые ресурсы газоконденсата";
    }
    return "";
}

const char *resourceUnit(ProbabilisticResource resource)
{
    switch (resource) {
    case Resource::DissolvedGas:
    case Resource::InitialGas:
    case Resource::BalanceGas:
        return "млн м3";
    default:
        return "млн т";
    }
}

double uniformDraw(double u, double min, double max)
{
    return min + u * (max - min);
}

double triangularDraw(double u, double min, double mode, double max)
{
    const double width = max - min;
    const double split = (mode - min) / width;
    if (u < split)
        return min + std::sqrt(u * width * (mode - min));
    return max - std::sqrt((1 - u) * width * (max - mode));
}

FluidEstimate simulateFluid(const FluidInputs &inputs, const SimulationSettings &settings)
{
    FluidEstimate estimate;
    estimate.fluid = inputs.fluid;
    const FluidFormula &formula = formulaOf(inputs.fluid);
    if (inputs.parameters.size() != formula.parameters) {
        estimate.refusal = "Неполный набор параметров подсчета.";
        return estimate;
    }
    std::vector<Draw> draws(formula.parameters);
    std::size_t firstMissing = formula.parameters;
    for (std::size_t i = 0; i < formula.parameters; ++i) {
        estimate.refusal = prepare(inputs.parameters[i], settings.distribution, draws[i], estimate.notes);
        if (!estimate.refusal.empty())
            return estimate;
        estimate.parameters.push_back({draws[i].use, draws[i].distribution, std::nullopt});
        if (draws[i].distribution == Distribution::Triangular)
            estimate.parameters.back().mode = draws[i].mode;
        if (draws[i].use == ParameterUse::Missing)
            firstMissing = std::min(firstMissing, i);
    }
    std::size_t computed = 0;
    while (computed < formula.resources.size() && formula.resources[computed].second <= firstMissing)
        ++computed;
    if (computed < formula.resources.size()) {
        const ParameterRange &missing = inputs.parameters[firstMissing];
        const std::string what = "Не задано «" + missing.minTitle + "»";
        if (computed == 0) {
            estimate.refusal = what + ": ресурсы не вычисляются.";
            return estimate;
        }
        estimate.notes.push_back(what + ": " + resourceName(formula.resources[computed].first) +
                                 " и следующие за ними не вычисляются.");
    }

    const std::size_t n = static_cast<std::size_t>(std::max(settings.draws, 1));
    // The draws of every resource, in a buffer each thread keeps: a fresh one would cost its pages.
    thread_local std::vector<double> buffer;
    if (buffer.size() < computed * n)
        buffer.resize(computed * n);
    std::vector<std::span<double>> results;
    for (std::size_t r = 0; r < computed; ++r)
        results.emplace_back(buffer.data() + r * n, n);
    // Drawn in blocks, parameter after parameter, so that each loop is short and stays in the cache.
    constexpr std::size_t kBlock = 256;
    const std::size_t used = formula.resources[computed - 1].second;
    double columns[9][kBlock];
    double *p[9];
    for (std::size_t i = 0; i < used; ++i) {
        p[i] = columns[i];
        std::fill(std::begin(columns[i]), std::end(columns[i]), draws[i].low);
    }
    std::vector<DrawMoments> moments(computed);
    UnitDraws unit(settings.seed);
    for (std::size_t start = 0; start < n; start += kBlock) {
        const std::size_t length = std::min(kBlock, n - start);
        for (std::size_t i = 0; i < used; ++i) {
            const Draw &d = draws[i];
            if (d.use != ParameterUse::Varied)
                continue;
            if (d.distribution == Distribution::Triangular) {
                for (std::size_t k = 0; k < length; ++k)
                    columns[i][k] = triangularDraw(unit.next(), d.low, d.mode, d.high);
            } else {
                for (std::size_t k = 0; k < length; ++k)
                    columns[i][k] = uniformDraw(unit.next(), d.low, d.high);
            }
        }
        double *out[3];
        for (std::size_t r = 0; r < computed; ++r)
            out[r] = results[r].data() + start;
        evaluate(inputs.fluid, p, length, out, computed);
        for (std::size_t r = 0; r < computed; ++r)
            moments[r].add({out[r], length});
    }
    for (std::size_t r = 0; r < computed; ++r) {
        ResourceEstimate &resource = estimate.resources.emplace_back();
        resource.resource = formula.resources[r].first;
        resource.summary = summarizeDraws(results[r], moments[r]);
        if (settings.keepDraws)
            resource.draws.assign(results[r].begin(), results[r].end());
    }
    if (inputs.fluid == ResourceFluid::Condensate)
        checkCondensateRange(inputs, estimate);
    return estimate;
}

void forEachInParallel(std::size_t count, int threads, const std::function<void(std::size_t)> &job)
{
    std::atomic<std::size_t> next{0};
    const auto work = [&] {
        for (std::size_t i = next++; i < count; i = next++)
            job(i);
    };
    const unsigned wanted =
        threads > 0 ? static_cast<unsigned>(threads) : std::thread::hardware_concurrency();
    const std::size_t workers = std::clamp<std::size_t>(wanted, 1, std::max<std::size_t>(count, 1));
    std::vector<std::jthread> others;
    for (std::size_t t = 1; t < workers; ++t)
        others.emplace_back(work);
    work();
}

std::vector<FluidEstimate> simulateFluids(const std::vector<FluidInputs> &inputs,
                                          const SimulationSettings &settings, int threads)
{
    std::vector<FluidEstimate> estimates(inputs.size());
    forEachInParallel(inputs.size(), threads,
                      [&](std::size_t i) { estimates[i] = simulateFluid(inputs[i], settings); });
    return estimates;
}

} // namespace tarvena
