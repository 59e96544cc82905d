// Opening a passport whose 1,000,001 contour points all share one ID, against the same passport with
// distinct IDs, run in turn within each iteration so both meet the same load. The open makes the
// repeated IDs unique; the ratio Shared / Distinct is the figure to watch (it should stay near 1).
//   repeatedids_bench [benchmark options]
//   repeatedids_bench --write DIR     writes shared-ids.psp and distinct-ids.psp into DIR and stops
#include "tests/support/samplepassport.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <stdexcept>
#include <unistd.h>

using namespace tarvena;

namespace {

constexpr int kPoints = 1000001;

// A passport of one productive horizon whose contour holds kPoints points; with shared, every point's
// ID is 7, else the IDs are 1 to kPoints.
void writeContourPassport(const std::string &path, bool shared)
{
    TDataModule2 dm;
    dm.DataModuleCreate(tarvena::testing::dictionaryDir());
    tarvena::testing::SampleSpec spec;
    spec.productiveHorizons = 1;
    spec.pointsPerHorizon = 0;
    spec.attachmentSizes = {};
    tarvena::testing::fillSamplePassport(dm, spec);
    const std::int64_t owner = dm.POSIB_PRODUCT_HOR.FieldByName("ID").AsInteger();
    MemTable &contour = dm.KONTUR;
    contour.reserveRecords(kPoints);
    for (int i = 0; i < kPoints; ++i)
        contour.appendStoredRecord(
            {std::int64_t{shared ? 7 : i + 1}, owner, 60.0 + (i % 1000) * 1e-4, 55.0 + (i / 1000) * 1e-4});
    dm.SavePassport(path);
}

struct Fixture
{
    std::string shared, distinct;

    Fixture()
    {
        const std::filesystem::path dir = std::filesystem::temp_directory_path();
        const std::string stem = "tarvena-ids-" + std::to_string(::getpid());
        shared = (dir / (stem + "-shared.psp")).string();
        distinct = (dir / (stem + "-distinct.psp")).string();
        writeContourPassport(shared, true);
        writeContourPassport(distinct, false);
    }
    ~Fixture()
    {
        std::filesystem::remove(shared);
        std::filesystem::remove(distinct);
    }
};

Fixture &fixture()
{
    static Fixture f;
    return f;
}

double timedOpen(TDataModule2 &dm, const std::string &path)
{
    const auto start = std::chrono::steady_clock::now();
    dm.OpenPassport(path);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (dm.KONTUR.storedRecordCount() != kPoints)
        throw std::runtime_error("the contour was not read whole");
    return seconds;
}

// Both opens in turn; the counters give each time and their ratio.
void OpenRatio(benchmark::State &state)
{
    Fixture &f = fixture();
    TDataModule2 dm;
    dm.DataModuleCreate(tarvena::testing::dictionaryDir());
    double distinct = 0, shared = 0;
    for (auto _ : state) {
        distinct += timedOpen(dm, f.distinct);
        shared += timedOpen(dm, f.shared);
    }
    const auto n = static_cast<double>(state.iterations());
    state.counters["distinct_s"] = distinct / n;
    state.counters["shared_s"] = shared / n;
    state.counters["ratio"] = shared / distinct;
}

} // namespace

BENCHMARK(OpenRatio)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

int main(int argc, char **argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--write") == 0) {
        try {
            writeContourPassport((std::filesystem::path(argv[2]) / "shared-ids.psp").string(), true);
            writeContourPassport((std::filesystem::path(argv[2]) / "distinct-ids.psp").string(), false);
        } catch (const std::exception &e) {
            std::fprintf(stderr, "%s\n", e.what());
            return 1;
        }
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
