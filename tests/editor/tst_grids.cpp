// The grid model and its grid through the real widgets: a typed cell goes through the field's rules,
// computed columns follow, every view of a table shows the same current row, a refused value is told
// once after the assignment, and a new row left without input is dropped.
#include "editor/grid/tablegrid.h"
#include "editor/grid/tablemodel.h"
#include "editor/pages/reflecthorizonspage.h"
#include "model/columnsets.h"
#include "tests/editor/editorfixture.h"
#include "tests/editor/testregistry.h"

#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

using namespace tarvena;
using namespace tarvena::testing;
using editor::TableGrid;
using editor::TableModel;

namespace {

// Makes a cell current, as a click does, and types into its editor; Enter commits.
void typeIntoCell(TableGrid *grid, int row, const char *fieldName, const QString &text)
{
    const QModelIndex cell = grid->model()->index(row, grid->columnOf(fieldName));
    grid->setFocus();
    grid->setCurrentIndex(cell);
    QCoreApplication::processEvents();
    auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
    QVERIFY2(editor, "the cell editor is open");
    editor->selectAll();
    typeText(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
}

void clickRow(TableGrid *grid, int row)
{
    const QRect cell = grid->visualRect(grid->model()->index(row, 0));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    QCoreApplication::processEvents();
}

QString cellText(TableGrid *grid, int row, const char *fieldName)
{
    return grid->model()->index(row, grid->columnOf(fieldName)).data().toString();
}

// A second view of a table, standing alone on the screen.
std::unique_ptr<TableGrid> standaloneGrid(Editor &e, const char *gridName)
{
    MemTable &table = gridTableName(gridName) == "KONTUR"              ? e.data.KONTUR
                      : gridTableName(gridName) == "REFLECT_HORIZONTS" ? e.data.REFLECT_HORIZONTS
                                                                       : e.data.POSIB_PRODUCT_HOR;
    auto grid =
        std::make_unique<TableGrid>(new TableModel(table, gridColumns(gridName), e.prompts), gridName);
    grid->resize(800, 300);
    grid->show();
    return grid;
}

} // namespace

class GridsTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<Editor> e;
    TableGrid *grid1 = nullptr;

private slots:
    void init()
    {
        e = std::make_unique<Editor>();
        e->open();
        e->form->show();
        QVERIFY(QTest::qWaitForWindowExposed(e->form.get()));
        e->enterPage(4);
        grid1 = e->page<editor::ReflectHorizonsPage>()->grid("JvDBGrid1");
        QVERIFY(grid1);
        QCOMPARE(grid1->model()->rowCount(), e->data.REFLECT_HORIZONTS.RecordCount());
    }
    void cleanup() { e.reset(); }

    void typedCellGoesThroughTheFieldsRules()
    {
        typeIntoCell(grid1, 1, "IZOGIPSMARK", "1500");
        MemTable &horizons = e->data.REFLECT_HORIZONTS;
        QCOMPARE(horizons.RecNo(), 2);
        QCOMPARE(horizons.FieldByName("IZOGIPSMARK").AsFloat(), -1500.0); // stored below zero
        QCOMPARE(cellText(grid1, 1, "IZOGIPSMARK"), QStringLiteral("-1500"));
        // Leaving the row posts it.
        clickRow(grid1, 0);
        QCOMPARE(horizons.State(), TableState::Browse);
        QVERIFY(e->data.PassportModified);
    }

    void computedColumnsFollowTheirParameters()
    {
        auto oil = standaloneGrid(*e, "JvDBGrid4");
        MemTable &horizons = e->data.POSIB_PRODUCT_HOR;
        // A horizon whose oil resources are computed.
        int row = 0;
        while (row < oil->model()->rowCount() && cellText(oil.get(), row, "CALC_BAL_RES").isEmpty())
            ++row;
        QVERIFY(row < oil->model()->rowCount());
        QSignalSpy resets(oil->model(), &QAbstractItemModel::modelReset);
        const QString before = cellText(oil.get(), row, "CALC_BAL_RES");
        typeIntoCell(oil.get(), row, "SQUARENEFTENOSN", "123.5");
        QCOMPARE(horizons.FieldByName("SQUARENEFTENOSN").AsFloat(), 123.5);
        const QString after = cellText(oil.get(), row, "CALC_BAL_RES");
        QVERIFY(after != before);
        QCOMPARE(after.toStdString(),
                 codepage::cp1251ToUtf8(horizons.FieldByName("CALC_BAL_RES").DisplayText()));
        QCOMPARE(resets.count(), 0); // the row repaints; nothing is rebuilt
    }

    void everyViewShowsTheSameCurrentRow()
    {
        auto quality = standaloneGrid(*e, "JvDBGrid2");
        clickRow(grid1, 2);
        QCOMPARE(e->data.REFLECT_HORIZONTS.RecNo(), 3);
        QCOMPARE(quality->currentIndex().row(), 2);
        clickRow(quality.get(), 0);
        QCOMPARE(grid1->currentIndex().row(), 0);
    }

    void refusedValueIsToldOnceAfterTheAssignment()
    {
        MemTable &horizons = e->data.REFLECT_HORIZONTS;
        bool nullWhenTold = false;
        e->prompts.onShow = [&](const PromptCall &) {
            nullWhenTold = horizons.FieldByName("SQUARE").IsNull();
        };
        QVERIFY(!horizons.FieldByName("SQUARE").IsNull());
        typeIntoCell(grid1, 0, "SQUARE", "0");
        QCOMPARE(e->prompts.calls.size(), std::size_t(1));
        QCOMPARE(QString::fromStdString(e->prompts.calls[0].caption), QStringLiteral("Неверное значение!"));
        QVERIFY(nullWhenTold); // told when the rule had finished, not inside the assignment
        QCOMPARE(cellText(grid1, 0, "SQUARE"), QString());
    }

    void aNewRowLeftWithoutInputIsDropped()
    {
        MemTable &horizons = e->data.REFLECT_HORIZONTS;
        const int rows = horizons.RecordCount();
        clickRow(grid1, 1);
        QTest::keyClick(grid1, Qt::Key_Insert);
        QCOMPARE(horizons.State(), TableState::Insert);
        QCOMPARE(grid1->model()->rowCount(), rows + 1);
        QCOMPARE(grid1->currentIndex().row(), 1); // shown before the row that was current
        clickRow(grid1, 3);
        QCOMPARE(horizons.State(), TableState::Browse);
        QCOMPARE(horizons.RecordCount(), rows);
        QCOMPARE(grid1->model()->rowCount(), rows);
        QCOMPARE(grid1->currentIndex().row(), 2); // the row clicked, now one higher
    }
};

TARVENA_REGISTER_TEST(GridsTest)
#include "tst_grids.moc"
