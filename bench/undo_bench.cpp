// What the undo journal costs on the large passport (30 horizons, 100,000 contour points, 20 MB of
// attachments), side by side with the same work without it:
// - an edit of a horizon (one field typed and posted, as one step): undo:1 against undo:0, at most 1.1;
// - a productive horizon deleted with its 10,000 points (its contour cleared and its row deleted,
//   one step) against taking that step back: the undo at most 2 × the delete.
#include "model/contourpoints.h"
#include "model/datamodule.h"
#include "tests/support/samplepassport.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>

using namespace tarvena;

namespace {

// The large passport, built once and opened afresh as the editor opens a file.
std::unique_ptr<TDataModule2> openLarge(bool undo)
{
    static const std::string path = [] {
        TDataModule2 dm;
        dm.DataModuleCreate(testing::dictionaryDir());
        testing::fillSamplePassport(dm, testing::largeSampleSpec());
        const std::string file = (std::filesystem::temp_directory_path() / "tarvena-undo-bench.psp").string();
        dm.SavePassport(file);
        return file;
    }();
    auto dm = std::make_unique<TDataModule2>();
    dm->DataModuleCreate(testing::dictionaryDir());
    dm->Journal.setEnabled(undo);
    dm->OpenPassport(path);
    return dm;
}

void BM_EditHorizon(benchmark::State &state)
{
    const bool undo = state.range(0) != 0;
    std::unique_ptr<TDataModule2> dm = openLarge(undo);
    MemTable &horizons = dm->POSIB_PRODUCT_HOR;
    horizons.First();
    Field &area = horizons.FieldByName("SQUARENEFTENOSN"); // the resources are computed from it
    double value = 1;
    for (auto _ : state) {
        UndoScope step(&dm->Journal, "Площадь");
        horizons.Edit();
        area.SetAsFloat(value += 1);
        horizons.Post();
    }
    state.counters["steps"] = dm->Journal.undoCount();
}
BENCHMARK(BM_EditHorizon)->ArgName("undo")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// Deletes the current productive horizon with its points as one step.
void deleteHorizon(TDataModule2 &dm)
{
    UndoScope step(&dm.Journal, "удаление горизонта");
    clearContour(dm);
    dm.POSIB_PRODUCT_HOR.Delete();
}

void BM_DeleteHorizonWithPoints(benchmark::State &state)
{
    std::unique_ptr<TDataModule2> dm = openLarge(true);
    dm->POSIB_PRODUCT_HOR.First();
    for (auto _ : state) {
        deleteHorizon(*dm);
        state.PauseTiming();
        dm->Journal.undo();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_DeleteHorizonWithPoints)->Unit(benchmark::kMillisecond);

void BM_UndoDeleteHorizonWithPoints(benchmark::State &state)
{
    std::unique_ptr<TDataModule2> dm = openLarge(true);
    dm->POSIB_PRODUCT_HOR.First();
    for (auto _ : state) {
        state.PauseTiming();
        deleteHorizon(*dm);
        state.ResumeTiming();
        dm->Journal.undo();
    }
    if (dm->KONTUR.storedRecordCount() != 100000)
        state.SkipWithError("the points did not come back");
}
BENCHMARK(BM_UndoDeleteHorizonWithPoints)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
