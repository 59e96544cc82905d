#include "model/resources.h"

#include "model/fluid.h"

#include <cmath>
#include <initializer_list>

namespace tarvena {
namespace {

using Extended = long double;

bool allPresent(std::initializer_list<const std::optional<double> *> inputs)
{
    for (const auto *input : inputs) {
        if (!input->has_value())
            return false;
    }
    return true;
}

// Stores an extended result as a double; nothing when it does not fit or is not a number.
std::optional<double> stored(Extended value)
{
    const double result = static_cast<double>(value);
    if (!std::isfinite(result))
        return std::nullopt;
    return result;
}

void computeOil(const ResourceInputs &in, ResourceResults &out)
{
    if (!allPresent({&in.S, &in.h, &in.m, &in.Kn, &in.rho, &in.Kf, &in.theta}))
        return;
    out.balanceOil = stored(Extended(*in.S) * *in.h * *in.m * *in.Kn * *in.rho * *in.theta * *in.Kf);
    if (!out.balanceOil || !in.Kr)
        return;
    out.recoverableOil = stored(Extended(*out.balanceOil) * *in.Kr);
    if (!out.recoverableOil || !in.G)
        return;
    out.dissolvedGas = stored(Extended(*out.recoverableOil) * *in.G);
}

void computeGas(const ResourceInputs &in, ResourceResults &out)
{
    if (!allPresent({&in.F, &in.hg, &in.mg, &in.Kg, &in.P0, &in.Pk, &in.z, &in.f}))
        return;
    const Extended volume = Extended(*in.F) * *in.hg * *in.mg * *in.Kg * *in.f;
    const Extended pressure = Extended(*in.P0) / *in.z - *in.Pk;
    out.initialGas = stored(pressure * volume);
    if (!out.initialGas)
        return;
    if (in.d) {
        out.balanceGas = stored(Extended(*out.initialGas) * *in.d);
        if (!out.balanceGas)
            return;
    }
    if (!in.c)
        return;
    out.balanceCondensate = stored(Extended(*out.initialGas) * *in.c / 1000000);
    if (!out.balanceCondensate || !in.Kc)
        return;
    out.recoverableCond = stored(Extended(*out.balanceCondensate) * *in.Kc);
}

} // namespace

ResourceResults computeResources(const ResourceInputs &in)
{
    ResourceResults out;
    computeOil(in, out);
    computeGas(in, out);
    return out;
}

bool isOilBearing(int uvId)
{
    return carries(fluidOfKey(uvId), Product::Oil);
}

bool isGasBearing(int uvId)
{
    return carries(fluidOfKey(uvId), Product::Gas);
}

bool isCondensateBearing(int uvId)
{
    return carries(fluidOfKey(uvId), Product::Condensate);
}

} // namespace tarvena
