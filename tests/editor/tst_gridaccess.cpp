// The grids as a screen reader walks them on a large passport: a table whose cells are made when
// asked for, so a walk of the window does not meet every one of 100,000 rows.
#include "tests/editor/contourpagefixture.h"
#include "tests/editor/testregistry.h"

#include <QAccessible>
#include <QElapsedTimer>

using namespace tarvena;
using namespace tarvena::testing;

namespace {

// Walks the accessible tree under an interface as a screen reader does, reading every name; returns
// the number of interfaces met.
int walk(QAccessibleInterface *node, int depth = 0)
{
    int met = 1;
    (void)node->text(QAccessible::Name);
    if (depth > 40)
        return met;
    const int count = node->childCount();
    for (int i = 0; i < count; ++i) {
        if (QAccessibleInterface *child = node->child(i))
            met += walk(child, depth + 1);
    }
    return met;
}

} // namespace

class GridAccessTest : public QObject
{
    Q_OBJECT

private slots:
    void walkOfALargeContour()
    {
        ContourPageEditor e;
        QVERIFY(e.start());
        MemTable &points = e.data.KONTUR;
        const int rows = 100000;
        {
            ControlsDisabledScope held(points);
            for (int p = points.RecordCount(); p < rows; ++p) {
                points.Append();
                points.FieldByName("X").SetAsFloat(60.0 + p * 1e-5);
                points.FieldByName("Y").SetAsFloat(55.0);
                points.Post();
            }
        }
        QCoreApplication::processEvents();
        editor::TableGrid *grid = e.grid("JvDBGrid14");
        QCOMPARE(grid->model()->rowCount(), rows);
        QAccessibleInterface *table = QAccessible::queryAccessibleInterface(grid);
        QVERIFY(table->tableInterface());
        QCOMPARE(table->tableInterface()->rowCount(), rows);
        QElapsedTimer timer;
        timer.start();
        const int met = walk(QAccessible::queryAccessibleInterface(e.form.get()));
        qInfo() << "walk met" << met << "interfaces in" << timer.elapsed() << "ms";
        // Any cell is there when asked for by its place.
        QAccessibleInterface *last = table->tableInterface()->cellAt(rows - 1, 1);
        QVERIFY(last);
        QCOMPARE(last->text(QAccessible::Name), grid->model()->index(rows - 1, 1).data().toString());
    }
};

TARVENA_REGISTER_TEST(GridAccessTest)
#include "tst_gridaccess.moc"
