// Unpacking a large passport (50 productive horizons, 100,000 contour points, 20 MB of attachments)
// against floors run side by side. The floor is what an unpacking cannot do without: inflating every
// attachment into a file of its own and writing the workbooks' bytes once (taken from an unpacking
// made beforehand), with no flush to the disk. The inflate floor is decompressing the attachments
// alone, in memory. UnpackRatio runs the floors and the unpacking in turn within each iteration and
// reports Ratio (unpacking over floor), CpuRatio (the same in processor time) and InflateRatio
// (unpacking over inflate floor), for attachments that do not compress (images) and for attachments
// that do (documents). Engine 3 runs once when the office suite is installed.
#include "exchange/unpacking/contoursheet.h"
#include "exchange/unpacking/unpack.h"
#include "exchange/workbooks/calcengine.h"
#include "exchange/workbooks/sheetwriter.h"
#include "model/datamodule.h"
#include "storage/codepage.h"
#include "storage/gzip.h"
#include "tests/support/samplepassport.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <sstream>
#include <stdexcept>
#include <unistd.h>
#include <vector>

using namespace tarvena;

namespace {

constexpr std::size_t kAttachments = 20;
constexpr std::size_t kAttachmentSize = 1024 * 1024;

// Text of Russian-looking words: compresses about as well as a document does.
std::string documentBytes(std::size_t size, unsigned seed)
{
    static const char *const words[] = {"горизонт", "ловушка",    "структура", "пласт",   "нефть",
                                        "газ",      "контур",     "площадь",   "толщина", "коэффициент",
                                        "ресурсы",  "отражающий", "разрез"};
    std::mt19937 random(seed);
    std::string text;
    while (text.size() < size) {
        text += codepage::utf8ToCp1251(words[random() % std::size(words)]);
        text += random() % 12 == 0 ? ".\r\n" : " ";
        if (random() % 9 == 0)
            text += std::to_string(random() % 10000);
    }
    text.resize(size);
    return text;
}

// The records of the passport: 50 productive horizons of 2,000 contour points each.
void fillSample(TDataModule2 &dm)
{
    tarvena::testing::SampleSpec spec;
    spec.reflectHorizons = 20;
    spec.productiveHorizons = 50;
    spec.pointsPerHorizon = 2000;
    spec.attachmentSizes = {};
    tarvena::testing::fillSamplePassport(dm, spec);
}

struct Passport
{
    TDataModule2 dm;
    std::filesystem::path folder;

    explicit Passport(bool compressible)
    {
        dm.DataModuleCreate(tarvena::testing::dictionaryDir());
        fillSample(dm);
        for (std::size_t i = 0; i < kAttachments; ++i) {
            const unsigned seed = static_cast<unsigned>(i + 1);
            dm.FILES.Append();
            dm.FILES.FieldByName("NAME").SetAsString("file" + std::to_string(i) +
                                                     (compressible ? ".doc" : ".jpg"));
            dm.FILES.FieldByName("CONTENT").SetAsString(
                gzipBytes(compressible ? documentBytes(kAttachmentSize, seed)
                                       : tarvena::testing::noiseBytes(kAttachmentSize, seed)));
            dm.FILES.FieldByName("DESCRIPTION").SetAsString("description " + std::to_string(i));
            dm.FILES.Post();
        }
        folder =
            std::filesystem::temp_directory_path() / ("tarvena-bench-unpack-" + std::to_string(::getpid()));
        unpackPassport(dm, folder.string(), true);
        for (const auto &entry : std::filesystem::recursive_directory_iterator(folder)) {
            if (entry.path().extension() != ".xls")
                continue;
            std::ifstream in(entry.path(), std::ios::binary);
            std::ostringstream bytes;
            bytes << in.rdbuf();
            workbooks.push_back(bytes.str());
        }
    }
    ~Passport() { std::filesystem::remove_all(folder); }

