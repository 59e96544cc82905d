#pragma once
// The hydrocarbon type of a productive horizon (UV_ID, dictionary 18) and the fluids each type
// carries: the one place where the type keys are written.
#include <array>
#include <cstdint>
#include <string>

namespace tarvena {

enum class Fluid
{
    None, // no type chosen, or a key the dictionary does not hold
    Oil,
    Gas,
    OilAndGas,
    GasCondensate,
    OilGasCondensate
};

// What a resource page counts: each shows the horizons whose type carries its product.
enum class Product
{
    Oil,
    Gas,
    Condensate
};

struct FluidKey
{
    Fluid fluid;
    std::int64_t key; // UV_ID
    bool oil, gas, condensate;
};

inline constexpr std::array<FluidKey, 5> FluidKeys = {{
    {Fluid::Oil, 397, true, false, false},
    {Fluid::Gas, 398, false, true, false},
    {Fluid::OilAndGas, 399, true, true, false},
    {Fluid::GasCondensate, 401, false, true, true},
    {Fluid::OilGasCondensate, 886, true, true, true},
}};

constexpr Fluid fluidOfKey(std::int64_t key)
{
    for (const FluidKey &entry : FluidKeys)
        if (entry.key == key)
            return entry.fluid;
    return Fluid::None;
}

constexpr bool carries(Fluid fluid, Product product)
{
    for (const FluidKey &entry : FluidKeys)
        if (entry.fluid == fluid)
            return product == Product::Oil   ? entry.oil
                   : product == Product::Gas ? entry.gas
                                             : entry.condensate;
    return false;
}

// The table filter that lets through the horizons carrying product: "UV_ID=397 OR UV_ID=399 ...".
inline std::string productFilter(Product product)
{
    std::string filter;
    for (const FluidKey &entry : FluidKeys) {
        if (!carries(entry.fluid, product))
            continue;
        if (!filter.empty())
            filter += " OR ";
        filter += "UV_ID=" + std::to_string(entry.key);
    }
    return filter;
}

} // namespace tarvena
