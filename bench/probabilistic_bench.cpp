// The probabilistic resources of a passport of generated productive horizons holding oil, gas and
// condensate, on all cores, against drawing the same random numbers alone on the same threads. The
// simulation (transforms, formulas, quantiles, density estimate) should cost at most twice the draws:
// compare the two times (the ratio is printed as a counter of the simulation).
#include "bench/resourceinputs.h"
#include "model/datamodule.h"
#include "model/probabilisticinputs.h"
#include "tests/support/samplepassport.h"

#include <benchmark/benchmark.h>

#include <chrono>

using namespace tarvena;

namespace {

// The bounds of each range around a middle value; the single values of the probabilistic grids.
constexpr std::pair<const char *, double> kRanges[] = {{"OILSQUARE", 10},
                                                       {"OILWIDTH", 5},
                                                       {"OILKOEFOTKRPOR", 0.2},
                                                       {"OILNASUSH", 0.7},
                                                       {"OILPLOTNSURF", 0.85},
                                                       {"OILKOEFPERERASCH", 0.8},
                                                       {"OILKOEFIZVLECH", 0.3},
                                                       {"GAZSQUARE", 10},
                                                       {"GAZWIDTH", 5},
                                                       {"GAZKOEFOTKRPOR", 0.2},
                                                       {"GAZNASUSH", 0.7},
                                                       {"GAZSTARTPREASURE", 200},
                                                       {"GAZKOEFSZIM", 0.8},
                                                       {"GAZTEMPERPOPR", 0.9},
                                                       {"SODSIHGOR", 0.5},
                                                       {"GAZCONBALANCERESGAZ", 1500},
                                                       {"GAZCONNACHSODKOND", 100},
                                                       {"GAZCONKOEFIZVLECH", 0.5},
                                                       {"BALANCERESGAZCOND", 0.15}};
constexpr std::pair<const char *, double> kSingles[] = {{"OILGAZFACTOR2", 50}, {"GAZSTARTPREASURE", 1}};

std::vector<FluidInputs> generatedInputs(int horizons)
{
    TDataModule2 dm;
    dm.DataModuleCreate(testing::dictionaryDir());
    MemTable &table = dm.POSIB_PRODUCT_HOR;
    table.DisableControls();
    for (int i = 0; i < horizons; ++i) {
        const double spread = 0.1 + 0.02 * (i % 5);
        table.Append();
        table.FieldByName("UV_ID").SetAsInteger(886); // oil, gas and condensate
        for (const auto &[name, value] : tarvena::bench::kResourceInputs)
            table.FieldByName(name).SetAsFloat(value);
        for (const auto &[name, value] : kRanges) {
            table.FieldByName(std::string(name) + "MIN").SetAsFloat(value * (1 - spread));
            table.FieldByName(std::string(name) + "MAX").SetAsFloat(value * (1 + spread));
        }
        for (const auto &[name, value] : kSingles)
            table.FieldByName(name).SetAsFloat(value);
        table.Post();
    }
    std::vector<FluidInputs> inputs;
    for (const HorizonInputs &h : readProbabilisticHorizons(dm))
        inputs.insert(inputs.end(), h.fluids.begin(), h.fluids.end());
    return inputs;
}

int variedCount(const FluidInputs &inputs)
{
    int varied = 0;
    for (const ParameterRange &p : inputs.parameters)
        varied += p.ranged && p.min && p.max && *p.min < *p.max;
    return varied;
}

constexpr int kDraws = 100000;

double drawsAloneSeconds(const std::vector<FluidInputs> &inputs, const SimulationSettings &settings)
{
    std::vector<double> sums(inputs.size());
    const auto start = std::chrono::steady_clock::now();
    forEachInParallel(inputs.size(), 0, [&](std::size_t i) {
        UnitDraws unit(settings.seed);
        const long long count = static_cast<long long>(settings.draws) * variedCount(inputs[i]);
        double sum = 0;
        for (long long k = 0; k < count; ++k)
            sum += unit.next();
        sums[i] = sum;
    });
    benchmark::DoNotOptimize(sums.data());
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void BM_DrawsAlone(benchmark::State &state)
{
    const std::vector<FluidInputs> inputs = generatedInputs(static_cast<int>(state.range(0)));
    SimulationSettings settings;
    settings.draws = kDraws;
    for (auto _ : state)
        state.SetIterationTime(drawsAloneSeconds(inputs, settings));
}

void BM_Simulation(benchmark::State &state)
{
    const std::vector<FluidInputs> inputs = generatedInputs(static_cast<int>(state.range(0)));
    SimulationSettings settings;
    settings.draws = kDraws;
    double simulated = 0, alone = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(simulateFluids(inputs, settings));
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.SetIterationTime(seconds);
        simulated += seconds;
        state.PauseTiming();
        alone += drawsAloneSeconds(inputs, settings);
        state.ResumeTiming();
    }
    state.counters["ratio_to_draws"] = simulated / alone;
}

// 1,000 horizons take seconds on two cores: one iteration each; 100 for a quick look.
BENCHMARK(BM_DrawsAlone)->Arg(100)->Arg(1000)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Simulation)->Arg(100)->Arg(1000)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
