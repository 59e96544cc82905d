// The probabilistic resources against closed forms: moments of products of independent parameters,
// quantiles and mode of one varied parameter, fixed inputs, refusals and the seed.
#include "model/probabilistic.h"
#include "model/resources.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numeric>

using namespace tarvena;

namespace {

ParameterRange ranged(double min, double max, std::optional<double> deterministic = std::nullopt)
{
    ParameterRange p;
    p.minTitle = "Мин";
    p.maxTitle = "Макс";
    p.min = min;
    p.max = max;
    p.deterministic = deterministic;
    return p;
}

ParameterRange fixedAt(double value)
{
    ParameterRange p;
    p.minTitle = p.maxTitle = "Пост";
    p.ranged = false;
    p.deterministic = value;
    return p;
}

FluidInputs fluid(ResourceFluid kind, std::vector<ParameterRange> parameters)
{
    return {kind, std::move(parameters), std::nullopt};
}

// E[X] and E[X^2] of a parameter as the simulation draws it.
struct Moments
{
    double first, second;
};

Moments momentsOf(const ParameterRange &p, Distribution distribution)
{
    if (!p.ranged || *p.min == *p.max) {
        const double v = p.ranged ? *p.min : *p.deterministic;
        return {v, v * v};
    }
    const double a = *p.min, b = *p.max;
    if (distribution == Distribution::Triangular && p.deterministic) {
        const double c = *p.deterministic;
        return {(a + b + c) / 3, (a * a + b * b + c * c + a * b + a * c + b * c) / 6};
    }
    return {(a + b) / 2, (a * a + a * b + b * b) / 3};
}

// The closed-form moments of the first resource of oil (a product) and condensate (a product / 1e6).
Moments productMoments(const FluidInputs &in, std::size_t count, Distribution distribution, double scale)
{
    Moments m{scale, scale * scale};
    for (std::size_t i = 0; i < count; ++i) {
        const Moments p = momentsOf(in.parameters[i], distribution);
        m.first *= p.first;
        m.second *= p.second;
    }
    return m;
}

// Checks the sample's mean and variance against closed-form moments within four standard errors,
// the errors estimated from the sample itself.
void expectMoments(const std::vector<double> &draws, const Moments &expected)
{
    const double n = static_cast<double>(draws.size());
    const double mean = std::accumulate(draws.begin(), draws.end(), 0.0) / n;
    double m2 = 0, m4 = 0;
    for (double x : draws) {
        const double d = (x - mean) * (x - mean);
        m2 += d;
        m4 += d * d;
    }
    m2 /= n;
    m4 /= n;
    const double variance = expected.second - expected.first * expected.first;
    EXPECT_NEAR(mean, expected.first, 4 * std::sqrt(m2 / n));
    EXPECT_NEAR(m2, variance, 4 * std::sqrt((m4 - m2 * m2) / n));
}

SimulationSettings settings(Distribution distribution = Distribution::Uniform)
{
    SimulationSettings s;
    s.distribution = distribution;
    s.keepDraws = true;
    return s;
}

FluidInputs oilRanges()
{
    return fluid(ResourceFluid::Oil, {ranged(8, 12, 10), ranged(4, 7, 5), ranged(0.15, 0.25, 0.2),
                                      ranged(0.6, 0.8, 0.7), ranged(0.82, 0.88, 0.85), ranged(0.7, 0.9, 0.8),
                                      fixedAt(1), ranged(0.2, 0.4, 0.3), fixedAt(50)});
}

} // namespace

TEST(ProbabilisticTest, ProductsAgreeWithClosedFormMoments)
{
    struct Case
    {
        const char *name;
        FluidInputs inputs;
        std::size_t factors; // leading parameters of the first resource's product
        double scale;
    };
    const Case cases[] = {
        {"oil", oilRanges(), 7, 1},
        {"oil, wide and fixed ranges",
         fluid(ResourceFluid::Oil, {ranged(1, 100, 30), ranged(5, 5), ranged(0.05, 0.3, 0.1),
                                    ranged(0.5, 0.9, 0.9), ranged(0.7, 0.95, 0.7), ranged(0.6, 0.99, 0.8),
                                    fixedAt(0.8), ranged(0.1, 0.5, 0.2), fixedAt(40)}),
         7, 1},
        {"condensate",
         fluid(ResourceFluid::Condensate,
               {ranged(500, 2000, 900), ranged(50, 300, 120), ranged(0.5, 0.8, 0.6)}),
         2, 1e-6},
    };
    for (const Case &c : cases) {
        for (const Distribution d : {Distribution::Uniform, Distribution::Triangular}) {
            SCOPED_TRACE(std::string(c.name) +
                         (d == Distribution::Triangular ? ", triangular" : ", uniform"));
            const FluidEstimate e = simulateFluid(c.inputs, settings(d));
            ASSERT_TRUE(e.refusal.empty()) << e.refusal;
            ASSERT_FALSE(e.resources.empty());
            expectMoments(e.resources[0].draws, productMoments(c.inputs, c.factors, d, c.scale));
            // The next resource is the first times one more factor.
            expectMoments(e.resources[1].draws, productMoments(c.inputs, c.factors + 1, d, c.scale));
            const DrawSummary &s = e.resources[0].summary;
            EXPECT_LE(s.p90, s.p50);
            EXPECT_LE(s.p50, s.p10);
        }
    }
}

