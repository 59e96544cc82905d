// The contour scheme of page 11 through the real chart: ranges without width, long outlines thinned to
// the plot's pixels and thinned again only when the points or the plot change, the horizons that
// cannot be placed listed under the chart, the kept picture of the chart following every change, and
// the horizon grid's columns fitting their texts.
#include "exchange/gis/schemedegrees.h"
#include "tests/editor/contourpagefixture.h"
#include "tests/editor/testregistry.h"

#include <QHeaderView>
#include <QLabel>
#include <QSignalSpy>
#include <QValueAxis>

#include <cmath>

using namespace tarvena;
using namespace tarvena::testing;

namespace {

gis::DegreeScheme scheme(const std::vector<std::vector<QPointF>> &outlines)
{
    gis::DegreeScheme result;
    for (const std::vector<QPointF> &points : outlines) {
        gis::DegreeOutline outline;
        outline.title = "A";
        for (const QPointF &point : points) {
            outline.longitude.push_back(point.x());
            outline.latitude.push_back(point.y());
            if (result.empty) {
                result.minX = result.maxX = point.x();
                result.minY = result.maxY = point.y();
                result.empty = false;
            }
            result.minX = std::min(result.minX, point.x());
            result.maxX = std::max(result.maxX, point.x());
            result.minY = std::min(result.minY, point.y());
            result.maxY = std::max(result.maxY, point.y());
        }
        result.outlines.push_back(outline);
    }
    return result;
}

// A saw-tooth outline of n points across one degree, as the large passport has.
std::vector<QPointF> sawTooth(int n)
{
    std::vector<QPointF> points;
    for (int p = 0; p < n; ++p)
        points.emplace_back(60.0 + p * (1.0 / n), 55.0 + (p % 100) * 1e-3);
    return points;
}

} // namespace

class ContourChartTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<editor::ContourChart> chart;

    void showChart(int width)
    {
        chart->resize(width, 400);
        chart->show();
        QVERIFY(QTest::qWaitForWindowExposed(chart.get()));
        QCoreApplication::processEvents();
    }

