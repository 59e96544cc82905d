// Typing into the grids as into a spreadsheet: typing replaces a cell's value however the cell was
// reached, F2 or a double click edits it in place, and text the field refuses stays in its cell,
// selected, until it is corrected or Escape brings the stored value back.
#include "editor/grid/delegates.h"
#include "tests/editor/gridfixture.h"
#include "tests/editor/testregistry.h"

#include <QApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace tarvena;
using namespace tarvena::testing;

namespace {

const char kRefused[] = "0.2.5";

// Shows a prompt in a real message box, which takes the focus as the editor's own does, and closes
// it with OK as a user would once it is up; should the box not be the active modal widget by then, it
// is closed anyway, so the test cannot wait for a user.
void showAndClose(const PromptCall &call)
{
    QMessageBox box(QMessageBox::Warning, QString::fromStdString(call.caption),
                    QString::fromStdString(call.text), QMessageBox::Ok);
    QTimer::singleShot(100, &box, [&box] {
        if (auto *shown = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
            QTest::keyClick(shown, Qt::Key_Return);
        if (box.isVisible())
            box.done(QMessageBox::Ok);
    });
    QTimer::singleShot(2000, &box, [&box] { box.done(QMessageBox::Ok); });
    box.exec();
}

} // namespace

class GridTypingTest : public QObject
{
    Q_OBJECT

    QTemporaryDir mDir;
    std::unique_ptr<Editor> e;
    TableGrid *grid1 = nullptr;

    MemTable &horizons() const { return e->data.REFLECT_HORIZONTS; }
    double square() const { return horizons().FieldByName("SQUARE").AsFloat(); }

private slots:
    void init()
    {
        // A copy, as F2 is the Save key elsewhere.
        const QString copy = mDir.filePath(QStringLiteral("typing.psp"));
        QFile::remove(copy);
        QVERIFY(QFile::copy(QString::fromStdString(builtSamplePassport()), copy));
        e = std::make_unique<Editor>();
        e->open(copy.toStdString());
        e->form->show();
        QVERIFY(QTest::qWaitForWindowActive(e->form.get()));
        e->enterPage(4);
        grid1 = horizonPage(*e, TablePage::ReflectHorizons)->grid("JvDBGrid1");
        QVERIFY(grid1);
        QCOMPARE(cellText(grid1, 0, "SQUARE"), QStringLiteral("41.2"));
    }
    void cleanup() { e.reset(); }

    void typingReplacesTheValueHoweverTheCellWasReached_data()
    {
        QTest::addColumn<QString>("way");
        QTest::newRow("a click from another row") << "click";
        QTest::newRow("a click on the cell being shown") << "click again";
        QTest::newRow("Tab") << "tab";
        QTest::newRow("Enter after a value") << "enter";
    }
    void typingReplacesTheValueHoweverTheCellWasReached()
    {
        QFETCH(QString, way);
        clickCell(grid1, 1, "INDEXOG");
        if (way == "tab") {
            clickCell(grid1, 0, "IZOGIPSMARK");
            QTest::keyClick(openTextEditor(), Qt::Key_Tab);
        } else {
            clickCell(grid1, 0, "SQUARE");
        }
        if (way == "click again")
            clickCell(grid1, 0, "SQUARE");
        if (way == "enter") {
            typeText(openTextEditor(), "7");
            QTest::keyClick(openTextEditor(), Qt::Key_Return);
            QCoreApplication::processEvents();
            QCOMPARE(square(), 7.0);
        }
        QCOMPARE(grid1->currentIndex(), cellOf(grid1, 0, "SQUARE"));
        QLineEdit *editor = openTextEditor();
        QVERIFY(editor);
        QCOMPARE(editor->selectedText(), editor->text());
        typeText(editor, "5");
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();
        QCOMPARE(square(), 5.0);
        QVERIFY(e->prompts.calls.empty());
    }

    void f2OrADoubleClickEditsInPlace_data()
    {
        QTest::addColumn<QString>("way");
        QTest::newRow("F2") << "F2";
        QTest::newRow("a double click on the cell being shown") << "double click";
        QTest::newRow("a double click from another row") << "double click from afar";
    }
    void f2OrADoubleClickEditsInPlace()
    {
        QFETCH(QString, way);
        clickCell(grid1, way == "double click from afar" ? 1 : 0, "SQUARE");
        if (way == "F2") {
            // F2 is also the Save key: in a grid cell it edits, and the passport is not saved.
            const QFileInfo file(e->fileName());
            const QDateTime written = file.lastModified();
            QTest::qWait(20); // a rewrite gets a later time
            QTest::keyClick(openTextEditor(), Qt::Key_F2);
            QCoreApplication::processEvents();
            QCOMPARE(QFileInfo(e->fileName()).lastModified(), written);
        } else if (way == "double click") {
            const QRect cell = grid1->visualRect(cellOf(grid1, 0, "SQUARE"));
            QTest::mouseDClick(grid1->viewport(), Qt::LeftButton, {}, cell.center());
            QCoreApplication::processEvents();
        } else {
            // Through the window, as the window system delivers it: press, release, press and double
            // click, release, each to the widget under the pointer (the second press finds the
            // editor the first one opened).
            grid1->scrollTo(cellOf(grid1, 0, "SQUARE"));
            const QPoint centre = grid1->visualRect(cellOf(grid1, 0, "SQUARE")).center();
            QTest::mouseDClick(e->form->windowHandle(), Qt::LeftButton, {},
                               grid1->viewport()->mapTo(e->form.get(), centre));
            QCoreApplication::processEvents();
        }
        QLineEdit *editor = openTextEditor();
        QVERIFY(editor);
        QCOMPARE(grid1->currentIndex(), cellOf(grid1, 0, "SQUARE"));
        QVERIFY(!editor->hasSelectedText());
        QCOMPARE(editor->cursorPosition(), int(editor->text().size()));
        typeText(editor, "5");
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();
        QCOMPARE(square(), 41.25);
    }

