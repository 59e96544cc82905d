// «Проверка паспорта» in the editor: F7 and the geology page's button open the dock of findings, a
// double-click or Enter on a finding shows its page and focuses its control, grid cell or document
// slot, and "Проверить снова" follows what the user mended. Unpacking a passport with errors asks once.
#include "editor/dialogs/passportcheck.h"
#include "editor/grid/tablegrid.h"
#include "editor/pages/documentspage.h"
#include "editor/pages/historypage.h"
#include "editor/pages/horizonpage.h"
#include "tests/editor/editorfixture.h"
#include "tests/editor/testregistry.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

using namespace tarvena;
using namespace tarvena::testing;

namespace {

// Three problems: no authors of the report, no scale of the second reflecting horizon's map, no
// explanatory note.
void spoil(Editor &e)
{
    MemTable &record = e.data.PASPORTS;
    if (record.State() == TableState::Browse)
        record.Edit();
    record.FieldByName("REPORTAUTHORS").Clear();
    record.Post();
    MemTable &reflecting = e.data.REFLECT_HORIZONTS;
    reflecting.SetRecNo(2);
    reflecting.Edit();
    reflecting.FieldByName("SCALE").Clear();
    reflecting.Post();
    reflecting.First();
    while (e.data.FILES.Locate("NAME", codepage::utf8ToCp1251("Пояснительная записка.rtf")))
        e.data.FILES.Delete();
    e.form->RebuildFileSlots();
}

void doubleClick(QTreeWidget *list, int line)
{
    QTreeWidgetItem *item = list->topLevelItem(line);
    const QRect rect = list->visualItemRect(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    QCoreApplication::processEvents();
}

} // namespace

class PassportCheckTest : public QObject
{
    Q_OBJECT

private slots:
    void findingsLeadToTheirPlaces()
    {
        Editor e;
        e.open();
        e.form->show();
        QVERIFY(QTest::qWaitForWindowExposed(e.form.get()));
        spoil(e);

        auto *action = e.form->findChild<QAction *>(QStringLiteral("N13"));
        QVERIFY(action);
        QCOMPARE(action->text(), QStringLiteral("&Проверить паспорт"));
        QCOMPARE(action->shortcut(), QKeySequence(Qt::Key_F7));
        action->trigger();
        editor::PassportCheckDock *dialog = e.form->passportCheck();
        QVERIFY(dialog && dialog->isVisible());
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Проверка паспорта"));
        QCOMPARE(dialog->summary()->text(), QStringLiteral("Ошибок: 3, предупреждений: 8"));
        QTreeWidget *list = dialog->list();
        QCOMPARE(list->topLevelItemCount(), 11);
        QCOMPARE(list->topLevelItem(0)->text(0), QStringLiteral("Не заполнено поле «Авторы отчета»"));
        QCOMPARE(list->topLevelItem(0)->text(1), QStringLiteral("2.История, «Авторы отчета»"));
        QCOMPARE(list->topLevelItem(1)->text(1),
                 QStringLiteral("5.Отражающие горизонты, «Масштаб структурной карты», строка 2"));
        QCOMPARE(list->topLevelItem(2)->text(0), QStringLiteral("Не приложен файл «Пояснительная записка»"));
        const QIcon error = dialog->style()->standardIcon(QStyle::SP_MessageBoxCritical);
        QCOMPARE(list->topLevelItem(0)->icon(0).pixmap(16).toImage(), error.pixmap(16).toImage());
        QVERIFY(list->topLevelItem(3)->icon(0).pixmap(16).toImage() != error.pixmap(16).toImage());

        // The record control.
        e.enterPage(pageIndex(TablePage::Geography));
        doubleClick(list, 0);
        QCOMPARE(e.form->pageControl1()->currentWidget(), e.book());
        QCOMPARE(e.book()->pageControl()->currentIndex(), pageIndex(TablePage::History));
        QCOMPARE(e.form->focusWidget(), e.page<editor::HistoryPage>()->control("DBEdit4"));

        // The grid's row and column.
        doubleClick(list, 1);
        QCOMPARE(e.book()->pageControl()->currentIndex(), pageIndex(TablePage::ReflectHorizons));
        auto *grid = e.book()->page(TablePage::ReflectHorizons)->findChild<editor::TableGrid *>("JvDBGrid1");
        QVERIFY(grid);
        QCOMPARE(grid->currentIndex().row(), 1);
        QCOMPARE(grid->currentIndex().column(), grid->columnOf("_scale"));
        // The grid, or the cell's editor it keeps open.
        QVERIFY(e.form->focusWidget() == grid || grid->isAncestorOf(e.form->focusWidget()));

        // The document slot, reached with Enter.
        list->setFocus();
        list->setCurrentItem(list->topLevelItem(2));
        QTest::keyClick(list, Qt::Key_Return);
        QCoreApplication::processEvents();
        QCOMPARE(e.form->pageControl1()->currentWidget(), e.form->documentsPage());
        editor::TableGrid *documents = e.form->documentsPage()->grid(SlotList::Documents);
        QCOMPARE(documents->currentIndex().row(), 1);
        QVERIFY(e.form->focusWidget() == documents || documents->isAncestorOf(e.form->focusWidget()));

        // Mended, checked again.
        MemTable &record = e.data.PASPORTS;
        if (record.State() == TableState::Browse)
            record.Edit();
        record.FieldByName("REPORTAUTHORS").SetAsString(codepage::utf8ToCp1251("Иванов А. П."));
        record.Post();
        QTest::mouseClick(dialog->recheckButton(), Qt::LeftButton);
        QCOMPARE(dialog->summary()->text(), QStringLiteral("Ошибок: 2, предупреждений: 8"));
        QCOMPARE(list->topLevelItemCount(), 10);
    }

    void geologyPageButtonOpensTheCheck()
    {
        Editor e;
        e.open();
        e.form->show();
        QVERIFY(QTest::qWaitForWindowExposed(e.form.get()));
        e.enterPage(pageIndex(TablePage::Geology));
        auto *button = e.book()->page(TablePage::Geology)->findChild<QPushButton *>("CheckPassportButton");
        QVERIFY(button);
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(e.form->passportCheck() && e.form->passportCheck()->isVisible());
        QCOMPARE(e.form->passportCheck()->summary()->text(), QStringLiteral("Ошибок: 0, предупреждений: 8"));
    }

    // Unpacking is not refused: a passport with errors asks once, and "No" ends the unpacking.
    void unpackingAPassportWithErrorsAsksOnce()
    {
        Editor e;
        e.open();
        spoil(e);
        e.dialogs.modalScripts.push_back([](QDialog &form) {
            QTest::mouseClick(form.findChild<QPushButton *>(QStringLiteral("Button1")), Qt::LeftButton);
        });
        e.prompts.answers = {Prompts::No};
        e.form->findChild<QAction *>(QStringLiteral("N12"))->trigger();
        QCoreApplication::processEvents();
        QCOMPARE(e.prompts.calls.size(), std::size_t(1));
        QCOMPARE(e.prompts.calls[0].text,
                 std::string(
                     "Проверка паспорта нашла ошибок: 3 (Файл → Проверить паспорт). Распаковать паспорт?"));
        QVERIFY(e.dialogs.folderAsked.isEmpty());
    }
};

TARVENA_REGISTER_TEST(PassportCheckTest)

#include "tst_passportcheck.moc"
