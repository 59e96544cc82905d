// Opening the large passport (50 horizons, 100,000 contour points) in the editor, its main window with
// every page built and shown, against opening it in the data module alone, side by side: BM_Open/1
// over BM_Open/0 is the figure to watch. BM_RecordChange times one change and post of the passport
// record headless (0) and under the editor's bindings with a small (1) and the large passport (2):
// the bindings' cost per change must not grow with the horizons and points. BM_GeologySummary times
// the summary of page 4 on the large passport headless (0) and as entering the page computes it (1).
// BM_PageEnter enters page 8 and page 11 side by side (PageRatio).
#include "app/mainform.h"
#include "editor/dialogservice.h"
#include "editor/pages/geologypage.h"
#include "editor/pages/tablebook.h"
#include "model/datamodule.h"
#include "model/geologysummary.h"
#include "tests/support/samplepassport.h"

#include "bench/gui/guibench.h"

#include <QApplication>
#include <QTabWidget>

#include <benchmark/benchmark.h>

#include <ctime>
#include <filesystem>
#include <memory>
#include <unistd.h>

using namespace tarvena;

namespace {

using tarvena::bench::SilentPrompts;

std::string writeSample(const testing::SampleSpec &spec, const char *name)
{
    TDataModule2 dm;
    dm.DataModuleCreate(testing::dictionaryDir());
    testing::fillSamplePassport(dm, spec);
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("tarvena-" + std::string(name) + "-" + std::to_string(::getpid()) + ".psp"))
                                 .string();
    dm.SavePassport(path);
    return path;
}

struct Files
{
    std::string large;
    std::string small;

    Files()
    {
        testing::SampleSpec spec;
        spec.reflectHorizons = 20;
        spec.productiveHorizons = 50;
        spec.pointsPerHorizon = 2000;
        spec.attachmentSizes = {};
        large = writeSample(spec, "large");
        small = writeSample(testing::SampleSpec{}, "small");
    }
    ~Files()
    {
        std::filesystem::remove(large);
        std::filesystem::remove(small);
    }
};

Files &files()
{
    static Files f;
    return f;
}

// The data module alone, or with the main window over it.
struct Session
{
    SilentPrompts prompts;
    editor::QtDialogService dialogs;
    TDataModule2 dm{&prompts};
    std::unique_ptr<TMainForm> form;

    explicit Session(bool editor)
    {
        dm.DataModuleCreate(testing::dictionaryDir());
        if (editor) {
            form = std::make_unique<TMainForm>(dm, prompts, dialogs, QStringList());
            form->show();
            QCoreApplication::processEvents();
        }
    }

    void open(const std::string &path)
    {
        if (form) {
            form->OpenPassportFile(QString::fromStdString(path));
            QCoreApplication::processEvents();
        } else {
            dm.OpenPassport(path);
            dm.PASPORTS.Edit();
        }
    }
};

void BM_Open(benchmark::State &state)
{
    const std::string &path = files().large;
    Session session(state.range(0) != 0);
    for (auto _ : state)
        session.open(path);
    state.counters["points"] = double(session.dm.KONTUR.storedRecordCount());
}

void BM_RecordChange(benchmark::State &state)
{
    const int which = int(state.range(0));
    Session session(which != 0);
    session.open(which == 1 ? files().small : files().large);
    MemTable &record = session.dm.PASPORTS;
    Field &name = record.FieldByName("OBJECTNAME");
    Field &density = record.FieldByName("GRIDDENCITY");
    int step = 0;
    for (auto _ : state) {
        if (record.State() == TableState::Browse)
            record.Edit();
        name.SetAsString(step % 2 ? "A" : "B");
        density.SetAsFloat(1 + step % 7);
        record.Post();
        ++step;
        if (session.form)
            QCoreApplication::processEvents();
    }
    state.counters["horizons"] = double(session.dm.POSIB_PRODUCT_HOR.storedRecordCount());
}

void BM_GeologySummary(benchmark::State &state)
{
    Session session(state.range(0) != 0);
    session.open(files().large);
    for (auto _ : state) {
        if (session.form)
            session.form->tableBook()->page<editor::GeologyPage>()->TabSheet6Enter();
        else
            benchmark::DoNotOptimize(summarizeResources(session.dm));
    }
}

// Entering page 8 and page 11 of the large passport side by side, each from page 1: PageRatio is the
// time of page 11 (the contour scheme of 100,000 points) over that of page 8 (the resources).
void BM_PageEnter(benchmark::State &state)
{
    Session session(true);
    session.open(files().large);
    QTabWidget *pages = session.form->tableBook()->pageControl();
    const auto enter = [&](int index) {
        pages->setCurrentIndex(0);
        QCoreApplication::processEvents();
        // The processor time of this thread: on a shared machine, waiting is not the page's cost.
        timespec start{}, end{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &start);
        pages->setCurrentIndex(index);
        QCoreApplication::processEvents();
        // What the page shows is painted too, as the user sees it.
        pages->currentWidget()->repaint();
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &end);
        return double(end.tv_sec - start.tv_sec) + double(end.tv_nsec - start.tv_nsec) * 1e-9;
    };
    double page8 = 0, page11 = 0, first11 = 0;
    for (auto _ : state) {
        page8 += enter(7);
        const double seconds = enter(10);
        if (first11 == 0)
            first11 = seconds;
        page11 += seconds;
    }
    const auto n = double(state.iterations());
    state.counters["Page8Ms"] = 1000 * page8 / n;
    state.counters["Page11Ms"] = 1000 * page11 / n;
    state.counters["FirstPage11Ms"] = 1000 * first11;
    state.counters["PageRatio"] = page11 / page8;
}

BENCHMARK(BM_Open)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecordChange)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GeologySummary)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PageEnter)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return tarvena::bench::runGuiBenchmarks(argc, argv);
}
