#pragma once
// The probabilistic resources of a productive horizon: the counting parameters are independent random
// variables over the ranges of the probabilistic grid, the deterministic formulas are applied to each
// draw, and every resource gets its mean, deviation, P90/P50/P10 and most probable value. Plain values
// in, plain values out: the passport is read and written elsewhere.
#include "model/probabilisticstats.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace tarvena {

enum class Distribution
{
    Uniform,
    Triangular // mode at the deterministic grid's value, when it lies within the range
};

enum class ResourceFluid
{
    Oil,
    Gas,
    Condensate
};

enum class ProbabilisticResource
{
    BalanceOil,
    RecoverableOil,
    DissolvedGas,
    InitialGas,
    BalanceGas,
    BalanceCondensate,
    RecoverableCondensate
};

// The resource's name and unit, as the pages call it (UTF-8).
const char *resourceName(ProbabilisticResource resource);
const char *resourceUnit(ProbabilisticResource resource);

// One counting parameter as the passport holds it. A ranged parameter is varied over [min, max]
// (fixed when they are equal); a parameter without a range is fixed at `deterministic`.
struct ParameterRange
{
    std::string symbol;   // the formula's symbol: S, h, Kn...
    std::string minTitle; // the column titles (UTF-8, one line) naming the bounds in messages
    std::string maxTitle;
    std::optional<double> min;
    std::optional<double> max;
    std::optional<double> deterministic; // the triangular mode; the value of a parameter without range
    bool ranged = true;
};

// The parameters of one fluid in the order of its formula:
//   oil: S, h, m, Kn, rho, theta, Kf, Kr, G
//   gas: F, hg, mg, Kg, P0, z, Pk, f, d
//   condensate: initial gas, c, Kc
// The condensate also carries the typed range of its balance resources, checked against the draws.
struct FluidInputs
{
    ResourceFluid fluid = ResourceFluid::Oil;
    std::vector<ParameterRange> parameters;
    std::optional<ParameterRange> balanceCondensate;
};

struct SimulationSettings
{
    static constexpr std::uint64_t kDefaultSeed = 20181;
    int draws = 100000;
    std::uint64_t seed = kDefaultSeed;
    Distribution distribution = Distribution::Uniform;
    bool keepDraws = false; // the dialog draws its chart from them
};

// How a parameter took part in the simulation, for the table of inputs.
enum class ParameterUse
{
    Varied,
    Fixed,   // min equals max, or a parameter without range
    Missing, // nothing typed: the resources that need it are not computed
};

struct ParameterReport
{
    ParameterUse use = ParameterUse::Missing;
    Distribution distribution = Distribution::Uniform; // of a varied parameter
    std::optional<double> mode;                        // of a triangular one
};

struct ResourceEstimate
{
    ProbabilisticResource resource = ProbabilisticResource::BalanceOil;
    DrawSummary summary;
    std::vector<double> draws; // when asked for
};

struct FluidEstimate
{
    ResourceFluid fluid = ResourceFluid::Oil;
    std::string refusal;            // set: nothing was computed, and this says why
    std::vector<std::string> notes; // what the user should know of the figures
    std::vector<ParameterReport> parameters;
    std::vector<ResourceEstimate> resources;
};

// Refuses (in `refusal`) a parameter with one bound only or with its minimum above its maximum.
FluidEstimate simulateFluid(const FluidInputs &inputs, const SimulationSettings &settings);

// Simulates every input on `threads` threads (0: as many as the machine has); results in input order.
// A horizon's figures depend only on its inputs and the settings, never on the threads or its place.
std::vector<FluidEstimate> simulateFluids(const std::vector<FluidInputs> &inputs,
                                          const SimulationSettings &settings, int threads = 0);

// Runs job(0) .. job(count - 1) on `threads` threads (0: as many as the machine has), the calling
// thread among them.
void forEachInParallel(std::size_t count, int threads, const std::function<void(std::size_t)> &job);

// The generator: the 64-bit Mersenne twister, whose sequence the standard fixes, with the transforms
// written here so that every library gives the same numbers.
class UnitDraws
{
public:
    explicit UnitDraws(std::uint64_t seed) : mEngine(seed) {}
    // Uniform on [0, 1): the top 53 bits of a word.
    double next() { return static_cast<double>(mEngine() >> 11) * 0x1.0p-53; }

private:
    std::mt19937_64 mEngine;
};

double uniformDraw(double u, double min, double max);
double triangularDraw(double u, double min, double mode, double max);

} // namespace tarvena
