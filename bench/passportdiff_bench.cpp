// The comparison of two large passports (100,000 contour points each, one point moved) against
// opening both, run side by side: Ratio (wall clock) and CpuRatio of diff / open both is the figure
// to watch; it should stay at most 1.5.
#include "bench/sidebyside.h"
#include "exchange/gis/contourmeasure.h"
#include "model/datamodule.h"
#include "model/passportdiff.h"
#include "model/passportsession.h"
#include "tests/support/samplepassport.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <unistd.h>

using namespace tarvena;

namespace {

struct Fixture
{
    std::string before, after;

    Fixture()
    {
        const auto base =
            std::filesystem::temp_directory_path() / ("tarvena-diff-" + std::to_string(::getpid()));
        before = base.string() + "-a.psp";
        after = base.string() + "-b.psp";
        TDataModule2 dm;
        dm.DataModuleCreate(testing::dictionaryDir());
        testing::fillSamplePassport(dm, testing::largeSampleSpec());
        dm.SavePassport(before);
        MemTable &points = dm.KONTUR;
        points.SetFiltered(false);
        points.SetRecNo(points.RecordCount() / 2);
        points.Edit();
        points.FieldByName("Y").SetAsFloat(points.FieldByName("Y").AsFloat() + 1e-3);
        points.Post();
        dm.SavePassport(after);
    }
    ~Fixture()
    {
        std::filesystem::remove(before);
        std::filesystem::remove(after);
    }
};

Fixture &fixture()
{
    static Fixture f;
    return f;
}

std::unique_ptr<TDataModule2> opened(const std::string &path)
{
    auto dm = std::make_unique<TDataModule2>();
    dm->DataModuleCreate(testing::dictionaryDir());
    PassportSession(*dm).open(path);
    return dm;
}

void openBoth(const Fixture &f)
{
    benchmark::DoNotOptimize(opened(f.before));
    benchmark::DoNotOptimize(opened(f.after));
}

// As tarvena-cli diff does it: both opened, then compared with the contours measured.
void diff(const Fixture &f)
{
    const auto before = opened(f.before);
    const auto after = openPassportToCompare(*before, f.after);
    gis::EllipsoidMeasure measure;
    const PassportDiff result = comparePassports(*before, *after, &measure);
    if (result.lines.size() != 1)
        throw std::runtime_error("expected one difference, got " + std::to_string(result.lines.size()));
}

void BM_OpenBoth(benchmark::State &state)
{
    for (auto _ : state)
        openBoth(fixture());
}

void BM_Diff(benchmark::State &state)
{
    for (auto _ : state)
        diff(fixture());
}

// Both in turn within each iteration, so that both meet the same load on a shared machine.
void BM_DiffRatio(benchmark::State &state)
{
    Fixture &f = fixture();
    double openReal = 0, openCpu = 0, diffReal = 0, diffCpu = 0;
    using bench::timed;
    for (auto _ : state) {
        timed(openReal, openCpu, [&] { openBoth(f); });
        timed(diffReal, diffCpu, [&] { diff(f); });
    }
    state.counters["Ratio"] = diffReal / openReal;
    state.counters["CpuRatio"] = diffCpu / openCpu;
}

} // namespace

BENCHMARK(BM_OpenBoth)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Diff)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DiffRatio)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK_MAIN();
