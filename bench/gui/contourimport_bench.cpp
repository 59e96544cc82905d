// Importing a 100,000-line contour and redrawing it, against a floor run side by side: reading the
// same text alone. Import + redraw is what the contour page does for "Импорт": the text is read, the
// horizon's contour replaced, every outline gathered with the point counts set right, and the chart's
// series replaced, with the point grid over the contour table. ImportRatio measures both in turn; its
// counter Ratio (processor time) is the figure to watch (at most 3). ChartPaint is one paint of the chart
// with those points, for the interactivity of the page.
#include "editor/grid/tablegrid.h"
#include "editor/grid/tablemodel.h"
#include "editor/parts/contourchart.h"
#include "exchange/gis/schemedegrees.h"
#include "exchange/unpacking/contourscheme.h"
#include "model/columnsets.h"
#include "model/contourpoints.h"
#include "model/datamodule.h"
#include "tests/support/samplepassport.h"

#include "bench/gui/guibench.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <chrono>
#include <ctime>
#include <memory>

using namespace tarvena;

namespace {

using tarvena::bench::SilentPrompts;

constexpr int kLines = 100000;

std::string contourText()
{
    std::string text = "X\tY\r\n";
    for (int i = 0; i < kLines; ++i) {
        const double t = i * 6.283185307179586 / kLines;
        text +=
            std::to_string(70 + 0.5 * std::cos(t)) + "\t" + std::to_string(62 + 0.3 * std::sin(t)) + "\r\n";
    }
    return text;
}

ContourImportSettings settings()
{
    ContourImportSettings settings;
    settings.system = 2;
    settings.startLine = 2;
    return settings;
}

// A passport with one productive horizon in decimal degrees, the point grid and the chart over it.
struct Page
{
    SilentPrompts prompts;
    TDataModule2 dm{&prompts};
    std::unique_ptr<editor::TableGrid> points;
    std::unique_ptr<editor::ContourChart> chart;
    const std::string text = contourText();

    Page()
    {
        dm.DataModuleCreate(tarvena::testing::dictionaryDir());
        MemTable &horizons = dm.POSIB_PRODUCT_HOR;
        horizons.Append();
        horizons.FieldByName("KONTURKOORDTYPE").SetAsInteger(2);
        horizons.Post();
        points = std::make_unique<editor::TableGrid>(
            new editor::TableModel(dm.KONTUR, gridColumns("JvDBGrid14"), prompts), "JvDBGrid14");
        chart = std::make_unique<editor::ContourChart>();
        chart->resize(700, 500);
    }

    void importAndRedraw()
    {
        const ContourImportResult result = importContour(dm, text, settings());
        if (!result.complete() || result.points.size() != kLines)
            throw std::runtime_error("the import stopped");
        chart->showScheme(gis::schemeInDegrees(redrawContours(dm)));
    }
};

std::unique_ptr<Page> thePage;

Page &page()
{
    if (!thePage)
        thePage = std::make_unique<Page>();
    return *thePage;
}

void readOnly(const std::string &text)
{
    const ContourImportResult result = readContour(textLines(text), settings());
    benchmark::DoNotOptimize(result.points.data());
}

void Floor(benchmark::State &state)
{
    Page &p = page();
    for (auto _ : state)
        readOnly(p.text);
}

void ImportAndRedraw(benchmark::State &state)
{
    Page &p = page();
    for (auto _ : state)
        p.importAndRedraw();
}

// Processor time of this thread, which other work on a shared machine does not stretch.
double threadSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

struct Spent
{
    double wall = 0;
    double processor = 0;
    template <typename Work> void add(Work work)
    {
        const auto start = std::chrono::steady_clock::now();
        const double processorStart = threadSeconds();
        work();
        processor += threadSeconds() - processorStart;
        wall += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
};

// Both in turn within each iteration, so that both meet the same load on a shared machine. Ratio is
// the processor time of import + redraw over that of reading alone; WallRatio the same in real time.
void ImportRatio(benchmark::State &state)
{
    Page &p = page();
    Spent reading;
    Spent importing;
    for (auto _ : state) {
        reading.add([&] { readOnly(p.text); });
        importing.add([&] { p.importAndRedraw(); });
    }
    state.counters["Ratio"] = importing.processor / reading.processor;
    state.counters["WallRatio"] = importing.wall / reading.wall;
}

void ChartPaint(benchmark::State &state)
{
    Page &p = page();
    p.importAndRedraw();
    QImage image(p.chart->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&image);
        p.chart->render(&painter);
    }
}

} // namespace

BENCHMARK(Floor)->Unit(benchmark::kMillisecond);
BENCHMARK(ImportAndRedraw)->Unit(benchmark::kMillisecond);
BENCHMARK(ImportRatio)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ChartPaint)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    return tarvena::bench::runGuiBenchmarks(argc, argv, [] { thePage.reset(); });
}
