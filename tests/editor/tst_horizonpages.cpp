// The horizon pages 5 to 10 through the window: the checks run on entering a page (warnings, the
// queued switch to the page where the missing rows are entered, the hydrocarbon filters), the sort by
// a title click seen by every view of the table, and how a page shares its height among its grids.
#include "model/pagechecks.h"
#include "tests/editor/gridfixture.h"
#include "tests/editor/testregistry.h"

#include <QLabel>
#include <QTabWidget>
#include <QToolButton>

#include <optional>

using namespace tarvena;
using namespace tarvena::testing;

namespace {

// How the productive horizons of the sample are changed for a case.
enum class Productive
{
    Sample,  // four horizons: gas, condensate, oil and gas, oil
    None,    // no horizon at all
    GasOnly, // every horizon gas (398)
};

void setEveryHydrocarbonType(MemTable &horizons, int uvId)
{
    ControlsDisabledScope hold(horizons);
    for (horizons.First(); !horizons.Eof(); horizons.Next()) {
        horizons.Edit();
        horizons.FieldByName("UV_ID").SetAsInteger(uvId);
        horizons.Post();
    }
}

void setMethod(Editor &e, std::optional<int> method)
{
    Field &field = e.data.PASPORTS.FieldByName("PREPARATIONMETHOD_ID");
    e.data.PASPORTS.Edit();
    if (method)
        field.SetAsInteger(*method);
    else
        field.Clear();
    e.data.PASPORTS.Post();
}

std::unique_ptr<Editor> openedEditor()
{
    auto e = std::make_unique<Editor>();
    e->open();
    e->form->show();
    return e;
}

} // namespace

class HorizonPageChecksTest : public QObject
{
    Q_OBJECT

private slots:
    void enteringAPage_data()
    {
        QTest::addColumn<int>("method"); // -1: none chosen
        QTest::addColumn<bool>("reflectingHorizons");
        QTest::addColumn<int>("productive");
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("warning");
        QTest::addColumn<int>("landsOn");
        QTest::addColumn<bool>("filtered");
        const QString w1 = pagechecks::kNoReflectHorizons;
        const QString w2 = pagechecks::kNoProductiveHorizons;
        const QString w3 = pagechecks::kNoSuchHydrocarbon;
        const QString w4 = pagechecks::kHorizonsNotRequired;
        const int sample = int(Productive::Sample), none = int(Productive::None),
                  gas = int(Productive::GasOnly);
        QTest::newRow("no method, no reflecting: page 6") << -1 << false << sample << 5 << w1 << 4 << false;
        QTest::newRow("89, no reflecting: page 7") << 89 << false << sample << 6 << w1 << 4 << false;
        QTest::newRow("89, no reflecting: page 8") << 89 << false << sample << 7 << w1 << 4 << false;
        QTest::newRow("89, no reflecting: page 10") << 89 << false << sample << 9 << w1 << 4 << false;
        QTest::newRow("89, no reflecting: page 5 opens")
            << 89 << false << sample << 4 << QString() << 4 << false;
        QTest::newRow("no method: page 5 opens") << -1 << false << sample << 4 << QString() << 4 << false;
        QTest::newRow("electric survey: page 5 warns, opens")
            << 5004 << false << sample << 4 << w4 << 4 << false;
        QTest::newRow("other method, no reflecting: page 6")
            << 92 << false << sample << 5 << QString() << 5 << false;
        QTest::newRow("other method, no reflecting: page 9")
            << 5007 << false << sample << 8 << QString() << 8 << true;
        QTest::newRow("no productive: page 8") << 89 << true << none << 7 << w2 << 6 << false;
        QTest::newRow("no productive: page 10") << 89 << true << none << 9 << w2 << 6 << false;
        QTest::newRow("other method, nothing at all: page 9") << 92 << false << none << 8 << w2 << 6 << false;
        QTest::newRow("no oil: page 8") << 89 << true << gas << 7 << w3 << 6 << false;
        QTest::newRow("no condensate: page 10") << 89 << true << gas << 9 << w3 << 6 << false;
        QTest::newRow("gas: page 9") << 89 << true << gas << 8 << QString() << 8 << true;
        QTest::newRow("sample: page 10") << 89 << true << sample << 9 << QString() << 9 << true;
    }
    void enteringAPage()
    {
        QFETCH(int, method);
        QFETCH(bool, reflectingHorizons);
        QFETCH(int, productive);
        QFETCH(int, page);
        QFETCH(QString, warning);
        QFETCH(int, landsOn);
        QFETCH(bool, filtered);
        auto e = openedEditor();
        setMethod(*e, method < 0 ? std::nullopt : std::optional<int>(method));
        if (!reflectingHorizons)
            e->data.REFLECT_HORIZONTS.EmptyTable();
        if (Productive(productive) == Productive::None)
            e->data.POSIB_PRODUCT_HOR.EmptyTable();
        else if (Productive(productive) == Productive::GasOnly)
            setEveryHydrocarbonType(e->data.POSIB_PRODUCT_HOR, 398);

        e->enterPage(page);
        QCoreApplication::processEvents();

        if (warning.isEmpty()) {
            QVERIFY(e->prompts.calls.empty());
        } else {
            QCOMPARE(e->prompts.calls.size(), std::size_t(1));
            const PromptCall &told = e->prompts.calls[0];
            QCOMPARE(QString::fromStdString(told.caption), QStringLiteral("Предупреждение"));
            QCOMPARE(QString::fromStdString(told.text), warning);
            QCOMPARE(told.icon, Prompts::Icon::Warning);
        }
        QCOMPARE(e->book()->pageControl()->currentIndex(), landsOn);
        QCOMPARE(e->data.POSIB_PRODUCT_HOR.Filtered(), filtered);
    }

