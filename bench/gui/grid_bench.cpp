// The grid model over the large passport (50 horizons, 100,000 contour points) against the same table
// operations without it, side by side: Arg 1 runs with a model (and its grid) subscribed to the table,
// Arg 0 without. The ratio of each pair is the figure to watch.
#include "editor/grid/tablegrid.h"
#include "editor/grid/tablemodel.h"
#include "editor/text.h"
#include "model/columnsets.h"
#include "model/datamodule.h"
#include "tests/support/samplepassport.h"

#include "bench/gui/guibench.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <memory>

using namespace tarvena;

namespace {

using tarvena::bench::SilentPrompts;

struct Fixture
{
    SilentPrompts prompts;
    TDataModule2 dm{&prompts};
    std::unique_ptr<editor::TableGrid> points;

    Fixture()
    {
        dm.DataModuleCreate(testing::dictionaryDir());
        testing::SampleSpec spec;
        spec.reflectHorizons = 20;
        spec.productiveHorizons = 50;
        spec.pointsPerHorizon = 2000;
        spec.attachmentSizes = {};
        testing::fillSamplePassport(dm, spec);
        // Every point visible, as a reader of the whole contour table sees them.
        dm.KONTUR.SetFiltered(false);
    }

    void attach(bool withModel)
    {
        if (withModel && !points) {
            points = std::make_unique<editor::TableGrid>(
                new editor::TableModel(dm.KONTUR, gridColumns("JvDBGrid14"), prompts), "JvDBGrid14");
            points->resize(400, 600);
            points->show();
            QCoreApplication::processEvents();
        } else if (!withModel) {
            points.reset();
        }
    }
};

Fixture &fixture()
{
    static Fixture f;
    return f;
}

// Reads every cell's text: through the model (as a view paints) or straight from the table.
void BM_RowReads(benchmark::State &state)
{
    Fixture &f = fixture();
    const bool withModel = state.range(0) != 0;
    f.attach(withModel);
    MemTable &points = f.dm.KONTUR;
    const Field &x = points.FieldByName("X");
    const Field &y = points.FieldByName("Y");
    for (auto _ : state) {
        const int rows = points.RecordCount();
        std::size_t size = 0;
        if (withModel) {
            QAbstractItemModel *model = f.points->model();
            for (int row = 0; row < rows; ++row) {
                size += model->index(row, 0).data().toString().size();
                size += model->index(row, 1).data().toString().size();
            }
        } else {
            for (int row = 0; row < rows; ++row) {
                size += points.displayTextAt(row, x).size();
                size += points.displayTextAt(row, y).size();
            }
        }
        benchmark::DoNotOptimize(size);
    }
    state.SetItemsProcessed(state.iterations() * points.RecordCount());
}

void BM_Sort(benchmark::State &state)
{
    Fixture &f = fixture();
    f.attach(state.range(0) != 0);
    for (auto _ : state) {
        f.dm.KONTUR.SortOn("Y;X:D");
        QCoreApplication::processEvents();
        f.dm.KONTUR.SortOn("");
        QCoreApplication::processEvents();
    }
}

void BM_FilterChange(benchmark::State &state)
{
    Fixture &f = fixture();
    f.attach(state.range(0) != 0);
    MemTable &horizons = f.dm.POSIB_PRODUCT_HOR;
    MemTable &points = f.dm.KONTUR;
    int step = 0;
    for (auto _ : state) {
        // The contour of another horizon each time, as moving through page 11's horizons does.
        const int row = (step++ % 2) ? 1 : 0;
        points.SetFilter("HEAD_ID=" + std::to_string(std::get<std::int64_t>(
                                          horizons.valueAt(row, horizons.FieldByName("ID")))));
        points.SetFiltered(true);
        QCoreApplication::processEvents();
    }
    points.SetFiltered(false);
}

BENCHMARK(BM_RowReads)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Sort)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FilterChange)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return tarvena::bench::runGuiBenchmarks(argc, argv, [] { fixture().attach(false); });
}
