// The passport rules at scale: computing the resources while scrolling through the productive horizons,
// and keeping the point count while contour points are appended. Both must grow linearly: compare the
// times of the two sizes of each benchmark (the ratio should stay near 10).
#include "bench/resourceinputs.h"
#include "model/datamodule.h"
#include "tests/support/samplepassport.h"

#include <benchmark/benchmark.h>

using namespace tarvena;

namespace {

void BM_ScrollHorizonsComputingResources(benchmark::State &state)
{
    TDataModule2 dm;
    dm.DataModuleCreate(testing::dictionaryDir());
    MemTable &horizons = dm.POSIB_PRODUCT_HOR;
    horizons.DisableControls();
    for (int i = 0; i < state.range(0); ++i) {
        horizons.Append();
        horizons.FieldByName("UV_ID").SetAsInteger(886);
        for (const auto &[name, value] : tarvena::bench::kResourceInputs)
            horizons.FieldByName(name).SetAsFloat(value + i % 7);
        horizons.Post();
    }
    const Field &condensate = horizons.FieldByName("CALC_PERSPGAZCOND_RES");
    for (auto _ : state) {
        double sum = 0;
        for (horizons.First(); !horizons.Eof(); horizons.Next())
            sum += condensate.AsFloat();
        benchmark::DoNotOptimize(sum);
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ScrollHorizonsComputingResources)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

void BM_AppendPointsKeepingTheCount(benchmark::State &state)
{
    TDataModule2 dm;
    dm.DataModuleCreate(testing::dictionaryDir());
    MemTable &horizons = dm.POSIB_PRODUCT_HOR;
    MemTable &points = dm.KONTUR;
    horizons.Append();
    horizons.FieldByName("KONTURKOORDTYPE").SetAsInteger(2);
    horizons.Post();
    for (auto _ : state) {
        state.PauseTiming();
        points.EmptyTable();
        horizons.Edit();
        horizons.FieldByName("KONTURNUMPOINTS").Clear();
        horizons.Post();
        state.ResumeTiming();
        points.DisableControls();
        for (int i = 0; i < state.range(0); ++i) {
            points.Append();
            points.FieldByName("X").SetAsFloat(60 + i * 1e-5);
            points.FieldByName("Y").SetAsFloat(55 + i * 1e-5);
            points.Post();
        }
        points.EnableControls();
        benchmark::DoNotOptimize(horizons.FieldByName("KONTURNUMPOINTS").AsInteger());
    }
    if (horizons.FieldByName("KONTURNUMPOINTS").AsInteger() != state.range(0))
        state.SkipWithError("the point count does not match the points");
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_AppendPointsKeepingTheCount)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

} // namespace

BENCHMARK_MAIN();
