// Open and save of a large passport (20 MB of attachments, 100,000 contour points) against a floor
// run side by side: gzip -9 and gunzip of the table streams of blocks 1 to 4 with zlib, plus a
// plain copy of block 5. The ratio OpenSave / Floor is the figure to watch.
#include "model/datamodule.h"
#include "storage/gzip.h"
#include "storage/tablestream.h"
#include "tests/support/samplepassport.h"

#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cstring>
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

        auto plain = makeStreamFormat2();
        plain->RawBlobs = false;
        const auto tables = dm.passportTables();
        for (int i = 0; i < 4; ++i) {
            tables[i]->DefaultFormat = plain.get();
            MemoryStream out;
            tables[i]->SaveToStream(out);
            plainStreams.push_back(out.toString());
            tables[i]->DefaultFormat = dm.Format1.get();
        }
        dm.FILES.DefaultFormat = dm.Format2.get();
        MemoryStream files;
        dm.FILES.SaveToStream(files);
        filesBlock = files.toString();
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

void BM_Floor(benchmark::State &state)
{
    Fixture &f = fixture();
    for (auto _ : state) {
        for (const std::string &plain : f.plainStreams) {
            const std::string packed = gzipBytes(plain); // zlib deflate at level 9, as gzip -9
            benchmark::DoNotOptimize(gunzipBytes(packed));
        }
        std::string copy(f.filesBlock.size(), '\0');
        std::memcpy(copy.data(), f.filesBlock.data(), f.filesBlock.size());
        benchmark::DoNotOptimize(copy);
    }
}

} // namespace

BENCHMARK(BM_Floor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenSave)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
