#pragma once
// The inputs of the probabilistic resources, taken from the typed reading of the productive horizons,
// and the figures written back.
#include "model/horizons.h"
#include "model/probabilistic.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tarvena {

class MemTable;
class TDataModule2;

// The parameters of a fluid of one horizon.
FluidInputs probabilisticInputs(ResourceFluid fluid, const ProductiveHorizon &horizon);

// The fluids whose pages show a horizon of this type.
std::vector<ResourceFluid> fluidsOf(Fluid fluid);

struct HorizonInputs
{
    int storedIndex = 0; // the place in table order (the table is not sorted after opening)
    std::optional<std::int32_t> id;
    std::string name; // STRATIGRSVIT, UTF-8
    std::vector<FluidInputs> fluids;
};

// Every productive horizon in shown order, whatever the table's filter, with the fluids of its class.
std::vector<HorizonInputs> readProbabilisticHorizons(const TDataModule2 &dm);

// The fields that keep a resource's most probable value, its probability and its deviation; nothing
// for a resource the passport does not keep.
struct ProbabilisticFields
{
    const char *value;
    const char *probability;
    const char *sigma;
};
std::optional<ProbabilisticFields> probabilisticFields(ProbabilisticResource resource);

// Writes the figures of an estimate into the current record of POSIB_PRODUCT_HOR and posts it. A
// deviation of 0 (a fixed resource) leaves its field empty: the field takes only positive values.
void writeEstimate(MemTable &horizons, const FluidEstimate &estimate, WrittenFigure figure);

} // namespace tarvena