    // A refused number is told once; the cell keeps the focus with the text selected, whatever the user
    // did to leave it, and the corrected text is taken.
    void refusedTextStaysInItsCell_data()
    {
        QTest::addColumn<QString>("leave");
        QTest::addColumn<bool>("messageBox"); // told in a real message box, which takes the focus
        QTest::newRow("Enter") << "enter" << false;
        QTest::newRow("Tab") << "tab" << false;
        QTest::newRow("the arrow down") << "down" << false;
        QTest::newRow("a click on another row") << "click" << false;
        QTest::newRow("Enter, told in a message box") << "enter" << true;
        QTest::newRow("Tab, told in a message box") << "tab" << true;
        QTest::newRow("a click on another row, told in a message box") << "click" << true;
    }
    void refusedTextStaysInItsCell()
    {
        QFETCH(QString, leave);
        QFETCH(bool, messageBox);
        if (messageBox)
            e->prompts.onShow = [](const PromptCall &call) { showAndClose(call); };
        typeIntoCell(grid1, 0, "SQUARE", kRefused, Qt::Key_unknown);
        QLineEdit *typedInto = openTextEditor();
        if (leave == "click") {
            clickCell(grid1, 2, "INDEXOG");
        } else {
            QTest::keyClick(typedInto, leave == "tab"    ? Qt::Key_Tab
                                       : leave == "down" ? Qt::Key_Down
                                                         : Qt::Key_Return);
            QCoreApplication::processEvents();
        }
        QTest::qWait(100);
        if (messageBox) {
            // A window system activates the window again once the box is gone; offscreen none does.
            e->form->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(e->form.get()));
        }

        QCOMPARE(e->prompts.calls.size(), std::size_t(1));
        QCOMPARE(QString::fromStdString(e->prompts.calls[0].text),
                 QStringLiteral("Значение «0.2.5» не является числом. Введите число, отделяя дробную часть "
                                "точкой, например 12.5."));
        QCOMPARE(grid1->currentIndex(), cellOf(grid1, 0, "SQUARE"));
        QCOMPARE(horizons().RecNo(), 1);
        QLineEdit *editor = openTextEditor();
        QVERIFY(editor);
        QVERIFY(editor->hasFocus());
        QCOMPARE(editor->text(), QString::fromLatin1(kRefused));
        QCOMPARE(editor->selectedText(), QString::fromLatin1(kRefused));
        QCOMPARE(square(), 41.2);

        typeText(editor, "12.5");
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();
        QCOMPARE(square(), 12.5);
        QCOMPARE(e->prompts.calls.size(), std::size_t(1));
        clickRow(grid1, 2);
        QCOMPARE(horizons().RecNo(), 3);
    }

    void escapeBringsBackTheStoredValue_data()
    {
        QTest::addColumn<bool>("messageBox");
        QTest::newRow("told") << false;
        QTest::newRow("told in a message box") << true;
    }
    void escapeBringsBackTheStoredValue()
    {
        QFETCH(bool, messageBox);
        if (messageBox)
            e->prompts.onShow = [](const PromptCall &call) { showAndClose(call); };
        e->data.PassportModified = false;
        typeIntoCell(grid1, 0, "SQUARE", kRefused);
        if (messageBox) {
            e->form->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(e->form.get()));
        }
        QLineEdit *editor = openTextEditor();
        QCOMPARE(editor->text(), QString::fromLatin1(kRefused));
        QTest::keyClick(editor, Qt::Key_Escape);
        QCoreApplication::processEvents();
        editor = openTextEditor();
        QVERIFY(editor);
        QCOMPARE(editor->text(), QStringLiteral("41.2"));
        QCOMPARE(grid1->currentIndex(), cellOf(grid1, 0, "SQUARE"));
        // Nothing holds the cell now, and nothing was written.
        clickRow(grid1, 2);
        QCOMPARE(horizons().RecNo(), 3);
        QCOMPARE(e->prompts.calls.size(), std::size_t(1));
        QVERIFY(!e->data.PassportModified);
    }
};

TARVENA_REGISTER_TEST(GridTypingTest)
#include "tst_gridtyping.moc"
