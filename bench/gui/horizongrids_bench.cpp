// The horizon grids of pages 5 to 10 over a passport with 1,000 reflecting and 1,000 productive
// horizons (and, with Arg 1, 100,000 contour points), each operation timed twice in every iteration:
// on a data module whose tables have the pages' grids over them, and on an identical one without
// any view. The counter Ratio is the time with views over the time without (the processor time of
// the benchmark's thread); it must stay at or below 1.5. As in the window, pages 5 and 8 are shown,
// one grid has the focus (its current cell shows an editor) and pages 7 and 9 wait hidden. The
// views' side includes the event loop's work they cause (the batched repaint notices, layouts, the
// editors they dropped), not painting itself.
#include "bench/resourceinputs.h"
#include "editor/dialogservice.h"
#include "editor/grid/rowcommands.h"
#include "editor/grid/tablegrid.h"
#include "editor/grid/tablemodel.h"
#include "editor/guiprompts.h"
#include "editor/pages/horizonpage.h"
#include "editor/pages/pagecontext.h"
#include "model/datamodule.h"
#include "model/pagechecks.h"
#include "tests/support/samplepassport.h"

#include "bench/gui/guibench.h"

#include <QApplication>
#include <QHBoxLayout>

#include <benchmark/benchmark.h>

#include <ctime>
#include <memory>

using namespace tarvena;
using namespace tarvena::editor;

namespace {

using tarvena::bench::SilentPrompts;

constexpr int kHorizons = 1000;

class StillHost : public PageHost
{
public:
    void postTablePage(int) override {}
    void postMainPage(int) override {}
    QWidget *window() override { return nullptr; }
};

const int kHydrocarbons[] = {397, 398, 399, 401, 886};
const int kUnits[] = {16016, 16019, 16022, 16026, 16028, 16010, 16031};

// A data module holding the large passport; with views, pages 5, 7, 8 and 9 are built over it
// (JvDBGrid1 over the reflecting horizons, JvDBGrid3 to JvDBGrid7 over the productive ones).
struct Side
{
    SilentPrompts prompts;
    TDataModule2 dm{&prompts};
    QtDialogService dialogs;
    StillHost host;
    PageContext context{dm, prompts, dialogs, host};
    std::unique_ptr<HorizonPage> page5;
    std::unique_ptr<HorizonPage> page7;
    std::unique_ptr<HorizonPage> page8;
    std::unique_ptr<HorizonPage> page9;
    std::unique_ptr<QWidget> window;

    Side(bool views, int pointsPerHorizon)
    {
        dm.DataModuleCreate(testing::dictionaryDir());
        fill(pointsPerHorizon);
        if (!views)
            return;
        page5 = std::make_unique<HorizonPage>(context, horizonPageSpec(TablePage::ReflectHorizons));
        page7 = std::make_unique<HorizonPage>(context, horizonPageSpec(TablePage::ProductHorizons));
        page8 = std::make_unique<HorizonPage>(context, horizonPageSpec(TablePage::OilResources));
        page9 = std::make_unique<HorizonPage>(context, horizonPageSpec(TablePage::GasResources));
        window = std::make_unique<QWidget>();
        auto *layout = new QHBoxLayout(window.get());
        layout->addWidget(page5.get());
        layout->addWidget(page8.get());
        window->resize(2400, 800);
        window->show();
        window->activateWindow();
        QCoreApplication::processEvents();
        // The event loop runs as in the window, but nothing is painted.
        window->setUpdatesEnabled(false);
    }

    ~Side()
    {
        // The pages belong to the unique pointers, not to the window that shows two of them.
        if (window) {
            page5->setParent(nullptr);
            page8->setParent(nullptr);
        }
    }

    // The grid the user works in: it has the focus, so its current cell shows an editor.
    void focus(TableGrid *grid)
    {
        grid->setFocus();
        QCoreApplication::processEvents();
    }

