#include "model/probabilisticinputs.h"

#include "model/columnsets.h"
#include "model/horizonfields.h"
#include "model/memtable.h"
#include "storage/codepage.h"
#include "storage/error.h"

#include <map>
#include <span>

namespace tarvena {
namespace {

// A parameter in the typed reading: the bounds of the probabilistic grid (none for a parameter without
// range, which then takes its fixed value) and the deterministic grid's value.
struct ParameterSource
{
    const char *symbol;
    Range ResourceRanges::*range = nullptr;
    std::optional<double> ResourceInputs::*deterministic = nullptr;
    std::optional<double> ResourceRanges::*fixed = nullptr; // the value of a parameter without range
    // The condensate's initial gas, whose deterministic value the deterministic grids compute.
    bool computedInitialGas = false;
};

using R = ResourceRanges;
using I = ResourceInputs;

const ParameterSource kOil[] = {
    {"S", &R::S, &I::S},     {"h", &R::h, &I::h},     {"m", &R::m, &I::m},
    {"Kn", &R::Kn, &I::Kn},  {"ρ", &R::rho, &I::rho}, {"θ", &R::theta, &I::theta},
    {"Kf", nullptr, &I::Kf}, {"Kr", &R::Kr, &I::Kr},  {"G", nullptr, nullptr, &R::G},
};
const ParameterSource kGas[] = {
    {"F", &R::F, &I::F},    {"hg", &R::hg, &I::hg}, {"mg", &R::mg, &I::mg},           {"Kg", &R::Kg, &I::Kg},
    {"P0", &R::P0, &I::P0}, {"z", &R::z, &I::z},    {"Pk", nullptr, nullptr, &R::Pk}, {"f", &R::f, &I::f},
    {"d", &R::d, &I::d},
};
const ParameterSource kCondensate[] = {
    {"Qг", &R::initialGas, nullptr, nullptr, true},
    {"c", &R::c, &I::c},
    {"Kc", &R::Kc, &I::Kc},
};
// Only compared with the draws: it has no deterministic value.
const ParameterSource kBalanceCondensate = {"Qк", &R::balanceCondensate};

// The field a member of the typed reading is stored in.
template <typename Table, typename Member> const auto &entryOf(const Table &table, Member member)
{
    for (const auto &entry : table)
        if (entry.member == member)
            return entry;
    throw Error("No stored field for a member of the horizon reading");
}

// A grid column's title on one line, in UTF-8.
std::string oneLine(const std::string &cp1251)
{
    std::string line;
    for (char c : codepage::cp1251ToUtf8(cp1251)) {
        const char shown = c == '\n' ? ' ' : c;
        if (shown == ' ' && (line.empty() || line.back() == ' '))
            continue;
        line += shown;
    }
    while (!line.empty() && line.back() == ' ')
        line.pop_back();
    return line;
}

// The title of a field's column on the horizon pages; the field's name when no grid shows it.
std::string columnTitle(const std::string &field)
{
    static const std::map<std::string, std::string> titles = [] {
        std::map<std::string, std::string> byField;
        for (const std::string &grid : gridNames())
            for (const ColumnSpec &column : gridColumns(grid))
                byField.emplace(column.fieldName, oneLine(column.title));
        return byField;
    }();
    const auto found = titles.find(field);
    return found == titles.end() ? field : found->second;
}

ParameterRange parameter(const ParameterSource &source, const ProductiveHorizon &horizon)
{
    ParameterRange p;
    p.symbol = source.symbol;
    if (source.range) {
        const horizonfields::RangeField &fields = entryOf(horizonfields::Ranges, source.range);
        p.minTitle = columnTitle(fields.min);
        p.maxTitle = columnTitle(fields.max);
        p.min = (horizon.ranges.*source.range).min;
        p.max = (horizon.ranges.*source.range).max;
    } else {
        p.ranged = false;
        p.minTitle = p.maxTitle =
            columnTitle(source.fixed ? entryOf(horizonfields::Fixed, source.fixed).name
                                     : entryOf(horizonfields::Inputs, source.deterministic).name);
    }
    if (source.fixed)
        p.deterministic = horizon.ranges.*source.fixed;
    else if (source.deterministic)
        p.deterministic = horizon.parameters.*source.deterministic;
    else if (source.computedInitialGas)
        p.deterministic = horizon.computed.initialGas;
    return p;
}

void setFigure(MemTable &table, const char *field, double value)
{
    Field &f = table.FieldByName(field);
    if (value > 0)
        f.SetAsFloat(value);
    else
        f.Clear();
}

} // namespace

FluidInputs probabilisticInputs(ResourceFluid fluid, const ProductiveHorizon &horizon)
{
    FluidInputs inputs;
    inputs.fluid = fluid;
    using Sources = std::span<const ParameterSource>;
    const Sources sources = fluid == ResourceFluid::Oil   ? Sources(kOil)
                            : fluid == ResourceFluid::Gas ? Sources(kGas)
                                                          : Sources(kCondensate);
    for (const ParameterSource &source : sources)
        inputs.parameters.push_back(parameter(source, horizon));
    if (fluid == ResourceFluid::Condensate)
        inputs.balanceCondensate = parameter(kBalanceCondensate, horizon);
    return inputs;
}

std::vector<ResourceFluid> fluidsOf(Fluid fluid)
{
    std::vector<ResourceFluid> fluids;
    if (carries(fluid, Product::Oil))
        fluids.push_back(ResourceFluid::Oil);
    if (carries(fluid, Product::Gas))
        fluids.push_back(ResourceFluid::Gas);
    if (carries(fluid, Product::Condensate))
        fluids.push_back(ResourceFluid::Condensate);
    return fluids;
}

std::vector<HorizonInputs> readProbabilisticHorizons(const TDataModule2 &dm)
{
    std::vector<HorizonInputs> result;
    for (const ProductiveHorizon &horizon : readProductiveHorizons(dm)) {
        HorizonInputs &inputs = result.emplace_back();
        inputs.storedIndex = horizon.number - 1;
        if (horizon.id)
            inputs.id = static_cast<std::int32_t>(*horizon.id);
        inputs.name = codepage::cp1251ToUtf8(horizon.name);
        for (ResourceFluid fluid : fluidsOf(horizon.fluid))
            inputs.fluids.push_back(probabilisticInputs(fluid, horizon));
    }
    return result;
}

std::optional<ProbabilisticFields> probabilisticFields(ProbabilisticResource resource)
{
    using Resource = ProbabilisticResource;
    using P = ProbableResources;
    ProbableFigures P::*member = nullptr;
    switch (resource) {
    case Resource::BalanceOil:
        member = &P::balanceOil;
        break;
    case Resource::RecoverableOil:
        member = &P::recoverableOil;
        break;
    case Resource::DissolvedGas:
        member = &P::dissolvedGas;
        break;
    case Resource::InitialGas:
        member = &P::initialGas;
        break;
    case Resource::BalanceGas:
        member = &P::balanceGas;
        break;
    case Resource::RecoverableCondensate:
        member = &P::recoverableCondensate;
        break;
    case Resource::BalanceCondensate:
        return std::nullopt;
    }
    const horizonfields::ProbableField &fields = entryOf(horizonfields::Probable, member);
    return ProbabilisticFields{fields.probable, fields.probability, fields.deviation};
}

void writeEstimate(MemTable &horizons, const FluidEstimate &estimate, WrittenFigure figure)
{
    if (estimate.resources.empty())
        return;
    if (horizons.State() == TableState::Browse)
        horizons.Edit();
    for (const ResourceEstimate &resource : estimate.resources) {
        const auto fields = probabilisticFields(resource.resource);
        if (!fields)
            continue;
        const WrittenValues written = writtenValues(resource.summary, figure);
        setFigure(horizons, fields->value, written.value);
        setFigure(horizons, fields->probability, written.probability);
        setFigure(horizons, fields->sigma, written.sigma);
    }
    horizons.Post();
}

} // namespace tarvena
