#pragma once
// The inputs of the probabilistic resources as the productive horizons hold them, and the figures
// written back. Reading goes by field name over the stored records, so no cursor moves.
#include "model/probabilistic.h"
#include "model/resources.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace tarvena {

class MemTable;

// A field of one horizon by name; nothing for an empty field.
using NumberReader = std::function<std::optional<double>(const char *field)>;

// The parameters of a fluid from the fields of one horizon.
FluidInputs probabilisticInputs(ResourceFluid fluid, const NumberReader &value);

// The fluids whose pages show a horizon of hydrocarbon type uvId.
std::vector<ResourceFluid> fluidsOf(int uvId);

struct HorizonInputs
{
    int storedIndex = 0;
    std::optional<std::int32_t> id;
    std::string name; // STRATIGRSVIT, UTF-8
    std::vector<FluidInputs> fluids;
};

// Every productive horizon in stored order, whatever the table's filter, with the fluids of its class.
std::vector<HorizonInputs> readProbabilisticHorizons(const MemTable &horizons);

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
