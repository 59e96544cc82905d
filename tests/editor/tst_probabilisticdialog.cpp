// The probabilistic resources dialog through the window: the button of each resource page opens it on
// the current horizon, "Отказ" changes nothing, "Записать в паспорт" stores the figures it shows,
// which the saved passport keeps and the geology summary sums.
#include "editor/dialogs/probabilisticdialog.h"
#include "model/geologysummary.h"
#include "model/probabilisticinputs.h"
#include "tests/editor/editorfixture.h"
#include "tests/editor/modaldriver.h"
#include "tests/editor/testregistry.h"
#include "tests/support/clirun.h"

#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>

using namespace tarvena;
using namespace tarvena::editor;
using namespace tarvena::testing;

namespace {

QPushButton *buttonOf(QWidget *page)
{
    return page->findChild<QPushButton *>(QStringLiteral("ProbabilisticButton"));
}

std::string allSummaryTexts(TDataModule2 &data)
{
    const ResourceSummary summary = summarizeResources(data);
    std::string all;
    for (SummaryLine line : SummaryLines)
        all += summaryText(summary, line) + "\n";
    return all;
}

} // namespace

class ProbabilisticDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void eachResourcePageOpensTheDialogForItsFluid_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("resources");
        QTest::newRow("oil") << 7 << 3;
        QTest::newRow("gas") << 8 << 2;
        QTest::newRow("condensate") << 9 << 2;
    }
    void eachResourcePageOpensTheDialogForItsFluid()
    {
        QFETCH(int, page);
        QFETCH(int, resources);
        Editor e;
        e.open();
        e.form->show();
        e.enterPage(page);
        QWidget *shown = e.book()->pageControl()->currentWidget();
        QPushButton *button = buttonOf(shown);
        QVERIFY(button);
        QCOMPARE(button->text(), QStringLiteral("Вероятностная оценка"));
        MemTable &horizons = e.data.POSIB_PRODUCT_HOR;
        const std::vector<Value> before = horizons.storedRecord(horizons.RecNo() - 1);
        int shownRows = -1;
        whenShown<ProbabilisticDialog>([&](ProbabilisticDialog *dialog) {
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Вероятностная оценка ресурсов"));
            shownRows = dialog->resultsTable()->rowCount();
            dialog->reject(); // "Отказ"
        });
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(shownRows, resources);
        QVERIFY(horizons.storedRecord(horizons.RecNo() - 1) == before);
    }

    void writingStoresTheFiguresShown()
    {
        Editor e;
        e.open();
        e.form->show();
        const std::string summaryBefore = allSummaryTexts(e.data);
        e.enterPage(7);
        MemTable &horizons = e.data.POSIB_PRODUCT_HOR;
        FluidEstimate shown;
        whenShown<ProbabilisticDialog>([&](ProbabilisticDialog *dialog) {
            dialog->figureBox()->setCurrentIndex(1); // P50
            shown = dialog->estimate();
            QTest::mouseClick(dialog->writeButton(), Qt::LeftButton);
        });
        QTest::mouseClick(buttonOf(e.book()->pageControl()->currentWidget()), Qt::LeftButton);
        QCOMPARE(shown.resources.size(), std::size_t(3));
        const DrawSummary &balance = shown.resources[0].summary;
        QCOMPARE(horizons.FieldByName("OILBALANCERESOURCEP").AsFloat(), balance.p50);
        QCOMPARE(horizons.FieldByName("OILBALANCERESOURCEPD").AsFloat(), balance.medianProbability);
        QCOMPARE(horizons.FieldByName("OILBALANCERESOURCES").AsFloat(), balance.sigma);
        QVERIFY(allSummaryTexts(e.data) != summaryBefore);

        // The saved passport keeps the figures.
        QTemporaryDir dir;
        const std::string path = dir.filePath(QStringLiteral("written.psp")).toStdString();
        e.saveAs(path);
        const CliRun dump = runCli({"dump", path});
        QCOMPARE(dump.exitCode, 0);
        char text[40];
        std::snprintf(text, sizeof text, "%.17g", shown.resources[1].summary.p50);
        const std::string figure = text;
        QVERIFY2(dump.out.find("OILPERSPECTRESOURCEP") != std::string::npos, "field named");
        QVERIFY2(dump.out.find(figure.substr(0, 8)) != std::string::npos, figure.c_str());
    }
};

TARVENA_REGISTER_TEST(ProbabilisticDialogTest)
#include "tst_probabilisticdialog.moc"