    std::vector<std::string> workbooks; // the bytes of an unpacking's workbooks
};

Passport &passport(bool compressible)
{
    static std::unique_ptr<Passport> passports[2];
    if (!passports[compressible])
        passports[compressible] = std::make_unique<Passport>(compressible);
    return *passports[compressible];
}

// Calls use with the stored content of every attachment, read in place.
template <typename Use> void forEachContent(const MemTable &files, Use use)
{
    const int content = files.FieldByName("CONTENT").dataIndex();
    files.forEachStoredInOrder(
        [&](const std::vector<Value> &record, int) { use(std::get<std::string>(record[content])); });
}

void decompressAttachments(MemTable &files)
{
    std::size_t bytes = 0;
    forEachContent(files, [&](const std::string &content) { bytes += gunzipBytes(content).size(); });
    benchmark::DoNotOptimize(bytes);
}

void writeFile(const std::filesystem::path &path, std::string_view bytes)
{
    std::FILE *file = std::fopen(path.c_str(), "wb");
    if (!file || std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size() || std::fclose(file) != 0)
        throw std::runtime_error("cannot write " + path.string());
}

// Each attachment inflated into a file of its own, then the workbooks' bytes into files.
void writeFloor(Passport &p)
{
    const std::filesystem::path folder = p.folder / "floor";
    std::filesystem::create_directories(folder);
    int n = 0;
    forEachContent(p.dm.FILES, [&](const std::string &content) {
        writeFile(folder / ("a" + std::to_string(n++)), gunzipBytes(content));
    });
    for (const std::string &workbook : p.workbooks)
        writeFile(folder / ("w" + std::to_string(n++) + ".xls"), workbook);
}

void InflateFloor(benchmark::State &state)
{
    MemTable &files = passport(state.range(0) != 0).dm.FILES;
    for (auto _ : state)
        decompressAttachments(files);
}

void Floor(benchmark::State &state)
{
    Passport &p = passport(state.range(0) != 0);
    for (auto _ : state)
        writeFloor(p);
}

void Unpack(benchmark::State &state)
{
    Passport &p = passport(state.range(0) != 0);
    for (auto _ : state)
        unpackPassport(p.dm, p.folder.string(), true);
}

// Table 11 alone (the same 100,000 points, no attachments): the largest workbook of an unpacking, in
// processor time.
void ContourSheet(benchmark::State &state)
{
    TDataModule2 dm;
    dm.DataModuleCreate(tarvena::testing::dictionaryDir());
    fillSample(dm);
    const std::filesystem::path path = std::filesystem::temp_directory_path() /
                                       ("tarvena-bench-contours-" + std::to_string(::getpid()) + ".xls");
    SheetWriter writer;
    for (auto _ : state)
        writeContourSheet(writer, dm, path.string());
    std::filesystem::remove(path);
}

struct Seconds
{
    double real = 0;
    double cpu = 0;
};

// Wall-clock and processor time of work: on a busy shared machine the processor time is the steadier
// of the two.
template <typename Work> void timeOf(Seconds &total, Work work)
{
    const auto start = std::chrono::steady_clock::now();
    const std::clock_t cpu = std::clock();
    work();
    total.cpu += double(std::clock() - cpu) / CLOCKS_PER_SEC;
    total.real += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The floor and the unpacking in turn within each iteration, so that both meet the same load on a
// shared machine; the counter Ratio is unpacking time over floor time.
void UnpackRatio(benchmark::State &state)
{
    Passport &p = passport(state.range(0) != 0);
    Seconds floor, inflate, unpack;
    for (auto _ : state) {
        timeOf(floor, [&] { writeFloor(p); });
        timeOf(inflate, [&] { decompressAttachments(p.dm.FILES); });
        timeOf(unpack, [&] { unpackPassport(p.dm, p.folder.string(), true); });
    }
    state.counters["Ratio"] = unpack.real / floor.real;
    state.counters["CpuRatio"] = unpack.cpu / floor.cpu;
    state.counters["InflateRatio"] = unpack.real / inflate.real;
}

void UnpackOfficeSuite(benchmark::State &state)
{
    Passport &p = passport(false);
    for (auto _ : state)
        unpackPassport(p.dm, p.folder.string(), false);
}

} // namespace

// Argument: 0 attachments that do not compress, 1 attachments that do.
BENCHMARK(InflateFloor)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(Floor)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(Unpack)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ContourSheet)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
BENCHMARK(UnpackRatio)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    if (!findOfficeProgram().empty())
        benchmark::RegisterBenchmark("UnpackOfficeSuite", UnpackOfficeSuite)
            ->Iterations(1)
            ->Unit(benchmark::kMillisecond);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
