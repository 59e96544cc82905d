#include "model/probabilisticinputs.h"

#include "model/columnsets.h"
#include "model/fieldvalue.h"
#include "model/horizonfields.h"
#include "model/memtable.h"
#include "storage/codepage.h"

#include <map>
#include <span>

namespace tarvena {
namespace {

// A parameter by its fields: the bounds of the probabilistic grid (none for a parameter without
// range, which then reads `deterministic` as its fixed value) and the deterministic grid's value.
struct ParameterFields
{
    const char *symbol;
    const char *min;
    const char *max;
    // Empty for the condensate's initial gas, computed from the deterministic grids; none for the
    // typed range of the balance condensate, which is only compared with the draws.
    const char *deterministic;
};

const ParameterFields kOil[] = {
    {"S", "OILSQUAREMIN", "OILSQUAREMAX", "SQUARENEFTENOSN"},
    {"h", "OILWIDTHMIN", "OILWIDTHMAX", "EFECTOILWIDTH"},
    {"m", "OILKOEFOTKRPORMIN", "OILKOEFOTKRPORMAX", "OILKOEFOTKRPORIST"},
    {"Kn", "OILNASUSHMIN", "OILNASUSHMAX", "KOEFOILNASUSH"},
    {"ρ", "OILPLOTNSURFMIN", "OILPLOTNSURFMAX", "OILPLOTN"},
    {"θ", "OILKOEFPERERASCHMIN", "OILKOEFPERERASCHMAX", "OILPERERASCHKOEF"},
    {"Kf", nullptr, nullptr, "KOEFOILZAP"},
    {"Kr", "OILKOEFIZVLECHMIN", "OILKOEFIZVLECHMAX", "KOEFOILIZVL"},
    {"G", nullptr, nullptr, "OILGAZFACTOR2"},
};
const ParameterFields kGas[] = {
    {"F", "GAZSQUAREMIN", "GAZSQUAREMAX", "SQUAREGAZONOSN"},
    {"hg", "GAZWIDTHMIN", "GAZWIDTHMAX", "EFECTGAZWIDTH"},
    {"mg", "GAZKOEFOTKRPORMIN", "GAZKOEFOTKRPORMAX", "GAZKOEFOTKRPORIST"},
    {"Kg", "GAZNASUSHMIN", "GAZNASUSHMAX", "KOEFGAZNASUSH"},
    {"P0", "GAZSTARTPREASUREMIN", "GAZSTARTPREASUREMAX", "GAZSTARTPLASTPREASURE"},
    {"z", "GAZKOEFSZIMMIN", "GAZKOEFSZIMMAX", "GAZKOEFSZIM"},
    {"Pk", nullptr, nullptr, "GAZSTARTPREASURE"},
    {"f", "GAZTEMPERPOPRMIN", "GAZTEMPERPOPRMAX", "GAZTEMPERPOPR"},
    {"d", "SODSIHGORMIN", "SODSIHGORMAX", "GAZSODSUH"},
};
const ParameterFields kCondensate[] = {
    {"Qг", "GAZCONBALANCERESGAZMIN", "GAZCONBALANCERESGAZMAX", ""},
    {"c", "GAZCONNACHSODKONDMIN", "GAZCONNACHSODKONDMAX", "GAZCONDAVGSTARTCONSIST"},
    {"Kc", "GAZCONKOEFIZVLECHMIN", "GAZCONKOEFIZVLECHMAX", "GAZCONDKOEFIZVLECH"},
};

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

ResourceInputs deterministicInputs(const NumberReader &value)
{
    ResourceInputs in;
    for (const auto &field : horizonfields::Inputs)
        in.*field.member = value(field.name);
    return in;
}

ParameterRange parameter(const ParameterFields &fields, const NumberReader &value)
{
    ParameterRange p;
    p.symbol = fields.symbol;
    if (fields.min) {
        p.minTitle = columnTitle(fields.min);
        p.maxTitle = columnTitle(fields.max);
        p.min = value(fields.min);
        p.max = value(fields.max);
    } else {
        p.ranged = false;
        p.minTitle = p.maxTitle = columnTitle(fields.deterministic);
    }
    if (!fields.deterministic)
        return p;
    if (*fields.deterministic)
        p.deterministic = value(fields.deterministic);
    else
        p.deterministic = computeResources(deterministicInputs(value)).initialGas;
    return p;
}

std::optional<double> storedNumber(const MemTable &table, int index, const char *name)
{
    const Value v = table.storedValue(index, table.FieldByName(name).dataIndex());
    if (isNull(v))
        return std::nullopt;
    return fieldvalue::toDouble(v);
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

FluidInputs probabilisticInputs(ResourceFluid fluid, const NumberReader &value)
{
    FluidInputs inputs;
    inputs.fluid = fluid;
    using Fields = std::span<const ParameterFields>;
    const Fields fields = fluid == ResourceFluid::Oil   ? Fields(kOil)
                          : fluid == ResourceFluid::Gas ? Fields(kGas)
                                                        : Fields(kCondensate);
    for (const ParameterFields &f : fields)
        inputs.parameters.push_back(parameter(f, value));
    if (fluid == ResourceFluid::Condensate)
        inputs.balanceCondensate =
            parameter({"Qк", "BALANCERESGAZCONDMIN", "BALANCERESGAZCONDMAX", nullptr}, value);
    return inputs;
}

std::vector<ResourceFluid> fluidsOf(int uvId)
{
    std::vector<ResourceFluid> fluids;
    if (isOilBearing(uvId))
        fluids.push_back(ResourceFluid::Oil);
    if (isGasBearing(uvId))
        fluids.push_back(ResourceFluid::Gas);
    if (isCondensateBearing(uvId))
        fluids.push_back(ResourceFluid::Condensate);
    return fluids;
}

std::vector<HorizonInputs> readProbabilisticHorizons(const MemTable &horizons)
{
    std::vector<HorizonInputs> result;
    const int nameIndex = horizons.FieldByName("STRATIGRSVIT").dataIndex();
    for (int i = 0; i < horizons.storedRecordCount(); ++i) {
        const NumberReader value = [&](const char *name) { return storedNumber(horizons, i, name); };
        HorizonInputs &horizon = result.emplace_back();
        horizon.storedIndex = i;
        if (const auto id = value("ID"))
            horizon.id = static_cast<std::int32_t>(*id);
        const Value name = horizons.storedValue(i, nameIndex);
        if (const auto *text = std::get_if<std::string>(&name))
            horizon.name = codepage::cp1251ToUtf8(*text);
        for (ResourceFluid fluid : fluidsOf(static_cast<int>(value("UV_ID").value_or(0))))
            horizon.fluids.push_back(probabilisticInputs(fluid, value));
    }
    return result;
}

std::optional<ProbabilisticFields> probabilisticFields(ProbabilisticResource resource)
{
    using R = ProbabilisticResource;
    switch (resource) {
    case R::BalanceOil:
        return ProbabilisticFields{"OILBALANCERESOURCEP", "OILBALANCERESOURCEPD", "OILBALANCERESOURCES"};
    case R::RecoverableOil:
        return ProbabilisticFields{"OILPERSPECTRESOURCEP", "OILPERSPECTRESOURCEPD", "OILPERSPECTRESOURCES"};
    case R::DissolvedGas:
        return ProbabilisticFields{"PERSPRESGAZRASTVP", "PERSPRESGAZRASTVPD", "PERSPRESGAZRASTVS"};
    case R::InitialGas:
        return ProbabilisticFields{"GAZBALANCERESOURCEP", "GAZBALANCERESOURCEPD", "GAZBALANCERESOURCES"};
    case R::BalanceGas:
        return ProbabilisticFields{"GAZBALANCERESOURCEPNEW", "GAZBALANCERESOURCEPDNEW",
                                   "GAZBALANCERESOURCESNEW"};
    case R::RecoverableCondensate:
        return ProbabilisticFields{"IZVLEKRESGAZCONDPNEW", "IZVLEKRESGAZCONDPDNEW", "IZVLEKRESGAZCONDSNEW"};
    case R::BalanceCondensate:
        break;
    }
    return std::nullopt;
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