    void fill(int pointsPerHorizon)
    {
        MemTable &reflect = dm.REFLECT_HORIZONTS;
        MemTable &productive = dm.POSIB_PRODUCT_HOR;
        MemTable &points = dm.KONTUR;
        ControlsDisabledScope holdReflect(reflect);
        ControlsDisabledScope holdProductive(productive);
        ControlsDisabledScope holdPoints(points);
        for (int i = 0; i < kHorizons; ++i) {
            reflect.Append();
            reflect.FieldByName("INDEXOG").SetAsString("OG-" + std::to_string(i + 1));
            reflect.FieldByName("STRATIGR_ID").SetAsInteger(kUnits[i % 7]);
            reflect.FieldByName("TRAPTYPE_ID").SetAsInteger(14001);
            reflect.FieldByName("SCALE").SetAsInteger(50000);
            reflect.FieldByName("SQUARE").SetAsFloat(12.5 + i % 37);
            reflect.FieldByName("IZOGIPSMARK").SetAsFloat(-2400 - 10 * i);
            reflect.Post();

            productive.Append();
            productive.FieldByName("STRATIGR_ID").SetAsInteger(kUnits[i % 7]);
            productive.FieldByName("STRATIGRSVIT").SetAsString("plast " + std::to_string(i + 1));
            productive.FieldByName("UV_ID").SetAsInteger(kHydrocarbons[i % 5]);
            for (const auto &[name, value] : tarvena::bench::kResourceInputs)
                productive.FieldByName(name).SetAsFloat(value + i % 7);
            productive.Post();
            const Value head = productive.FieldByName("ID").value();
            for (int p = 0; p < pointsPerHorizon; ++p) {
                points.Append();
                points.FieldByName("HEAD_ID").setValue(head);
                points.FieldByName("X").SetAsFloat(60.0 + p * 1e-4);
                points.FieldByName("Y").SetAsFloat(55.0 + (p % 100) * 1e-3);
                points.Post();
            }
        }
        reflect.First();
        productive.First();
    }
};

struct Sides
{
    Side plain;
    Side views;
    explicit Sides(int pointsPerHorizon) : plain(false, pointsPerHorizon), views(true, pointsPerHorizon) {}
};

// Made on first use; released before the application object goes.
std::unique_ptr<Sides> gSides[2];

Sides &sides(int pointsPerHorizon)
{
    std::unique_ptr<Sides> &slot = gSides[pointsPerHorizon > 0 ? 1 : 0];
    if (!slot)
        slot = std::make_unique<Sides>(pointsPerHorizon);
    return *slot;
}

// The processor time of this thread: on a machine that others share, waiting is not the views' cost.
double threadSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

template <class Work> double secondsOf(Work work)
{
    const double start = threadSeconds();
    work();
    return threadSeconds() - start;
}

// Runs one operation on both sides in turn within each iteration, so both meet the same load.
template <class Plain, class Views> void sideBySide(benchmark::State &state, Plain plain, Views views)
{
    double plainSeconds = 0;
    double viewsSeconds = 0;
    for (auto _ : state) {
        plainSeconds += secondsOf(plain);
        viewsSeconds += secondsOf([&] {
            views();
            // What the views left for the event loop: the batched repaint notices, layouts, the
            // editors they dropped.
            QCoreApplication::sendPostedEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        });
    }
    state.counters["Ratio"] = viewsSeconds / plainSeconds;
    state.counters["PlainMs"] = 1000 * plainSeconds / double(state.iterations());
    state.counters["ViewsMs"] = 1000 * viewsSeconds / double(state.iterations());
}

int pointsArg(const benchmark::State &state)
{
    return state.range(0) != 0 ? 100 : 0;
}

// Every cell of JvDBGrid1: the model's texts against the table's display texts.
void BM_HorizonRowReads(benchmark::State &state)
{
    Sides &s = sides(pointsArg(state));
    s.views.focus(s.views.page5->grid("JvDBGrid1"));
    TableModel *model = s.views.page5->grid("JvDBGrid1")->tableModel();
    MemTable &table = s.plain.dm.REFLECT_HORIZONTS;
    std::vector<const Field *> fields;
    for (const ColumnSpec &column : gridColumns("JvDBGrid1"))
        fields.push_back(&table.FieldByName(column.fieldName));
    std::size_t size = 0;
    sideBySide(
        state,
        [&] {
            for (int row = 0; row < table.RecordCount(); ++row)
                for (const Field *field : fields)
                    size += table.displayTextAt(row, *field).size();
        },
        [&] {
            for (int row = 0; row < model->rowCount(); ++row)
                for (int column = 0; column < model->columnCount(); ++column)
                    size += std::size_t(model->index(row, column).data().toString().size());
        });
    benchmark::DoNotOptimize(size);
}

// Two clicks on the stratigraphy title of page 5 against the two sorts of the table.
void BM_HorizonSort(benchmark::State &state)
{
    Sides &s = sides(pointsArg(state));
    TableGrid *grid = s.views.page5->grid("JvDBGrid1");
    s.views.focus(grid);
    const int unit = grid->columnOf("_stratigr_id");
    sideBySide(
        state,
        [&] {
            s.plain.dm.REFLECT_HORIZONTS.SortOn("_stratigr_id_");
            s.plain.dm.REFLECT_HORIZONTS.SortOn("_stratigr_id_:desc");
        },
        [&] {
            s.views.page5->sortByTitle(grid, unit);
            s.views.page5->sortByTitle(grid, unit);
        });
}

// The oil filter switched on and off under five grids against the bare table.
void BM_HorizonFilterChange(benchmark::State &state)
{
    Sides &s = sides(pointsArg(state));
    s.views.focus(s.views.page8->grid("JvDBGrid4"));
    auto change = [](MemTable &horizons) {
        horizons.SetFilter(pagechecks::resourceFilter(Product::Oil));
        horizons.SetFiltered(true);
        horizons.SetFiltered(false);
    };
    sideBySide(
        state, [&] { change(s.plain.dm.POSIB_PRODUCT_HOR); }, [&] { change(s.views.dm.POSIB_PRODUCT_HOR); });
}

// The table operations of entering page 8 and then page 7, as the pages do them.
void checkWithoutViews(TDataModule2 &dm)
{
    MemTable &horizons = dm.POSIB_PRODUCT_HOR;
    auto keepingCurrent = [&](auto change) {
        const Value current = horizons.FieldByName("ID").value();
        ControlsDisabledScope hold(horizons);
        change();
        if (!horizons.IsEmpty() && horizons.FieldByName("ID").value() != current)
            horizons.Locate("ID", current);
    };
    dm.PostPendingEdits();
    keepingCurrent([&] { horizons.SetFiltered(false); });
    benchmark::DoNotOptimize(pagechecks::hasRows(dm.REFLECT_HORIZONTS) && pagechecks::horizonsRequired(dm) &&
                             pagechecks::hasRows(horizons));
    keepingCurrent([&] {
        horizons.SetFilter(pagechecks::resourceFilter(Product::Oil));
        horizons.SetFiltered(true);
    });
    benchmark::DoNotOptimize(pagechecks::hasRows(horizons));
    dm.PostPendingEdits();
    keepingCurrent([&] { horizons.SetFiltered(false); });
    benchmark::DoNotOptimize(pagechecks::hasRows(dm.REFLECT_HORIZONTS));
}

void BM_ResourcePageCheck(benchmark::State &state)
{
    Sides &s = sides(pointsArg(state));
    s.views.focus(s.views.page8->grid("JvDBGrid4"));
    sideBySide(
        state, [&] { checkWithoutViews(s.plain.dm); },
        [&] {
            s.views.page8->pageEntered();
            s.views.page7->pageEntered();
        });
}

// A parameter of the current horizon typed into JvDBGrid4 and posted (the resources are computed
// again) against the same assignment and post on the table.
void BM_ResourceCellEdit(benchmark::State &state)
{
    Sides &s = sides(pointsArg(state));
    s.views.focus(s.views.page8->grid("JvDBGrid4"));
    TableModel *model = s.views.page8->grid("JvDBGrid4")->tableModel();
    const int column = model->columnOf("SQUARENEFTENOSN");
    MemTable &plain = s.plain.dm.POSIB_PRODUCT_HOR;
    MemTable &viewed = s.views.dm.POSIB_PRODUCT_HOR;
    int step = 0;
    double computed = 0;
    sideBySide(
        state,
        [&] {
            plain.Edit();
            plain.FieldByName("SQUARENEFTENOSN").SetText(step % 2 ? "10" : "11");
            computed += plain.FieldByName("CALC_BAL_RES").AsFloat();
            plain.Post();
        },
        [&] {
            model->setData(model->index(model->currentRow(), column), QString(step++ % 2 ? "10" : "11"));
            computed += viewed.FieldByName("CALC_BAL_RES").AsFloat();
            postRow(viewed, s.views.prompts);
        });
    benchmark::DoNotOptimize(computed);
}

BENCHMARK(BM_HorizonRowReads)->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HorizonSort)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HorizonFilterChange)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ResourcePageCheck)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ResourceCellEdit)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    return tarvena::bench::runGuiBenchmarks(argc, argv, [] {
        for (std::unique_ptr<Sides> &made : gSides)
            made.reset();
    });
}
