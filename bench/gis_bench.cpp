// export-gis of a large passport (10 horizons of 10,000 points) against writing the same points as
// plain text, side by side. Both start from the open data module and read the contours from it; the
// ratio ExportGis / PlainText is the figure to watch, per format.
#include "exchange/gis/gisexport.h"
#include "model/coordinates.h"
#include "model/datamodule.h"
#include "model/horizons.h"
#include "tests/support/samplepassport.h"

#include <benchmark/benchmark.h>

#include <charconv>
#include <filesystem>
#include <fstream>
#include <unistd.h>

using namespace tarvena;

namespace {

struct Fixture
{
    TDataModule2 dm;
    std::filesystem::path folder;

    Fixture()
    {
        dm.DataModuleCreate(tarvena::testing::dictionaryDir());
        tarvena::testing::SampleSpec spec;
        spec.productiveHorizons = 10;
        spec.pointsPerHorizon = 10000;
        spec.attachmentSizes = {};
        tarvena::testing::fillSamplePassport(dm, spec);
        folder = std::filesystem::temp_directory_path() / ("tarvena-gis-bench-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
    }
    ~Fixture() { std::filesystem::remove_all(folder); }
};

Fixture &fixture()
{
    static Fixture f;
    return f;
}

// Every horizon's points to a text file, one "X<TAB>Y" line each, each number as text() writes it.
template <typename Text> void writePointsAsText(benchmark::State &state, Text text)
{
    Fixture &f = fixture();
    const std::filesystem::path out = f.folder / "contours.txt";
    for (auto _ : state) {
        std::string lines;
        for (const auto &[horizon, contour] : contoursByHorizon(f.dm.KONTUR)) {
            for (const StoredPoint &point : contour) {
                text(lines, point.x);
                lines += '\t';
                text(lines, point.y);
                lines += '\n';
            }
        }
        std::ofstream(out, std::ios::binary) << lines;
    }
}

// The shortest text that reads back exactly.
void BM_PlainText(benchmark::State &state)
{
    writePointsAsText(state, [](std::string &out, std::optional<double> value) {
        char buffer[32];
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, value.value_or(0));
        out.append(buffer, result.ptr);
    });
}

// The texts the contour page shows (the program's own coordinate format).
void BM_CoordinateText(benchmark::State &state)
{
    writePointsAsText(state, [](std::string &out, std::optional<double> value) {
        out += coordinateText(CoordDecimalDegrees, value);
    });
}

// The part of the export that PROJ's geodesic polygon area takes: every contour's area alone, one
// after another.
void BM_GeodesicArea(benchmark::State &state)
{
    Fixture &f = fixture();
    for (auto _ : state) {
        double sum = 0;
        for (const auto &[horizon, contour] : contoursByHorizon(f.dm.KONTUR))
            sum += gis::PlacedContour(CoordDecimalDegrees, contour, {}).areaKm2();
        benchmark::DoNotOptimize(sum);
    }
}

void BM_ExportGis(benchmark::State &state)
{
    Fixture &f = fixture();
    const auto format = static_cast<gis::GisFormat>(state.range(0));
    const gis::GisFormatInfo &info = gis::gisFormatInfo(format);
    state.SetLabel(info.name);
    const std::string out = (f.folder / (std::string("contours") + info.extension)).string();
    for (auto _ : state)
        benchmark::DoNotOptimize(gis::exportGis(f.dm, out).features);
}

} // namespace

// The export measures its areas on every core: wall time is the cost a user waits for, and the CPU
// column counts the time of all threads.
BENCHMARK(BM_PlainText)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();
BENCHMARK(BM_CoordinateText)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();
BENCHMARK(BM_GeodesicArea)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();
BENCHMARK(BM_ExportGis)
    ->DenseRange(0, 3)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MeasureProcessCPUTime();
BENCHMARK_MAIN();
