// Page 11 through its real widgets: the horizons and the points of the current one, the scheme of all
// contours with the point-count correction, the page check, clear, and the export read back by xlrd.
#include "editor/loadingform.h"
#include "editor/parts/contourgis.h"
#include "exchange/gis/contourarea.h"
#include "exchange/gis/schemedegrees.h"
#include "exchange/unpacking/contourscheme.h"
#include "model/pagechecks.h"
#include "tests/editor/contourpagefixture.h"
#include "tests/editor/testregistry.h"
#include "tests/exchange/readback.h"
#include "tests/support/clirun.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPen>
#include <QSplitter>
#include <QToolButton>
#include <QValueAxis>

using namespace tarvena;
using namespace tarvena::testing;

namespace {

// Whether every point of a series lies within the chart's axes.
bool withinAxes(const editor::ContourChart &chart, const QLineSeries &series)
{
    for (const QPointF &point : series.points())
        if (point.x() < chart.bottomAxis()->min() || point.x() > chart.bottomAxis()->max() ||
            point.y() < chart.leftAxis()->min() || point.y() > chart.leftAxis()->max())
            return false;
    return true;
}

} // namespace

class ContoursPageTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<ContourPageEditor> e;

private slots:
    void init()
    {
        e = std::make_unique<ContourPageEditor>();
        QVERIFY(e->start());
    }
    void cleanup() { e.reset(); }

    void chartShowsEveryContour()
    {
        const QList<QLineSeries *> outlines = e->outlines();
        QCOMPARE(outlines.size(), 4);
        const int points[] = {120, 96, 72, 110};
        MemTable &horizons = e->data.POSIB_PRODUCT_HOR;
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(outlines[i]->count(), points[i] + 1);
            QCOMPARE(outlines[i]->at(points[i]), outlines[i]->at(0)); // closed
            QCOMPARE(outlines[i]->name().toStdString(),
                     codepage::cp1251ToUtf8(horizons.displayTextAt(i, horizons.FieldByName("STRATIGRSVIT"))));
            QCOMPARE(outlines[i]->pen().width(), 3);
        }
        QChart *chart = e->page->Chart1()->chart();
        QCOMPARE(chart->title(), QStringLiteral("Схема контуров"));
        QVERIFY(chart->legend()->isVisible());
        QCOMPARE(e->page->Chart1()->bottomAxis()->titleText(), QStringLiteral("Долгота"));
        QCOMPARE(e->page->Chart1()->leftAxis()->titleText(), QStringLiteral("Широта"));
        // Degrees and Gauss-Krüger contours on one pair of axes in degrees: the axes span exactly the
        // placed points of every horizon, and every outline lies within them.
        const gis::DegreeScheme degrees = gis::schemeInDegrees(redrawContours(e->data));
        QCOMPARE(e->page->Chart1()->bottomAxis()->min(), degrees.minX);
        QCOMPARE(e->page->Chart1()->bottomAxis()->max(), degrees.maxX);
        QCOMPARE(e->page->Chart1()->leftAxis()->min(), degrees.minY);
        QCOMPARE(e->page->Chart1()->leftAxis()->max(), degrees.maxY);
        QVERIFY(degrees.maxX - degrees.minX < 10); // the sample's fields lie close together
        QVERIFY(degrees.minY > 40 && degrees.maxY < 80);
        for (QLineSeries *outline : outlines)
            QVERIFY(withinAxes(*e->page->Chart1(), *outline));
        QVERIFY(e->page->chartNotes()->isHidden());
        QVERIFY(chart->legend()->showToolTips()); // a name the legend cuts shows whole
        // The first horizon is current and its points are shown.
        QCOMPARE(horizons.RecNo(), 1);
        QCOMPARE(e->grid("JvDBGrid10")->model()->rowCount(), 4);
        QCOMPARE(e->grid("JvDBGrid14")->model()->rowCount(), 120);
    }

    void redrawSetsWrongCountsRight()
    {
        MemTable &horizons = e->data.POSIB_PRODUCT_HOR;
        horizons.SetRecNo(3);
        horizons.Edit();
        horizons.FieldByName("KONTURNUMPOINTS").SetAsInteger(71);
        horizons.Post();
        e->data.PassportModified = false;
        e->click("BitBtn12");
        horizons.SetRecNo(3);
        QCOMPARE(e->count(), 72);
        QVERIFY(e->data.PassportModified);
        QVERIFY(e->prompts.calls.empty());
    }

    void pageLayoutAndNames()
    {
        QCOMPARE(e->page->findChild<QLabel *>("TabSheet13Title")->text(), QStringLiteral("Контуры ловушек"));
        QCOMPARE(e->page->findChildren<QSplitter *>().size(), 2);
        const char *captions[][3] = {{"BitBtn10", "Импорт", ""},
                                     {"BitBtn11", "Очистить контур", ""},
                                     {"BitBtn12", "Обновить график", "Обновить график по текущим данным"},
                                     {"BitBtn16", "Экспорт", ""}};
        for (const auto &caption : captions) {
            QCOMPARE(e->page->button(caption[0])->text(), QString::fromUtf8(caption[1]));
            QCOMPARE(e->page->button(caption[0])->toolTip(), QString::fromUtf8(caption[2]));
        }
        const char *hints[] = {"Перейти в начало",
                               "Перейти к предыдущей строке",
                               "Перейти к следующей строке",
                               "Перейти в конец",
                               "Добавить строку",
                               "Удалить строку",
                               "Подтвердить последние изменения",
                               "Отказаться от последних изменений"};
        editor::Navigator *navigator = e->page->navigator();
        QCOMPARE(navigator->objectName(), QStringLiteral("DBNavigator3"));
        for (int b = 0; b < editor::Navigator::kButtonCount; ++b)
            QCOMPARE(navigator->button(editor::Navigator::Button(b))->toolTip(), QString::fromUtf8(hints[b]));
        // The horizon grid refuses to delete, without asking.
        editor::TableGrid *horizons = e->grid("JvDBGrid10");
        horizons->setFocus();
        QTest::keyClick(horizons, Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(e->data.POSIB_PRODUCT_HOR.RecordCount(), 4);
        QVERIFY(e->prompts.calls.empty());
    }

    void pointsAreTypedInTheHorizonsSystem()
    {
        // Degrees, minutes and seconds separated by commas.
        MemTable &horizons = e->data.POSIB_PRODUCT_HOR;
        horizons.Edit();
        horizons.FieldByName("KONTURKOORDTYPE").SetAsInteger(1);
        horizons.Post();
        editor::TableGrid *points = e->grid("JvDBGrid14");
        points->setFocus();
        points->setCurrentIndex(points->model()->index(1, points->columnOf("X")));
        QCoreApplication::processEvents();
        auto *edit = qobject_cast<QLineEdit *>(QApplication::focusWidget());
        QVERIFY(edit);
        edit->selectAll();
        typeText(edit, QStringLiteral("55,30,15.5"));
        QTest::keyClick(edit, Qt::Key_Return);
        QCoreApplication::processEvents();
        QCOMPARE(e->data.KONTUR.FieldByName("X").AsFloat(), 55 + 30 / 60.0 + 15.5 / 3600);
        QCOMPARE(e->data.KONTUR.RecNo(), 2);
        QCOMPARE(points->model()->index(1, 0).data().toString(), QStringLiteral("55°30\"15.500"));
    }

    void pageCheck_data()
    {
        QTest::addColumn<bool>("reflectHorizonsRequired");
        QTest::addColumn<QString>("warning");
        QTest::addColumn<int>("goesTo");
        QTest::newRow("no reflecting horizons")
            << true << QString::fromUtf8(pagechecks::kNoReflectHorizons) << 4;
        QTest::newRow("no productive horizons")
            << false << QString::fromUtf8(pagechecks::kNoProductiveHorizons) << 6;
    }
    void pageCheck()
    {
        QFETCH(bool, reflectHorizonsRequired);
        QFETCH(QString, warning);
        QFETCH(int, goesTo);
        e = std::make_unique<ContourPageEditor>(); // a new passport: no horizons of either kind
        e->form->show();
        QVERIFY(QTest::qWaitForWindowExposed(e->form.get()));
        if (!reflectHorizonsRequired)
            e->data.PASPORTS.FieldByName("PREPARATIONMETHOD_ID").SetAsInteger(92);
        e->enterPage(kContourPage);
        QCoreApplication::processEvents();
        QCOMPARE(e->prompts.calls.size(), std::size_t(1));
        QCOMPARE(e->prompts.calls[0].caption, std::string("Предупреждение"));
        QCOMPARE(QString::fromStdString(e->prompts.calls[0].text), warning);
        QCOMPARE(e->book()->pageControl()->currentIndex(), goesTo);
    }

    void clearEmptiesTheCurrentContourWithoutAQuestion()
    {
        e->click("BitBtn11");
        QCOMPARE(e->data.KONTUR.RecordCount(), 0);
        QCOMPARE(e->count(), 0);
        QCOMPARE(e->outlines()[0]->count(), 0);
        QCOMPARE(e->outlines()[1]->count(), 97);
        QCOMPARE(e->grid("JvDBGrid14")->model()->rowCount(), 0);
        QVERIFY(e->prompts.calls.empty());
        QVERIFY(e->data.PassportModified);
    }

    void areaLineFollowsTheCurrentHorizon()
    {
        MemTable &horizons = e->data.POSIB_PRODUCT_HOR;
        editor::ContourAreaLine *line = e->page->areaLine();
        const auto expected = [&] {
            return QString::fromStdString(gis::contourAreaText(gis::currentContourArea(e->data)));
        };
        QVERIFY(line->text().startsWith(QStringLiteral("Площадь контура по координатам: ")));
        QCOMPARE(line->text(), expected());
        QVERIFY(!line->warns());
        // Another horizon: the line follows it.
        const QString first = line->text();
        QTest::mouseClick(
            e->grid("JvDBGrid10")->viewport(), Qt::LeftButton, {},
            e->grid("JvDBGrid10")->visualRect(e->grid("JvDBGrid10")->model()->index(2, 0)).center());
        QCoreApplication::processEvents();
        QCOMPARE(line->text(), expected());
        QVERIFY(line->text() != first);
        // A typed area far from the contour's: the line warns; the passport keeps what was typed.
        const double computed = *gis::currentContourArea(e->data).computedKm2;
        horizons.Edit();
        horizons.FieldByName("POSIBLESQUARE").SetAsFloat(computed * 1.2);
        horizons.Post();
        QCoreApplication::processEvents();
        QVERIFY(line->warns());
        QCOMPARE(line->palette().color(QPalette::WindowText), QColor(Qt::red));
        QCOMPARE(horizons.FieldByName("POSIBLESQUARE").AsFloat(), computed * 1.2);
        // Clearing the contour leaves no computed area.
        e->click("BitBtn11");
        QCOMPARE(line->text(), expected());
        QVERIFY(!line->warns());
    }

    // Changes made while away on page 8: entering page 11 again shows the scheme and the area line of
    // the data as it is now, never the ones drawn before.
    void reenteringFollowsChangesMadeElsewhere_data()
    {
        QTest::addColumn<int>("change");
        QTest::newRow("nothing") << 0;
        QTest::newRow("point written") << 1;
        QTest::newRow("point edit cancelled") << 2;
        QTest::newRow("horizon deleted") << 3;
        QTest::newRow("typed area written") << 4;
        QTest::newRow("points removed") << 5;
    }
    void reenteringFollowsChangesMadeElsewhere()
    {
        QFETCH(int, change);
        MemTable &horizons = e->data.POSIB_PRODUCT_HOR;
        MemTable &points = e->data.KONTUR;
        e->enterPage(7);
        switch (change) {
        case 1:
        case 2:
            points.First();
            points.Edit();
            points.FieldByName("X").SetAsFloat(points.FieldByName("X").AsFloat() * 1.01);
            change == 1 ? points.Post() : points.Cancel();
            break;
        case 3:
            horizons.SetRecNo(2);
            horizons.Delete();
            break;
        case 4:
            horizons.First();
            horizons.Edit();
            horizons.FieldByName("POSIBLESQUARE").SetAsFloat(12345.5);
            horizons.Post();
            break;
        case 5:
            points.First();
            while (!points.Eof())
                points.Delete();
            break;
        default:
            break;
        }
        e->enterPage(kContourPage);
        QCoreApplication::processEvents();
        const gis::DegreeScheme degrees = gis::schemeInDegrees(redrawContours(e->data));
        const QList<QLineSeries *> outlines = e->outlines();
        QCOMPARE(outlines.size(), int(degrees.outlines.size()));
        for (int i = 0; i < outlines.size(); ++i) {
            const gis::DegreeOutline &outline = degrees.outlines[std::size_t(i)];
            QCOMPARE(outlines[i]->count(), int(outline.longitude.size()));
            for (int k = 0; k < outlines[i]->count(); ++k)
                QCOMPARE(outlines[i]->at(k),
                         QPointF(outline.longitude[std::size_t(k)], outline.latitude[std::size_t(k)]));
        }
        QCOMPARE(e->page->Chart1()->bottomAxis()->min(), degrees.minX);
        QCOMPARE(e->page->Chart1()->bottomAxis()->max(), degrees.maxX);
        QCOMPARE(e->page->areaLine()->text(),
                 QString::fromStdString(gis::contourAreaText(gis::currentContourArea(e->data))));
    }

    void gisExportWritesEveryContour()
    {
        TempFolder folder;
        const std::string path = folder.file("Контуры.gpkg");
        e->dialogs.saveAnswers = {QString::fromStdString(path)};
        e->click("GisExportButton");
        QVERIFY(e->prompts.calls.empty());
        const QString filter = e->dialogs.saveAsked.at(0).filter;
        for (const char *format : {"*.gpkg", "*.shp", "*.geojson", "*.kml"})
            QVERIFY2(filter.contains(QLatin1String(format)), format);
        // Read back without our code: one polygon per horizon with a contour.
        const CliRun run =
            runShell("python3 -c \"import sqlite3,sys; c=sqlite3.connect(sys.argv[1]); "
                     "t=c.execute('select table_name from gpkg_contents').fetchone()[0]; "
                     "print(c.execute('select count(*) from \\\"%s\\\"' % t).fetchone()[0])\" " +
                     shellQuoted(path));
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(QString::fromStdString(run.out).trimmed(), QStringLiteral("4"));
        // Cancelling the dialog writes nothing.
        e->click("GisExportButton");
        QVERIFY(e->prompts.calls.empty());
    }

    void exportIsReadBackByXlrd()
    {
        MemTable &horizons = e->data.POSIB_PRODUCT_HOR;
        QTest::mouseClick(
            e->grid("JvDBGrid10")->viewport(), Qt::LeftButton, {},
            e->grid("JvDBGrid10")->visualRect(e->grid("JvDBGrid10")->model()->index(2, 0)).center());
        QCOMPARE(horizons.RecNo(), 3);
        TempFolder folder;
        const QString path = QString::fromStdString(folder.file("Ач1.xls"));
        e->dialogs.saveAnswers = {path};
        e->click("BitBtn16");
        QVERIFY(e->prompts.calls.empty());
        QCOMPARE(e->dialogs.saveAsked.size(), std::size_t(1));
        const editor::FileDialogSettings &asked = e->dialogs.saveAsked[0];
        QCOMPARE(asked.title, QStringLiteral("Сохранить файл паспорта"));
        QCOMPARE(asked.filter, QStringLiteral("Таблица Excel (*.xls)|*.xls|Все файлы (*.*)|*.*"));
        QCOMPARE(asked.filterIndex, 1);
        QCOMPARE(asked.defaultExt, QStringLiteral("xls"));
        const std::string name = codepage::cp1251ToUtf8(horizons.FieldByName("STRATIGRSVIT").AsString());
        QCOMPARE(asked.fileName.toStdString(), name);
        QVERIFY(!e->form->findChild<TLoadingForm *>());

        const ReadWorkbook book = readWorkbook(path.toStdString());
        QVERIFY(book.problems.empty());
        QCOMPARE(book.sheets.size(), std::size_t(1));
        const ReadSheet &sheet = book.sheets[0];
        QCOMPARE(sheet.rows, 2 + 72);
        QCOMPARE(sheet.cell(1, 1)->text,
                 "Координаты контура    " + name + "   Тип координат:    Проекция Гаусса-Крюгера");
        QVERIFY(sheet.cell(1, 1)->bold);
        QCOMPARE(sheet.cell(2, 1)->text, std::string("Долгота"));
        QCOMPARE(sheet.cell(2, 2)->text, std::string("Широта"));
        QVERIFY(sheet.cell(2, 2)->bold);
        // The points as the grid shows them.
        editor::TableGrid *points = e->grid("JvDBGrid14");
        for (int row : {0, 71}) {
            QCOMPARE(QString::fromStdString(sheet.cell(row + 3, 1)->text),
                     points->model()->index(row, 0).data().toString());
            QCOMPARE(QString::fromStdString(sheet.cell(row + 3, 2)->text),
                     points->model()->index(row, 1).data().toString());
            QVERIFY(!sheet.cell(row + 3, 1)->bold);
        }
    }
};

TARVENA_REGISTER_TEST(ContoursPageTest)
#include "tst_contourspage.moc"