    void eachResourcePageShowsItsHydrocarbons_data()
    {
        QTest::addColumn<int>("uvId");
        QTest::addColumn<bool>("onOil");
        QTest::addColumn<bool>("onGas");
        QTest::addColumn<bool>("onCondensate");
        QTest::newRow("oil") << 397 << true << false << false;
        QTest::newRow("gas") << 398 << false << true << false;
        QTest::newRow("oil and gas") << 399 << true << true << false;
        QTest::newRow("condensate") << 401 << false << true << true;
        QTest::newRow("oil, gas and condensate") << 886 << true << true << true;
    }
    void eachResourcePageShowsItsHydrocarbons()
    {
        QFETCH(int, uvId);
        QFETCH(bool, onOil);
        QFETCH(bool, onGas);
        QFETCH(bool, onCondensate);
        auto e = openedEditor();
        MemTable &horizons = e->data.POSIB_PRODUCT_HOR;
        horizons.First();
        horizons.Edit();
        horizons.FieldByName("UV_ID").SetAsInteger(uvId);
        horizons.Post();
        const QString name = QString::fromStdString(e->text(horizons, "STRATIGRSVIT"));
        const struct
        {
            int page;
            const char *grid;
            bool shown;
        } pages[] = {{7, "JvDBGrid4", onOil}, {8, "JvDBGrid6", onGas}, {9, "JvDBGrid8", onCondensate}};
        for (const auto &resource : pages) {
            e->enterPage(resource.page);
            QCOMPARE(e->book()->pageControl()->currentIndex(), resource.page); // the sample has every type
            TableGrid *grid = pageGrid(*e, resource.page, resource.grid);
            QCOMPARE(columnTexts(grid, "STRATIGRSVIT").contains(name), resource.shown);
            QCOMPARE(grid->model()->rowCount(), horizons.RecordCount());
        }
        // The filter concerns the productive horizons only.
        e->enterPage(5);
        QCOMPARE(pageGrid(*e, 5, "JvDBGrid2")->model()->rowCount(), 3);
        QVERIFY(horizons.Filtered());
        // Page 7 shows them all again.
        e->enterPage(6);
        QVERIFY(!horizons.Filtered());
        QCOMPARE(pageGrid(*e, 6, "JvDBGrid3")->model()->rowCount(), 4);
    }

    void theHorizonPickedOnPage7StaysCurrentWhereItIsShown()
    {
        auto e = openedEditor();
        e->enterPage(6);
        TableGrid *geometry = pageGrid(*e, 6, "JvDBGrid3");
        clickRow(geometry, 2); // "пласт Ач1", oil and gas
        const QString picked = cellText(geometry, 2, "STRATIGRSVIT");
        for (int page : {7, 8}) {
            e->enterPage(page);
            const QString shown = QString::fromStdString(e->text(e->data.POSIB_PRODUCT_HOR, "STRATIGRSVIT"));
            QCOMPARE(shown, picked);
            TableGrid *grid = pageGrid(*e, page, page == 7 ? "JvDBGrid4" : "JvDBGrid6");
            QCOMPARE(cellText(grid, grid->currentIndex().row(), "STRATIGRSVIT"), picked);
        }
    }

