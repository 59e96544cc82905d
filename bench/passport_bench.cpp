// Open and save of a large passport (20 MB of attachments, 100,000 contour points) against a floor
// run side by side: gzip -9 and gunzip of the table streams of blocks 1 to 4 with zlib, plus a
// plain copy of block 5. The ratio OpenSave / Floor is the figure to watch (OpenSaveRatio measures it
// with both in turn).
#include "bench/largestreams.h"
#include "bench/sidebyside.h"
#include "model/datamodule.h"
#include "storage/gzip.h"
#include "storage/tablestream.h"
#include "tests/support/samplepassport.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <unistd.h>

using namespace tarvena;

namespace {

struct Fixture
{
    std::string path;
    std::vector<std::string> plainStreams; // blocks 1 to 4, uncompressed table streams
    std::string filesBlock;                // block 5 as stored

    Fixture()
    {
        TDataModule2 dm;
        dm.DataModuleCreate(tarvena::testing::dictionaryDir());
        tarvena::testing::fillSamplePassport(dm, tarvena::testing::largeSampleSpec());
        path = (std::filesystem::temp_directory_path() /
                ("tarvena-bench-" + std::to_string(::getpid()) + ".psp"))
                   .string();
        dm.SavePassport(path);

        plainStreams = bench::plainTableStreams(dm);
        filesBlock = bench::filesBlock(dm);
    }
    ~Fixture() { std::filesystem::remove(path); }
};

Fixture &fixture()
{
    static Fixture f;
    return f;
}

void BM_OpenSave(benchmark::State &state)
{
    Fixture &f = fixture();
    TDataModule2 dm;
    dm.DataModuleCreate(tarvena::testing::dictionaryDir());
    const std::string out = f.path + ".out";
    for (auto _ : state) {
        dm.OpenPassport(f.path);
        dm.SavePassport(out);
    }
    std::filesystem::remove(out);
}

void floor(const Fixture &f)
{
    for (const std::string &plain : f.plainStreams) {
        const std::string packed = bench::zlibMember(plain); // as gzip -9
        benchmark::DoNotOptimize(gunzipBytes(packed));
    }
    std::string copy(f.filesBlock.size(), '\0');
    std::memcpy(copy.data(), f.filesBlock.data(), f.filesBlock.size());
    benchmark::DoNotOptimize(copy);
}

void BM_Floor(benchmark::State &state)
{
    Fixture &f = fixture();
    for (auto _ : state)
        floor(f);
}

// The floor and an open + save in turn within each iteration, so that both meet the same load on a
// shared machine: Ratio in wall-clock time, CpuRatio in processor time of all threads.
void BM_OpenSaveRatio(benchmark::State &state)
{
    Fixture &f = fixture();
    TDataModule2 dm;
    dm.DataModuleCreate(tarvena::testing::dictionaryDir());
    const std::string out = f.path + ".out";
    double floorReal = 0, floorCpu = 0, saveReal = 0, saveCpu = 0;
    using bench::timed;
    for (auto _ : state) {
        timed(floorReal, floorCpu, [&] { floor(f); });
        timed(saveReal, saveCpu, [&] {
            dm.OpenPassport(f.path);
            dm.SavePassport(out);
        });
    }
    state.counters["Ratio"] = saveReal / floorReal;
    state.counters["CpuRatio"] = saveCpu / floorCpu;
    state.counters["SavedBytes"] = double(std::filesystem::file_size(out));
    std::filesystem::remove(out);
}

} // namespace

BENCHMARK(BM_Floor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenSave)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenSaveRatio)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK_MAIN();