TEST(ProbabilisticTest, GasAgreesWithClosedFormMoments)
{
    // (P0 / z - Pk) F hg mg Kg f with a uniform z: E[1/z] = ln(b/a) / (b - a), E[1/z^2] = 1 / (ab).
    const double za = 0.75, zb = 0.95, pk = 60;
    const FluidInputs in = fluid(ResourceFluid::Gas, {ranged(5, 15), ranged(3, 8), ranged(0.1, 0.2),
                                                      ranged(0.6, 0.9), ranged(180, 240), ranged(za, zb),
                                                      fixedAt(pk), ranged(0.85, 0.95), ranged(0.9, 0.99)});
    const FluidEstimate e = simulateFluid(in, settings());
    ASSERT_TRUE(e.refusal.empty()) << e.refusal;
    const Moments volume =
        productMoments(fluid(ResourceFluid::Gas, {in.parameters[0], in.parameters[1], in.parameters[2],
                                                  in.parameters[3], in.parameters[7]}),
                       5, Distribution::Uniform, 1);
    const Moments p0 = momentsOf(in.parameters[4], Distribution::Uniform);
    const double inverse = std::log(zb / za) / (zb - za), inverseSquare = 1 / (za * zb);
    const Moments pressure{p0.first * inverse - pk,
                           p0.second * inverseSquare - 2 * pk * p0.first * inverse + pk * pk};
    const Moments initial{pressure.first * volume.first, pressure.second * volume.second};
    expectMoments(e.resources[0].draws, initial);
    const Moments d = momentsOf(in.parameters[8], Distribution::Uniform);
    expectMoments(e.resources[1].draws, {initial.first * d.first, initial.second * d.second});
}

TEST(ProbabilisticTest, OneVariedParameterGivesItsQuantilesAndMode)
{
    // S varies, the rest is fixed: the balance is S times 5 x 0.2 x 0.7 x 0.85 x 0.8 x 1.
    const double k = 5 * 0.2 * 0.7 * 0.85 * 0.8;
    const auto oilWithArea = [](ParameterRange area) {
        return fluid(ResourceFluid::Oil,
                     {area, ranged(5, 5), ranged(0.2, 0.2), ranged(0.7, 0.7), ranged(0.85, 0.85),
                      ranged(0.8, 0.8), fixedAt(1), ranged(0.3, 0.3), fixedAt(50)});
    };
    struct Case
    {
        Distribution distribution;
        double a, c, b;
    };
    for (const Case &c : {Case{Distribution::Uniform, 5, 10, 15}, Case{Distribution::Triangular, 5, 10, 15},
                          Case{Distribution::Triangular, 5, 8, 15}}) {
        SCOPED_TRACE(c.c);
        const FluidEstimate e = simulateFluid(oilWithArea(ranged(c.a, c.b, c.c)), settings(c.distribution));
        ASSERT_EQ(e.resources.size(), 3u);
        const DrawSummary &s = e.resources[0].summary;
        const auto quantile = [&](double q) {
            if (c.distribution == Distribution::Uniform)
                return c.a + q * (c.b - c.a);
            const double split = (c.c - c.a) / (c.b - c.a);
            return q < split ? c.a + std::sqrt(q * (c.b - c.a) * (c.c - c.a))
                             : c.b - std::sqrt((1 - q) * (c.b - c.a) * (c.b - c.c));
        };
        // The sampling error of a quantile at 100,000 draws is about 0.3 % of the range.
        const double tolerance = 0.005 * (c.b - c.a) * k;
        EXPECT_NEAR(s.p90, quantile(0.1) * k, tolerance);
        EXPECT_NEAR(s.p50, quantile(0.5) * k, tolerance);
        EXPECT_NEAR(s.p10, quantile(0.9) * k, tolerance);
        if (c.distribution == Distribution::Triangular) {
            // The kernel smooths the peak's corner: the mode is found within a bandwidth of it.
            const double bandwidth = 0.9 * s.sigma * std::pow(1e5, -0.2);
            EXPECT_NEAR(s.mode, c.c * k, bandwidth);
            EXPECT_NEAR(s.modeProbability, 1 - (c.c - c.a) * (c.c - c.a) / ((c.b - c.a) * (c.c - c.a)),
                        bandwidth / k / (c.b - c.a) * 2 + 0.01);
        }
        // The dissolved gas is the same distribution scaled by Kr and G.
        EXPECT_NEAR(e.resources[2].summary.p50, s.p50 * 0.3 * 50, 1e-9 * s.p50);
    }
}