private slots:
    void init() { chart = std::make_unique<editor::ContourChart>(); }
    void cleanup() { chart.reset(); }

    void rangesWithoutWidthAreWidened_data()
    {
        QTest::addColumn<QList<QPointF>>("points");
        QTest::addColumn<QPointF>("xRange");
        QTest::addColumn<QPointF>("yRange");
        QTest::newRow("one point") << QList<QPointF>{{40, 60}} << QPointF(40 - 40e-4, 40 + 40e-4)
                                   << QPointF(60 - 60e-4, 60 + 60e-4);
        QTest::newRow("one meridian")
            << QList<QPointF>{{40, 60}, {40, 61}} << QPointF(40 - 40e-4, 40 + 40e-4) << QPointF(60, 61);
        QTest::newRow("one parallel")
            << QList<QPointF>{{40, 60}, {41, 60}} << QPointF(40, 41) << QPointF(60 - 60e-4, 60 + 60e-4);
        QTest::newRow("at zero") << QList<QPointF>{{0, 0}} << QPointF(-1e-6, 1e-6) << QPointF(-1e-6, 1e-6);
        QTest::newRow("no points") << QList<QPointF>{} << QPointF(0, 1) << QPointF(0, 1);
    }
    void rangesWithoutWidthAreWidened()
    {
        QFETCH(QList<QPointF>, points);
        QFETCH(QPointF, xRange);
        QFETCH(QPointF, yRange);
        showChart(600);
        // A range from before must not stay.
        chart->showScheme(scheme({{{10, 20}, {30, 40}}}));
        chart->showScheme(scheme({std::vector<QPointF>(points.begin(), points.end())}));
        QCOMPARE(chart->bottomAxis()->min(), xRange.x());
        QCOMPARE(chart->bottomAxis()->max(), xRange.y());
        QCOMPARE(chart->leftAxis()->min(), yRange.x());
        QCOMPARE(chart->leftAxis()->max(), yRange.y());
        QCOMPARE(chart->outlines().at(0)->count(), points.size());
    }

    void longOutlinesAreThinnedToThePlot()
    {
        showChart(600);
        const std::vector<QPointF> points = sawTooth(100000);
        chart->showScheme(scheme({points}));
        QLineSeries *line = chart->outlines().at(0);
        const int columns = int(chart->chart()->plotArea().width());
        QVERIFY(columns > 100);
        QVERIFY2(line->count() <= 4 * columns, qPrintable(QString::number(line->count())));
        QVERIFY(line->count() >= columns); // every pixel column keeps its points
        // The outline keeps its ends and its extremes, so it looks the same.
        QCOMPARE(line->at(0), points.front());
        QCOMPARE(line->at(line->count() - 1), points.back());
        double low = INFINITY, high = -INFINITY;
        for (const QPointF &point : line->points()) {
            low = std::min(low, point.y());
            high = std::max(high, point.y());
        }
        QCOMPARE(low, 55.0);
        QCOMPARE(high, 55.099);

        // The same points again: nothing is thinned or replaced.
        QSignalSpy replaced(line, &QXYSeries::pointsReplaced);
        chart->showScheme(scheme({points}));
        QCOMPARE(replaced.count(), 0);
        // A wider plot: thinned again for its width.
        chart->resize(1200, 400);
        QCoreApplication::processEvents();
        QCOMPARE(replaced.count(), 1);
        QVERIFY(int(chart->chart()->plotArea().width()) > columns);
        QVERIFY(line->count() <= 4 * int(chart->chart()->plotArea().width()));
    }

    // The chart is shown from a kept picture: it must follow every change of the scheme and of the
    // view's size, and look as a chart drawn afresh does.
    void theKeptPictureFollowsChanges()
    {
        showChart(600);
        const auto fresh = [](const gis::DegreeScheme &shown, QSize size) {
            editor::ContourChart other;
            other.resize(size);
            other.show();
            if (!QTest::qWaitForWindowExposed(&other))
                return QImage();
            other.showScheme(shown);
            QCoreApplication::processEvents();
            return other.grab().toImage();
        };
        const gis::DegreeScheme first = scheme({{{10, 20}, {30, 40}, {20, 45}}});
        const gis::DegreeScheme second = scheme({{{10, 20}, {30, 40}}, {{12, 38}, {28, 22}}});
        chart->showScheme(first);
        QCoreApplication::processEvents();
        const QImage before = chart->grab().toImage();
        QCOMPARE(before, fresh(first, chart->size()));
        QCOMPARE(chart->grab().toImage(), before); // shown again unchanged

        chart->showScheme(second);
        QCoreApplication::processEvents();
        const QImage changed = chart->grab().toImage();
        QVERIFY(changed != before);
        QCOMPARE(changed, fresh(second, chart->size()));

        chart->resize(800, 300);
        QCoreApplication::processEvents();
        QCOMPARE(chart->grab().toImage(), fresh(second, QSize(800, 300)));
    }

    void horizonWithoutSystemIsListedUnderTheChart()
    {
        ContourPageEditor e;
        QVERIFY(e.start());
        MemTable &horizons = e.data.POSIB_PRODUCT_HOR;
        horizons.SetRecNo(2);
        const std::string name = codepage::cp1251ToUtf8(horizons.FieldByName("STRATIGRSVIT").AsString());
        horizons.Edit();
        horizons.FieldByName("KONTURKOORDTYPE").Clear();
        horizons.Post();
        e.click("BitBtn12");
        QCOMPARE(e.outlines().size(), 3);
        QLabel *notes = e.page->chartNotes();
        QVERIFY(notes->isVisible());
        QVERIFY2(notes->text().contains(QString::fromStdString("Горизонт 2 «" + name + "»")),
                 qPrintable(notes->text()));
        QVERIFY(notes->wordWrap());
    }

    void horizonGridColumnsFitTheirTexts()
    {
        ContourPageEditor e;
        QVERIFY(e.start());
        editor::TableGrid *grid = e.grid("JvDBGrid10");
        QCoreApplication::processEvents();
        for (int column = 0; column < grid->model()->columnCount(); ++column) {
            const QString title = grid->model()->headerData(column, Qt::Horizontal).toString();
            QVERIFY2(grid->columnWidth(column) >= grid->fontMetrics().horizontalAdvance(title.trimmed()),
                     qPrintable(title));
            for (int row = 0; row < grid->model()->rowCount(); ++row) {
                const QString text = grid->model()->index(row, column).data().toString();
                QVERIFY2(grid->columnWidth(column) >= grid->fontMetrics().horizontalAdvance(text),
                         qPrintable(text));
            }
        }
        // No room left empty at the right.
        int total = 0;
        for (int column = 0; column < grid->model()->columnCount(); ++column)
            total += grid->columnWidth(column);
        QVERIFY(total >= grid->viewport()->width() - 1);
    }
};

TARVENA_REGISTER_TEST(ContourChartTest)
#include "tst_contourchart.moc"
