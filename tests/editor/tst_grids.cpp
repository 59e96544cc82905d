// The grid model and its grid through the real widgets: a typed cell goes through the field's rules,
// computed columns follow, every view of a table shows the same current row, a refused value is told
// once after the assignment, text that is no number is refused in the user's words, typed text is
// posted or given up with its row, a new row left without input is dropped, deleting asks first,
// Tab walks the cells and a list stores the key of the entry picked.
#include "tests/editor/gridfixture.h"
#include "tests/editor/testregistry.h"

#include "editor/binding/selectorbinding.h"
#include "model/prompts.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

using namespace tarvena;
using namespace tarvena::testing;

class GridsTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<Editor> e;
    TableGrid *grid1 = nullptr;

    QToolButton *navigatorButton(editor::Navigator::Button which) const
    {
        return horizonPage(*e, TablePage::ReflectHorizons)->navigator()->button(which);
    }
    void clickNavigator(editor::Navigator::Button which) const
    {
        QToolButton *button = navigatorButton(which);
        QVERIFY(button && button->isEnabled());
        QTest::mouseClick(button, Qt::LeftButton);
        QCoreApplication::processEvents();
    }

private slots:
    void init()
    {
        e = std::make_unique<Editor>();
        e->open();
        e->form->show();
        QVERIFY(QTest::qWaitForWindowExposed(e->form.get()));
        e->enterPage(4);
        grid1 = horizonPage(*e, TablePage::ReflectHorizons)->grid("JvDBGrid1");
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
        QCoreApplication::processEvents();
        QCOMPARE(horizons.State(), TableState::Insert);
        QCOMPARE(grid1->model()->rowCount(), rows + 1);
        QCOMPARE(grid1->currentIndex().row(), 1); // shown before the row that was current
        clickRow(grid1, 3);
        QCOMPARE(horizons.State(), TableState::Browse);
        QCOMPARE(horizons.RecordCount(), rows);
        QCOMPARE(grid1->model()->rowCount(), rows);
        QCOMPARE(grid1->currentIndex().row(), 2); // the row clicked, now one higher
    }

    void textThatIsNoNumberIsRefusedInRussian_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::newRow("two points") << "1.2.3";
        QTest::newRow("two signs") << "--5";
        QTest::newRow("two exponents") << "1e5e";
        QTest::newRow("a sign alone") << "+";
    }
    void textThatIsNoNumberIsRefusedInRussian()
    {
        QFETCH(QString, typed);
        MemTable &horizons = e->data.REFLECT_HORIZONTS;
        e->data.PassportModified = false;
        typeIntoCell(grid1, 0, "SQUARE", typed);
        QCOMPARE(e->prompts.calls.size(), std::size_t(1));
        const PromptCall &told = e->prompts.calls[0];
        QCOMPARE(QString::fromStdString(told.caption), QStringLiteral("Неверное значение!"));
        QCOMPARE(QString::fromStdString(told.text),
                 "Значение «" + typed +
                     "» не является числом. Введите число, отделяя дробную часть точкой, например 12.5.");
        // Nothing of it reached the record: the old value stays and the row has nothing to post.
        QCOMPARE(horizons.FieldByName("SQUARE").AsFloat(), 41.2);
        QVERIFY(!horizons.Modified());
        QCOMPARE(cellText(grid1, 0, "SQUARE"), QStringLiteral("41.2"));
        // The typed text stays in the cell to be corrected, until Escape gives it up.
        QCOMPARE(openTextEditor()->text(), typed);
        QTest::keyClick(openTextEditor(), Qt::Key_Escape);
        QCOMPARE(openTextEditor()->text(), QStringLiteral("41.2"));
        clickRow(grid1, 1);
        QVERIFY(!e->data.PassportModified);
    }

    void typedTextIsPostedOrGivenUpWithItsRow_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<double>("stored");
        QTest::newRow("confirm") << int(editor::Navigator::Post) << 77.5;
        QTest::newRow("cancel") << int(editor::Navigator::Cancel) << 41.2;
    }
    void typedTextIsPostedOrGivenUpWithItsRow()
    {
        QFETCH(int, button);
        QFETCH(double, stored);
        MemTable &horizons = e->data.REFLECT_HORIZONTS;
        // Typed, not yet handed over: the row is being edited, as the navigator shows.
        typeIntoCell(grid1, 0, "SQUARE", "77.5", Qt::Key_unknown);
        QCOMPARE(horizons.State(), TableState::Edit);
        clickNavigator(editor::Navigator::Button(button));
        QCOMPARE(horizons.State(), TableState::Browse);
        QCOMPARE(horizons.FieldByName("SQUARE").AsFloat(), stored);
        const QString shown = QString::number(stored);
        QCOMPARE(cellText(grid1, 0, "SQUARE"), shown);
        QCOMPARE(openTextEditor()->text(), shown);
    }

    void newRowWithoutInputIsDroppedWhateverEndsIt_data()
    {
        QTest::addColumn<QString>("end");
        QTest::newRow("confirm button") << "confirm";
        QTest::newRow("another page") << "page";
        QTest::newRow("Escape") << "escape";
        QTest::newRow("saving") << "save";
    }
    void newRowWithoutInputIsDroppedWhateverEndsIt()
    {
        QFETCH(QString, end);
        MemTable &horizons = e->data.REFLECT_HORIZONTS;
        const int rows = horizons.RecordCount();
        clickRow(grid1, 0);
        clickNavigator(editor::Navigator::Insert);
        QCOMPARE(horizons.State(), TableState::Insert);
        if (end == "confirm") {
            clickNavigator(editor::Navigator::Post);
        } else if (end == "page") {
            e->enterPage(5);
        } else if (end == "escape") {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        } else {
            const QString copy = QDir(QDir::tempPath()).filePath("tarvena-grids-empty-row.psp");
            e->dialogs.saveAnswers.push_back(copy);
            e->form->N4Click();
            QFile::remove(copy);
        }
        QCoreApplication::processEvents();
        QCOMPARE(horizons.State(), TableState::Browse);
        QCOMPARE(horizons.RecordCount(), rows);
        QCOMPARE(grid1->model()->rowCount(), rows);
    }

    void newRowKeepsWhatIsTypedIntoIt()
    {
        MemTable &horizons = e->data.REFLECT_HORIZONTS;
        const int rows = horizons.RecordCount();
        clickRow(grid1, 2);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Insert);
        QCOMPARE(horizons.State(), TableState::Insert);
        typeIntoCell(grid1, 2, "INDEXOG", QStringLiteral("Н1"), Qt::Key_unknown);
        clickNavigator(editor::Navigator::Post);
        QCOMPARE(horizons.RecordCount(), rows + 1);
        QCOMPARE(e->text(horizons, "INDEXOG"), std::string("Н1"));
        QVERIFY(!horizons.FieldByName("ID").IsNull());
        QCOMPARE(cellText(grid1, horizons.RecNo() - 1, "INDEXOG"), QStringLiteral("Н1"));
    }

    void deletingAsksFirst_data()
    {
        QTest::addColumn<bool>("fromNavigator");
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("rowsLeft");
        QTest::newRow("Ctrl+Delete, no") << false << int(Prompts::No) << 3;
        QTest::newRow("Ctrl+Delete, yes") << false << int(Prompts::Yes) << 2;
        QTest::newRow("navigator, no") << true << int(Prompts::No) << 3;
        QTest::newRow("navigator, yes") << true << int(Prompts::Yes) << 2;
    }
    void deletingAsksFirst()
    {
        QFETCH(bool, fromNavigator);
        QFETCH(int, answer);
        QFETCH(int, rowsLeft);
        clickCell(grid1, 1, "SQUARE");
        e->prompts.answers.push_back(answer);
        if (fromNavigator)
            clickNavigator(editor::Navigator::Delete);
        else
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(e->prompts.calls.size(), std::size_t(1));
        QCOMPARE(e->prompts.calls[0].icon, Prompts::Icon::Question);
        QCOMPARE(e->data.REFLECT_HORIZONTS.RecordCount(), rowsLeft);
        QCOMPARE(grid1->model()->rowCount(), rowsLeft);
        // The horizon "М" of the second row is gone only when the user said yes.
        QCOMPARE(columnTexts(grid1, "INDEXOG").contains(QStringLiteral("М")), rowsLeft == 3);
    }

    void aGridThatRefusesDeletesAsksNothing()
    {
        auto contours = standaloneGrid(*e, "JvDBGrid10");
        contours->setDeleteAllowed(false);
        const int rows = e->data.POSIB_PRODUCT_HOR.RecordCount();
        contours->setFocus();
        contours->setCurrentIndex(contours->model()->index(1, 0));
        QTest::keyClick(contours.get(), Qt::Key_Delete, Qt::ControlModifier);
        QVERIFY(e->prompts.calls.empty());
        QCOMPARE(e->data.POSIB_PRODUCT_HOR.RecordCount(), rows);
    }

    void anEditInOneGridReachesTheOtherWithoutAReset()
    {
        e->enterPage(6);
        TableGrid *geometry = pageGrid(*e, 6, "JvDBGrid3");
        auto oil = standaloneGrid(*e, "JvDBGrid4"); // a second view on the screen
        e->form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(e->form.get()));
        QSignalSpy resets(oil->model(), &QAbstractItemModel::modelReset);
        QSignalSpy changes(oil->model(), &QAbstractItemModel::dataChanged);
        typeIntoCell(geometry, 1, "STRATIGRSVIT", QStringLiteral("пласт БП11"));
        QCOMPARE(cellText(oil.get(), 1, "STRATIGRSVIT"), QStringLiteral("пласт БП11"));
        QCOMPARE(oil->currentIndex().row(), 1);
        QCOMPARE(resets.count(), 0);
        QVERIFY(changes.count() > 0);
        // A grid on a page not shown hears nothing until its page is; then it shows the table as it is.
        TableGrid *hidden = pageGrid(*e, 7, "JvDBGrid5");
        QCOMPARE(cellText(hidden, 1, "STRATIGRSVIT"), QStringLiteral("пласт БП11"));
        e->enterPage(7);
        QCOMPARE(hidden->currentIndex().row(), e->data.POSIB_PRODUCT_HOR.RecNo() - 1);
    }

    void tabWalksTheCellsAndTheEditorShowsItsRow()
    {
        MemTable &horizons = e->data.REFLECT_HORIZONTS;
        clickCell(grid1, 1, "SQUARE");
        QCOMPARE(openTextEditor()->text(), QStringLiteral("33.6")); // the row clicked, not the one left
        typeIntoCell(grid1, 0, "SECHENIE", "5", Qt::Key_Tab);
        QCOMPARE(grid1->currentIndex(), cellOf(grid1, 0, "IZOGIPSMARK"));
        QLineEdit *next = openTextEditor();
        QVERIFY(next);
        QCOMPARE(next->text(), QStringLiteral("-1020"));
        next->selectAll();
        typeText(next, "1500");
        QTest::keyClick(next, Qt::Key_Tab);
        QCOMPARE(grid1->currentIndex(), cellOf(grid1, 0, "SQUARE"));
        QCOMPARE(horizons.FieldByName("SECHENIE").AsFloat(), 5.0);
        QCOMPARE(horizons.FieldByName("IZOGIPSMARK").AsFloat(), -1500.0);
    }

    void aListStoresTheKeyOfTheEntryPicked_data()
    {
        QTest::addColumn<QString>("gridName");
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("keyField");
        QTest::addColumn<qint64>("key");
        QTest::newRow("screen type") << "JvDBGrid1" << 4 << "_screentype_id"
                                     << "стратиграфический"
                                     << "SCREENTYPE_ID" << qint64(15002);
        QTest::newRow("hydrocarbon type") << "JvDBGrid3" << 6 << "_UV_ID"
                                          << "нефть"
                                          << "UV_ID" << qint64(397);
        QTest::newRow("reflecting horizon") << "JvDBGrid3" << 6 << "_REFLECTHOR_ID"
                                            << "Б"
                                            << "REFLECTHOR_ID" << qint64(287567);
    }
    void aListStoresTheKeyOfTheEntryPicked()
    {
        QFETCH(QString, gridName);
        QFETCH(int, page);
        QFETCH(QString, column);
        QFETCH(QString, entry);
        QFETCH(QString, keyField);
        QFETCH(qint64, key);
        e->enterPage(page);
        TableGrid *grid = pageGrid(*e, page, gridName.toLatin1().constData());
        const QByteArray field = column.toLatin1();
        grid->setFocus();
        grid->setCurrentIndex(cellOf(grid, 0, field.constData()));
        QCoreApplication::processEvents();
        auto *combo = qobject_cast<QComboBox *>(QApplication::focusWidget());
        QVERIFY2(combo, "the cell's list is open");
        const int index = combo->findText(entry);
        QVERIFY(index >= 0);
        combo->showPopup();
        combo->view()->setCurrentIndex(combo->view()->model()->index(index, 0));
        QTest::keyClick(combo->view(), Qt::Key_Return);
        QCoreApplication::processEvents();
        MemTable &table = tableOfGrid(*e, gridName.toLatin1().constData());
        QCOMPARE(qint64(table.FieldByName(keyField.toStdString()).AsInteger()), key);
        QCOMPARE(cellText(grid, 0, field.constData()), entry);
    }

    void cellButtonsWriteTheKeyAndPost_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("gridName");
        QTest::addColumn<QString>("column");
        QTest::addColumn<int>("answer"); // -1 cancels
        QTest::addColumn<QString>("keyField");
        QTest::addColumn<int>("openedOn");
        QTest::addColumn<int>("stored");
        QTest::addColumn<QString>("shown");
        QTest::newRow("page 5 unit") << 4 << "JvDBGrid1"
                                     << "_stratigr_id" << 16019 << "STRATIGR_ID" << 16016 << 16019 << "K1a";
        QTest::newRow("page 5 scale") << 4 << "JvDBGrid1"
                                      << "_scale" << 25000 << "SCALE" << 50000 << 25000 << "1: 25 000";
        QTest::newRow("page 5 scale cancelled") << 4 << "JvDBGrid1"
                                                << "_scale" << -1 << "SCALE" << 50000 << 50000 << "1: 50 000";
        QTest::newRow("page 7 unit") << 6 << "JvDBGrid3"
                                     << "_stratigr_id" << 16020 << "STRATIGR_ID" << 16016 << 16020 << "K1br";
        QTest::newRow("page 7 scale, none") << 6 << "JvDBGrid3"
                                            << "_scale" << 0 << "SCALE" << 50000 << 0 << "";
    }
    void cellButtonsWriteTheKeyAndPost()
    {
        QFETCH(int, page);
        QFETCH(QString, gridName);
        QFETCH(QString, column);
        QFETCH(int, answer);
        QFETCH(QString, keyField);
        QFETCH(int, openedOn);
        QFETCH(int, stored);
        QFETCH(QString, shown);
        const QByteArray gridKey = gridName.toLatin1();
        const QByteArray columnKey = column.toLatin1();
        e->enterPage(page);
        TableGrid *grid = pageGrid(*e, page, gridKey.constData());
        MemTable &table = tableOfGrid(*e, gridKey.constData());
        const bool isScale = column == "_scale";
        (isScale ? e->dialogs.scaleAnswers : e->dialogs.unitAnswers)
            .push_back(answer < 0 ? std::nullopt : std::optional<int>(answer));
        // Something typed earlier in the row is posted with the choice, also when it is cancelled.
        typeIntoCell(grid, 0, "SECHENIE", "12.5");
        QCOMPARE(table.State(), TableState::Edit);
        e->data.PassportModified = false;

        clickCell(grid, 0, columnKey.constData());
        auto *selector = grid->findChild<editor::SelectorEdit *>();
        QVERIFY2(selector && selector->isVisible(), "the cell shows its button");
        QTest::mouseClick(selector->button(), Qt::LeftButton);
        QCoreApplication::processEvents();

        const std::vector<int> &asked = isScale ? e->dialogs.scaleAsked : e->dialogs.unitAsked;
        QCOMPARE(asked, std::vector<int>{openedOn});
        QCOMPARE(table.State(), TableState::Browse);
        QVERIFY(e->data.PassportModified);
        QCOMPARE(table.FieldByName(keyField.toStdString()).AsInteger(), stored);
        QVERIFY(!table.FieldByName(keyField.toStdString()).IsNull()); // 0 is stored as 0
        QCOMPARE(table.FieldByName("SECHENIE").AsFloat(), 12.5);
        QCOMPARE(cellText(grid, 0, columnKey.constData()), shown);
        QCOMPARE(selector->edit()->text(), shown);
    }

    void calculatedAndReadOnlyCellsTakeNoInput_data()
    {
        QTest::addColumn<QString>("column");
        QTest::newRow("calculated") << "CALC_BAL_RES";
        QTest::newRow("read-only") << "STRATIGRSVIT";
    }
    void calculatedAndReadOnlyCellsTakeNoInput()
    {
        QFETCH(QString, column);
        const QByteArray field = column.toLatin1();
        e->enterPage(7);
        TableGrid *oil = pageGrid(*e, 7, "JvDBGrid4");
        MemTable &horizons = e->data.POSIB_PRODUCT_HOR;
        const std::string before = horizons.FieldByName(field.constData()).DisplayText();
        clickCell(oil, 0, field.constData());
        QVERIFY(!openTextEditor());
        typeText(oil, "55");
        QTest::keyClick(oil, Qt::Key_Return);
        QCoreApplication::processEvents();
        QCOMPARE(horizons.FieldByName(field.constData()).DisplayText(), before);
        QCOMPARE(horizons.State(), TableState::Browse);
    }
};

TARVENA_REGISTER_TEST(GridsTest)
#include "tst_grids.moc"