    void page7ShowsOneOfTheTwoRecalculationColumns_data()
    {
        QTest::addColumn<int>("method");
        QTest::addColumn<bool>("byReflectingHorizon");
        QTest::newRow("no method") << -1 << true;
        QTest::newRow("seismic survey") << 89 << true;
        QTest::newRow("other geophysical method") << 92 << false;
        QTest::newRow("structural drilling") << 5007 << false;
    }
    void page7ShowsOneOfTheTwoRecalculationColumns()
    {
        QFETCH(int, method);
        QFETCH(bool, byReflectingHorizon);
        auto e = openedEditor();
        // Decided anew at each entry: first with the other choice, then with the case's.
        setMethod(*e, byReflectingHorizon ? 92 : 89);
        e->enterPage(6);
        setMethod(*e, method < 0 ? std::nullopt : std::optional<int>(method));
        e->enterPage(0);
        e->enterPage(6);
        TableGrid *grid = pageGrid(*e, 6, "JvDBGrid3");
        QCOMPARE(grid->isColumnHidden(grid->columnOf("_REFLECTHOR_ID")), !byReflectingHorizon);
        QCOMPARE(grid->isColumnHidden(grid->columnOf("STRUCTOGNEW")), byReflectingHorizon);
    }
};

TARVENA_REGISTER_TEST(HorizonPageChecksTest)

class GridSortingTest : public QObject
{
    Q_OBJECT

private slots:
    void titleClicksSortTheTableForEveryView()
    {
        auto e = openedEditor();
        e->enterPage(4);
        TableGrid *horizons = pageGrid(*e, 4, "JvDBGrid1");
        TableGrid *quality = pageGrid(*e, 5, "JvDBGrid2");
        const int unit = horizons->columnOf("_stratigr_id");
        const QStringList stored = {"Г", "М",
                                    "Б"}; // units K2s, K1a, J3v: stratigraphic order 4160, 4220, 5110

        // Units sort in stratigraphic order, not by name (by name the order would be Б, М, Г).
        clickTitle(horizons, "_stratigr_id");
        QCOMPARE(columnTexts(horizons, "INDEXOG"), stored);
        QCOMPARE(horizons->sortColumn(), unit);
        QCOMPARE(horizons->sortOrder(), Qt::AscendingOrder);
        QCOMPARE(horizons->horizontalHeader()->sortIndicatorSection(), unit);

        clickTitle(horizons, "_stratigr_id");
        const QStringList descending = {"Б", "М", "Г"};
        QCOMPARE(columnTexts(horizons, "INDEXOG"), descending);
        QCOMPARE(horizons->sortOrder(), Qt::DescendingOrder);
        QCOMPARE(columnTexts(quality, "INDEXOG"), descending); // the table's order, seen by page 6
        QCOMPARE(quality->sortColumn(), -1);                   // the marker is the clicked grid's
        // The cursor stayed on its horizon, now the last row.
        QCOMPARE(e->text(e->data.REFLECT_HORIZONTS, "INDEXOG"), std::string("Г"));
        QCOMPARE(horizons->currentIndex().row(), 2);

        // Another column starts ascending again.
        clickTitle(horizons, "SQUARE");
        QCOMPARE(columnTexts(horizons, "SQUARE"), QStringList({"33.6", "41.2", "48.3"}));
        QCOMPARE(horizons->sortColumn(), horizons->columnOf("SQUARE"));
        QCOMPARE(horizons->sortOrder(), Qt::AscendingOrder);

        // A newly opened passport starts in stored order, without markers.
        e->open();
        QCOMPARE(columnTexts(horizons, "INDEXOG"), stored);
        QCOMPARE(horizons->sortColumn(), -1);
        QCOMPARE(horizons->horizontalHeader()->sortIndicatorSection(), -1);
    }

    void aResourcePageSortsTheFilteredHorizons()
    {
        auto e = openedEditor();
        e->enterPage(8); // gas: ПК1, БП10, Ач1
        TableGrid *probabilistic = pageGrid(*e, 8, "JvDBGrid7");
        clickTitle(probabilistic, "GAZSQUAREMIN");
        clickTitle(probabilistic, "GAZSQUAREMIN");
        QCOMPARE(columnTexts(probabilistic, "GAZSQUAREMIN"), QStringList({"31", "22", "4.5"}));
        QCOMPARE(columnTexts(pageGrid(*e, 8, "JvDBGrid6"), "SQUAREGAZONOSN"),
                 QStringList({"38.5", "27.3", "6.2"}));
    }
};

TARVENA_REGISTER_TEST(GridSortingTest)