TEST(ProbabilisticTest, FixedInputsGiveTheDeterministicValue)
{
    FluidInputs in = oilRanges();
    for (ParameterRange &p : in.parameters)
        if (p.ranged)
            p.min = p.max = p.deterministic;
    const FluidEstimate e = simulateFluid(in, settings());
    ASSERT_EQ(e.resources.size(), 3u);
    ResourceInputs d;
    d.S = 10, d.h = 5, d.m = 0.2, d.Kn = 0.7, d.rho = 0.85, d.theta = 0.8, d.Kf = 1, d.Kr = 0.3, d.G = 50;
    const ResourceResults r = computeResources(d);
    const double expected[] = {*r.balanceOil, *r.recoverableOil, *r.dissolvedGas};
    for (std::size_t i = 0; i < 3; ++i) {
        const DrawSummary &s = e.resources[i].summary;
        EXPECT_DOUBLE_EQ(s.mode, expected[i]);
        EXPECT_DOUBLE_EQ(s.p50, expected[i]);
        EXPECT_EQ(s.sigma, 0);
        EXPECT_EQ(s.modeProbability, 1);
    }
    EXPECT_DOUBLE_EQ(e.resources[0].summary.mean, 4.76);
}

TEST(ProbabilisticTest, RefusesBadRangesNamingTheColumn)
{
    ParameterRange lower = ranged(8, 12);
    lower.minTitle = "Минимальная площадь нефтеносности (км2)";
    lower.maxTitle = "Максимальная площадь нефтеносности (км2)";
    struct Case
    {
        const char *name;
        std::optional<double> min, max;
        const char *named;
    };
    for (const Case &c :
         {Case{"max missing", 8.0, std::nullopt, "«Максимальная площадь нефтеносности (км2)»"},
          Case{"min missing", std::nullopt, 12.0, "«Минимальная площадь нефтеносности (км2)»"},
          Case{"min above max", 12.0, 8.0, "«Минимальная площадь нефтеносности (км2)» (12)"}}) {
        SCOPED_TRACE(c.name);
        FluidInputs in = oilRanges();
        in.parameters[0] = lower;
        in.parameters[0].min = c.min;
        in.parameters[0].max = c.max;
        const FluidEstimate e = simulateFluid(in, settings());
        EXPECT_NE(e.refusal.find(c.named), std::string::npos) << e.refusal;
        EXPECT_TRUE(e.resources.empty());
    }
    // Nothing typed for the recovery factor: the balance stands, the recoverable figures do not.
    FluidInputs in = oilRanges();
    in.parameters[7].min = in.parameters[7].max = std::nullopt;
    const FluidEstimate e = simulateFluid(in, settings());
    EXPECT_TRUE(e.refusal.empty());
    EXPECT_EQ(e.resources.size(), 1u);
    ASSERT_FALSE(e.notes.empty());
}

TEST(ProbabilisticTest, CondensateRangeOutsideTheDrawsIsNamed)
{
    FluidInputs in = fluid(ResourceFluid::Condensate, {ranged(500, 2000), ranged(50, 300), ranged(0.5, 0.8)});
    ParameterRange typed = ranged(0.01, 0.02);
    typed.minTitle = "Минимальное значение балансовых ресурсов газоконденсата (млн т)";
    in.balanceCondensate = typed;
    const auto notes = [&] { return simulateFluid(in, settings()).notes; };
    ASSERT_EQ(notes().size(), 1u);
    EXPECT_NE(notes()[0].find(typed.minTitle), std::string::npos) << notes()[0];
    in.balanceCondensate->max = 0.2; // now overlaps the draws' P90-P10
    EXPECT_TRUE(notes().empty());
}

TEST(ProbabilisticTest, SeedFixesTheFiguresAndThreadsDoNotMatter)
{
    const std::vector<FluidInputs> inputs(5, oilRanges());
    SimulationSettings s;
    const auto one = simulateFluids(inputs, s, 1);
    const auto two = simulateFluids(inputs, s, 2);
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        EXPECT_EQ(one[i].resources[1].summary.p50, two[i].resources[1].summary.p50);
        EXPECT_EQ(one[i].resources[1].summary.mode, two[i].resources[1].summary.mode);
    }
    s.seed = 7;
    const FluidEstimate other = simulateFluid(inputs[0], s);
    const double p50 = one[0].resources[1].summary.p50;
    EXPECT_NE(other.resources[1].summary.p50, p50);
    EXPECT_LT(std::abs(other.resources[1].summary.p50 - p50), 0.01 * p50);
}

TEST(ProbabilisticTest, GeneratorSequenceIsTheStandardOne)
{
    // The standard fixes the 10000th output of the 64-bit Mersenne twister with its default seed.
    UnitDraws unit(5489);
    double u = 0;
    for (int i = 0; i < 10000; ++i)
        u = unit.next();
    EXPECT_EQ(u, static_cast<double>(9981545732273789042ull >> 11) * 0x1.0p-53);
    EXPECT_EQ(triangularDraw(0, 1, 2, 4), 1);
    EXPECT_DOUBLE_EQ(triangularDraw(1.0 / 3, 1, 2, 4), 2);
    EXPECT_EQ(uniformDraw(0.5, 2, 4), 3);
}
