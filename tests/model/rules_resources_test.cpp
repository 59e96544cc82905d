// The resource formulas as pure functions: worked numbers, presence rules and the overflow guards.
#include "model/numberformat.h"
#include "model/passportschema.h"
#include "model/resources.h"

#include <gtest/gtest.h>

#include <limits>

using namespace tarvena;

namespace {

constexpr double huge = std::numeric_limits<double>::max();

ResourceInputs oilInputs()
{
    ResourceInputs in;
    in.S = 10;
    in.h = 5;
    in.m = 0.2;
    in.Kn = 0.7;
    in.rho = 0.85;
    in.theta = 0.8;
    in.Kf = 1;
    in.Kr = 0.3;
    in.G = 50;
    return in;
}

ResourceInputs gasInputs()
{
    ResourceInputs in;
    in.F = 10;
    in.hg = 5;
    in.mg = 0.2;
    in.Kg = 0.7;
    in.P0 = 200;
    in.z = 0.8;
    in.Pk = 1;
    in.f = 0.9;
    in.c = 100;
    return in;
}

std::string shown(const std::optional<double> &value)
{
    return value ? numfmt::formatFloat(ResourceFormat, *value) : std::string("(empty)");
}

TEST(Resources, WorkedOilAndGasNumbers)
{
    ResourceInputs in = gasInputs();
    const ResourceInputs oil = oilInputs();
    in.S = oil.S;
    in.h = oil.h;
    in.m = oil.m;
    in.Kn = oil.Kn;
    in.rho = oil.rho;
    in.theta = oil.theta;
    in.Kf = oil.Kf;
    in.Kr = oil.Kr;
    in.G = oil.G;
    in.d = 0.5;
    in.Kc = 0.4;
    const ResourceResults r = computeResources(in);
    EXPECT_DOUBLE_EQ(*r.balanceOil, 4.76);
    EXPECT_DOUBLE_EQ(*r.recoverableOil, 1.428);
    EXPECT_DOUBLE_EQ(*r.dissolvedGas, 71.4);
    EXPECT_DOUBLE_EQ(*r.initialGas, 1568.7);
    EXPECT_DOUBLE_EQ(*r.balanceGas, 784.35);
    EXPECT_DOUBLE_EQ(*r.balanceCondensate, 0.15687);
    EXPECT_DOUBLE_EQ(*r.recoverableCond, 0.15687 * 0.4);
    EXPECT_EQ(shown(r.balanceOil), "4.76");
    EXPECT_EQ(shown(r.recoverableOil), "1.428");
    EXPECT_EQ(shown(r.dissolvedGas), "71.4");
    EXPECT_EQ(shown(r.initialGas), "1568.7");
    EXPECT_EQ(shown(r.balanceCondensate), "0.157");
}

TEST(Resources, AnyMissingOilInputEmptiesEveryOilResult)
{
    std::optional<double> ResourceInputs::*const required[] = {
        &ResourceInputs::S,   &ResourceInputs::h,     &ResourceInputs::m, &ResourceInputs::Kn,
        &ResourceInputs::rho, &ResourceInputs::theta, &ResourceInputs::Kf};
    for (auto member : required) {
        ResourceInputs in = oilInputs();
        in.*member = std::nullopt;
        const ResourceResults r = computeResources(in);
        EXPECT_FALSE(r.balanceOil || r.recoverableOil || r.dissolvedGas);
    }
}

// Which inputs a case starts from, what it changes, and which results are present afterwards:
// O1 O2 O3 G1 G2 C1 C2.
enum Base
{
    None,
    Oil,
    Gas
};
struct PresenceCase
{
    const char *what;
    Base base;
    void (*change)(ResourceInputs &);
    const char *present;
};

std::string presence(const ResourceResults &r)
{
    std::string s;
    for (const auto *value : {&r.balanceOil, &r.recoverableOil, &r.dissolvedGas, &r.initialGas, &r.balanceGas,
                              &r.balanceCondensate, &r.recoverableCond})
        s += value->has_value() ? '1' : '0';
    return s;
}

TEST(Resources, PresenceRulesAndGuards)
{
    using In = ResourceInputs;
    const PresenceCase cases[] = {
        {"no inputs", None, [](In &) {}, "0000000"},
        {"oil without Kr", Oil, [](In &in) { in.Kr.reset(); }, "1000000"},
        {"oil without G", Oil, [](In &in) { in.G.reset(); }, "1100000"},
        {"gas without d, with c", Gas, [](In &) {}, "0001010"},
        {"gas with d and Kc", Gas,
         [](In &in) {
             in.d = 0.9;
             in.Kc = 0.5;
         },
         "0001111"},
        {"Kc without c", Gas,
         [](In &in) {
             in.c.reset();
             in.Kc = 0.5;
         },
         "0001000"},
        {"gas missing Pk", Gas, [](In &in) { in.Pk.reset(); }, "0000000"},
        // An overflow ends its step; results before it stand, the rest stay empty.
        {"gas volume overflows", Gas,
         [](In &in) {
             in.F = huge;
             in.hg = huge;
         },
         "0000000"},
        {"z of 0", Gas, [](In &in) { in.z = 0; }, "0000000"},
        {"G2 overflows", Gas,
         [](In &in) {
             in.d = huge;
             in.Kc = 0.5;
         },
         "0001000"},
        {"C1 overflows", Gas,
         [](In &in) {
             in.F = 1e6;
             in.d = 0.5;
             in.c = huge;
             in.Kc = 0.5;
         },
         "0001100"},
        {"oil volume overflows", Oil,
         [](In &in) {
             in.S = huge;
             in.h = huge;
         },
         "0000000"},
        {"O2 overflows", Oil, [](In &in) { in.Kr = huge; }, "1000000"},
        {"O3 overflows", Oil, [](In &in) { in.G = huge; }, "1100000"},
        {"not a number", Oil, [](In &in) { in.S = std::numeric_limits<double>::quiet_NaN(); }, "0000000"},
    };
    for (const PresenceCase &c : cases) {
        ResourceInputs in = c.base == Oil ? oilInputs() : c.base == Gas ? gasInputs() : ResourceInputs{};
        c.change(in);
        EXPECT_EQ(presence(computeResources(in)), c.present) << c.what;
    }
}

TEST(Resources, OilAndGasStepsAreIndependent)
{
    ResourceInputs in = gasInputs();
    in.S = huge;
    in.h = in.m = in.Kn = in.rho = in.theta = in.Kf = 10.0;
    EXPECT_EQ(presence(computeResources(in)), "0001010");
}

TEST(Resources, GasProductIsFormedBeforeThePressureTerm)
{
    // (P0 / z - Pk) x (F x hg x mg x Kg x f): Pk is not divided by z.
    ResourceInputs in = gasInputs();
    in.P0 = 100;
    in.z = 2;
    in.Pk = 10;
    in.F = in.hg = in.mg = in.Kg = in.f = 1.0;
    EXPECT_DOUBLE_EQ(*computeResources(in).initialGas, 40);
}

TEST(Resources, FluidClasses)
{
    struct Case
    {
        int uv;
        bool oil, gas, condensate;
    };
    const Case cases[] = {{397, true, false, false}, {398, false, true, false}, {399, true, true, false},
                          {401, false, true, true},  {886, true, true, true},   {0, false, false, false},
                          {400, false, false, false}};
    for (const Case &c : cases) {
        EXPECT_EQ(isOilBearing(c.uv), c.oil) << c.uv;
        EXPECT_EQ(isGasBearing(c.uv), c.gas) << c.uv;
        EXPECT_EQ(isCondensateBearing(c.uv), c.condensate) << c.uv;
    }
}

} // namespace