class GridPageLayoutTest : public QObject
{
    Q_OBJECT

private slots:
    void gridsShareTheHeightTheBandsLeave_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("height");
        QTest::newRow("page 5, even") << 4 << 600;
        QTest::newRow("page 6, odd") << 5 << 601;
        QTest::newRow("page 8, even") << 7 << 640;
        QTest::newRow("page 9, odd") << 8 << 641;
        QTest::newRow("page 10, odd") << 9 << 555;
    }
    void gridsShareTheHeightTheBandsLeave()
    {
        QFETCH(int, page);
        QFETCH(int, height);
        auto e = openedEditor();
        e->enterPage(page);
        auto *gridPage = qobject_cast<HorizonPage *>(e->book()->page(page));
        gridPage->resize(900, height);
        int bands = 0;
        for (QLabel *band : gridPage->titleBands())
            bands += band->height();
        // Whether the available height is odd depends on the font; both ways, the grids get the
        // same share, truncated, and the rest of the page stays empty.
        const int share = (height - bands) / 2;
        int bottom = 0;
        for (TableGrid *grid : gridPage->grids()) {
            QCOMPARE(grid->height(), share);
            bottom = grid->geometry().bottom() + 1;
        }
        if (gridPage->navigator()) {
            QCOMPARE(gridPage->navigator()->y(), bottom); // just below its grid
            QVERIFY(gridPage->navigator()->geometry().bottom() < height);
        } else {
            QCOMPARE(height - bottom, (height - bands) % 2);
        }
        // The page grows smaller again: nothing it handed out holds it.
        gridPage->resize(900, height / 2);
        QCOMPARE(gridPage->grids().front()->height(), (height / 2 - bands) / 2);
    }

    void everyControlCarriesItsName_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QStringList>("grids");
        QTest::addColumn<QStringList>("bands");
        QTest::addColumn<QString>("navigator");
        QTest::addColumn<int>("buttons");
        QTest::newRow("page 5") << 4 << QStringList{"JvDBGrid1"}
                                << QStringList{"Характеристики объекта по различным отражающим горизонтам"}
                                << "DBNavigator1" << 8;
        QTest::newRow("page 6")
            << 5 << QStringList{"JvDBGrid2"}
            << QStringList{"Качество подготовки объекта по различным отражающим горизонтам"} << "DBNavigator4"
            << 6;
        QTest::newRow("page 7") << 6 << QStringList{"JvDBGrid3"}
                                << QStringList{"Возможные продуктивные горизонты"} << "DBNavigator2" << 8;
        QTest::newRow("page 9") << 8 << QStringList{"JvDBGrid6", "JvDBGrid7"}
                                << QStringList{"Подсчетные параметры и подготовленные ресурсы газа. "
                                               "Детерминированный подход.",
                                               "Подсчетные параметры и подготовленные ресурсы газа. "
                                               "Вероятностный подход."}
                                << QString() << 0;
    }
    void everyControlCarriesItsName()
    {
        QFETCH(int, page);
        QFETCH(QStringList, grids);
        QFETCH(QStringList, bands);
        QFETCH(QString, navigator);
        QFETCH(int, buttons);
        auto e = openedEditor();
        auto *gridPage = qobject_cast<HorizonPage *>(e->book()->page(page));
        for (int i = 0; i < grids.size(); ++i) {
            auto *grid = gridPage->findChild<TableGrid *>(grids[i]);
            QVERIFY(grid);
            QCOMPARE(grid->accessibleName(), bands[i]); // found by the caption above it
            auto *band = gridPage->findChild<QLabel *>(grids[i] + "Title");
            QVERIFY(band);
            QCOMPARE(band->text(), bands[i]);
            QCOMPARE(band->accessibleName(), bands[i]);
        }
        if (navigator.isEmpty()) {
            QVERIFY(!gridPage->navigator());
            return;
        }
        QCOMPARE(gridPage->navigator()->objectName(), navigator);
        const QList<QToolButton *> found = gridPage->navigator()->findChildren<QToolButton *>();
        QCOMPARE(found.size(), buttons);
        QToolButton *add = gridPage->findChild<QToolButton *>(navigator + "_Insert");
        QCOMPARE(add != nullptr, buttons == 8);
        QToolButton *confirm = gridPage->findChild<QToolButton *>(navigator + "_Post");
        QVERIFY(confirm);
        QCOMPARE(confirm->accessibleName(), QStringLiteral("Подтвердить последние изменения"));
        QCOMPARE(confirm->toolTip(), QStringLiteral("Подтвердить последние изменения"));
    }
};

TARVENA_REGISTER_TEST(GridPageLayoutTest)
#include "tst_horizonpages.moc"
