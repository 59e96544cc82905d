// Undo and redo through the real widgets: each kind of edit, taken back from the "Правка" menu or its
// keys, leaves every passport table as it was, and applied again as it was after the edit; the
// commands name their step; the flag of unsaved changes follows the steps.
#include "editor/binding/selectorbinding.h"
#include "editor/pages/geographypage.h"
#include "editor/pages/geologypage.h"
#include "editor/pages/methodspage.h"
#include "editor/undo.h"
#include "tests/editor/contourpagefixture.h"
#include "tests/editor/documentsfixture.h"
#include "tests/editor/gridfixture.h"
#include "tests/editor/testregistry.h"
#include "tests/support/passportstatedump.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QToolButton>

#include <functional>
#include <sstream>

using namespace tarvena;
using namespace tarvena::testing;

namespace {

const std::string kExitQuestion = "Вы действительно хотите выйти из программы?";

struct Action
{
    int page; // the inner page entered first; -1: the documents page
    std::function<void(DocumentsEditor &)> act;
};

void clickNavigator(DocumentsEditor &e, TablePage page, editor::Navigator::Button which)
{
    QTest::mouseClick(horizonPage(e, page)->navigator()->button(which), Qt::LeftButton);
    QCoreApplication::processEvents();
}

void clickSelector(editor::RecordPage *page, const char *control)
{
    QTest::mouseClick(page->control<editor::SelectorEdit>(control)->button(), Qt::LeftButton);
    QCoreApplication::processEvents();
}

// The actions of the table below, by its rows' numbers.
const Action kActions[] = {
    {0,
     [](DocumentsEditor &e) {
         type(e.book()->page<editor::GeographyPage>()->control("DBEdit1"), "Другой объект");
     }},
    {3,
     [](DocumentsEditor &e) {
         auto *province = e.book()->page<editor::GeologyPage>()->control<QComboBox>("JvDBLookupCombo19");
         pick(province, indexOfKey(province, 11002));
     }},
    {4,
     [](DocumentsEditor &e) {
         TableGrid *grid = horizonPage(e, TablePage::ReflectHorizons)->grid("JvDBGrid1");
         typeIntoCell(grid, 1, "IZOGIPSMARK", "1500");
         clickRow(grid, 0);
     }},
    {4,
     [](DocumentsEditor &e) {
         clickRow(horizonPage(e, TablePage::ReflectHorizons)->grid("JvDBGrid1"), 1);
         e.prompts.answers.push_back(Prompts::Yes);
         clickNavigator(e, TablePage::ReflectHorizons, editor::Navigator::Delete);
     }},
    {2,
     [](DocumentsEditor &e) {
         e.dialogs.scaleAnswers.push_back(25000);
         clickSelector(e.book()->page<editor::MethodsPage>(), "JvDBComboEdit3");
     }},
    {3,
     [](DocumentsEditor &e) {
         e.dialogs.unitAnswers.push_back(16001);
         clickSelector(e.book()->page<editor::GeologyPage>(), "JvDBComboEdit1");
     }},
    {kContourPage,
     [](DocumentsEditor &e) {
         QTest::mouseClick(e.book()->page<editor::ContoursPage>()->button("BitBtn11"), Qt::LeftButton);
         QCoreApplication::processEvents();
     }},
    {-1,
     [](DocumentsEditor &e) {
         e.clickRow(SlotList::Documents, 0);
         e.click(SlotList::Documents, editor::SlotGroup::Clear);
     }},
    {-1,
     [](DocumentsEditor &e) {
         e.dialogs.inputAnswers.push_back(QStringLiteral("Новый комментарий"));
         e.clickRow(SlotList::Documents, 0);
         e.click(SlotList::Documents, editor::SlotGroup::Comment);
     }},
    {-1,
     [](DocumentsEditor &e) {
         QFile file(e.dir.filePath(QStringLiteral("карта.pdf")));
         file.open(QIODevice::WriteOnly);
         file.write(QByteArray(3000, 'm'));
         file.close();
         e.load(SlotList::Graphics, 0, file.fileName());
     }},
    {2,
     [](DocumentsEditor &e) {
         // The page's own rule empties the charge location after this pick.
         auto *source = e.book()->page<editor::MethodsPage>()->control<QComboBox>("JvDBLookupCombo10");
         pick(source, source->findText(QStringLiteral("Невзрывной")));
     }},
};

} // namespace

class UndoTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<DocumentsEditor> e;

    editor::EditMenu *menu() const { return e->form->editMenu(); }
    // The records of every table and the pending edits that change them. The cursor is left out: the
    // undo shows the row where the step was made, which the user may have moved to just before it.
    std::string dump() const
    {
        std::istringstream in(passportStateDump(e->data));
        std::string kept;
        for (std::string line; std::getline(in, line);) {
            if (line.find(" state ") == std::string::npos && line.rfind("current ", 0) != 0)
                kept += line + '\n';
        }
        std::ostringstream pending;
        for (MemTable *table : e->data.passportTables()) {
            if (table->State() == TableState::Browse || !table->Modified())
                continue;
            pending << table->Name() << " pending ";
            for (int i = 0; i < table->FieldCount(); ++i) {
                if (table->fieldAt(i).dataIndex() >= 0)
                    dumpdetail::dumpValue(pending, table->fieldAt(i).value());
            }
            pending << '\n';
        }
        return kept + pending.str();
    }
    void trigger(QAction *action) const
    {
        action->trigger();
        QCoreApplication::processEvents();
    }
    void key(QKeyCombination keys) const
    {
        QWidget *focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : e->form.get(), keys.key(), keys.keyboardModifiers());
        QCoreApplication::processEvents();
    }
    void enter(int page) const
    {
        if (page < 0) {
            e->showDocuments();
            return;
        }
        if (e->form->pageControl1()->currentIndex() != 0)
            e->clickMainTab(0);
        e->enterPage(page);
    }

private slots:
    void init()
    {
        e = std::make_unique<DocumentsEditor>();
        e->open();
        e->form->show();
        QVERIFY(QTest::qWaitForWindowExposed(e->form.get()));
    }
    void cleanup() { e.reset(); }

    void eachEditIsTakenBackAndAppliedAgain_data()
    {
        QTest::addColumn<int>("action");
        QTest::addColumn<QString>("step");
        QTest::newRow("typed text") << 0 << "Наименование объекта";
        QTest::newRow("list pick emptying fields") << 1 << "Нефтегазоносная провинция";
        QTest::newRow("typed grid cell") << 2 << "Отметка последней замкнутой изогипсы (м)";
        QTest::newRow("horizon deleted") << 3 << "удаление горизонта «";
        QTest::newRow("scale chosen in its dialog") << 4 << "";
        QTest::newRow("unit chosen in its dialog") << 5 << "";
        QTest::newRow("contour cleared") << 6 << "очистка контура";
        QTest::newRow("document cleared") << 7 << "очистка документа";
        QTest::newRow("document comment") << 8 << "комментарий документа";
        QTest::newRow("document loaded") << 9 << "загрузка документа";
        QTest::newRow("list pick whose page rule empties a field")
            << 10 << "Вид источника возбуждения колебаний";
    }
    void eachEditIsTakenBackAndAppliedAgain()
    {
        QFETCH(int, action);
        QFETCH(QString, step);
        const Action &act = kActions[action];
        enter(act.page);
        QVERIFY(!menu()->undoAction()->isEnabled());
        QCOMPARE(menu()->undoAction()->text(), QStringLiteral("Отменить"));
        QVERIFY(!e->data.PassportModified);
        const std::string before = dump();
        act.act(*e);
        const std::string after = dump();
        QVERIFY(before != after);
        QVERIFY(e->prompts.answers.empty());
        menu()->refresh();
        QVERIFY(menu()->undoAction()->isEnabled());
        QCOMPARE(e->data.Journal.undoCount(), 1);
        const QString undoText = menu()->undoAction()->text();
        QVERIFY2(undoText.startsWith(QStringLiteral("Отменить: ") + step), qPrintable(undoText));

        trigger(menu()->undoAction());
        QCOMPARE(dump(), before);
        QVERIFY(!e->data.PassportModified);
        menu()->refresh();
        QCOMPARE(menu()->redoAction()->text(), QStringLiteral("Повторить") + undoText.mid(8));

        // The keys as well, wherever the focus stands.
        key(Qt::CTRL | Qt::Key_Y);
        QCOMPARE(dump(), after);
        QVERIFY(e->data.PassportModified);
        key(Qt::CTRL | Qt::Key_Z);
        QCOMPARE(dump(), before);
        key(Qt::CTRL | Qt::SHIFT | Qt::Key_Z);
        QCOMPARE(dump(), after);
    }

    void provincePickUndoneBringsBackAreaAndDistrict()
    {
        enter(3);
        MemTable &record = e->data.PASPORTS;
        const std::int64_t province = record.FieldByName("GEO_PROVINCE_ID").AsInteger();
        const std::int64_t area = record.FieldByName("GEO_OBLAST_ID").AsInteger();
        const std::int64_t district = record.FieldByName("GEO_RAION_ID").AsInteger();
        QVERIFY(area != 0 && district != 0);
        kActions[1].act(*e);
        QVERIFY(record.FieldByName("GEO_OBLAST_ID").IsNull());
        QVERIFY(record.FieldByName("GEO_RAION_ID").IsNull());
        trigger(menu()->undoAction());
        QCOMPARE(record.FieldByName("GEO_PROVINCE_ID").AsInteger(), province);
        QCOMPARE(record.FieldByName("GEO_OBLAST_ID").AsInteger(), area);
        QCOMPARE(record.FieldByName("GEO_RAION_ID").AsInteger(), district);
        // The list shows the province again.
        auto *list = e->book()->page<editor::GeologyPage>()->control<QComboBox>("JvDBLookupCombo19");
        QCOMPARE(list->currentData().toLongLong(), qint64(province));
    }

    void undoneSourcePickLeavesTheControlsAsTheSourceSays()
    {
        enter(2);
        auto *page = e->book()->page<editor::MethodsPage>();
        QWidget *charge = page->control("JvDBLookupCombo11");
        QVERIFY(charge->isEnabled());
        kActions[10].act(*e);
        QVERIFY(!charge->isEnabled());
        trigger(menu()->undoAction());
        QVERIFY(charge->isEnabled());
        QCOMPARE(page->control<QComboBox>("JvDBLookupCombo11")->currentText(), QStringLiteral("В скважине"));
        trigger(menu()->redoAction());
        QVERIFY(!charge->isEnabled());
    }

    void undoOnAResourcePageKeepsItsFilter()
    {
        enter(pageIndex(TablePage::OilResources));
        MemTable &horizons = e->data.POSIB_PRODUCT_HOR;
        QVERIFY(horizons.Filtered());
        const int shown = horizons.RecordCount();
        TableGrid *grid = horizonPage(*e, TablePage::OilResources)->grid("JvDBGrid4");
        typeIntoCell(grid, 0, "EFECTOILWIDTH", "7.5");
        trigger(menu()->undoAction());
        QVERIFY(horizons.Filtered());
        QCOMPARE(horizons.RecordCount(), shown);
        QCOMPARE(grid->model()->rowCount(), shown);
    }

    void undoneContourClearIsDrawnAgain()
    {
        enter(kContourPage);
        auto *page = e->book()->page<editor::ContoursPage>();
        const int points = page->Chart1()->outlines().front()->count();
        QVERIFY(points > 0);
        kActions[6].act(*e);
        QCOMPARE(page->Chart1()->outlines().front()->count(), 0);
        trigger(menu()->undoAction());
        QCOMPARE(page->Chart1()->outlines().front()->count(), points);
    }

    void menuStandsBetweenFileAndHelp()
    {
        QStringList titles;
        for (QAction *action : e->form->menuBar()->actions())
            titles << action->text();
        QCOMPARE(titles, (QStringList{QStringLiteral("&Файл"), QStringLiteral("&Правка"),
                                      QStringLiteral("&Помощь")}));
        QCOMPARE(menu()->undoAction()->shortcuts(), QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_Z)});
        QCOMPARE(menu()->redoAction()->shortcuts(),
                 (QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_Y),
                                      QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}));
    }

    void halfTypedTextIsItsOwnStepBeforeUndo()
    {
        auto *geography = e->book()->page<editor::GeographyPage>();
        type(geography->control("DBEdit1"), QStringLiteral("Первое"));
        auto *edit = geography->control<QLineEdit>("DBEdit1");
        edit->setFocus();
        edit->selectAll();
        typeText(edit, QStringLiteral("Второе"));
        key(Qt::CTRL | Qt::Key_Z);
        // The half-typed text was taken as a step and is the one undone.
        QCOMPARE(e->objectName(), std::string("Первое"));
        QCOMPARE(edit->text(), QStringLiteral("Первое"));
        QCOMPARE(e->data.Journal.redoCount(), 1);
    }

    void closeQuestionFollowsTheSteps_data()
    {
        QTest::addColumn<bool>("saveFirst");
        QTest::addColumn<int>("undos");
        QTest::addColumn<bool>("asked");
        QTest::newRow("edit, undo") << false << 1 << false;
        QTest::newRow("save, edit, undo") << true << 1 << false;
        QTest::newRow("edit") << false << 0 << true;
        QTest::newRow("save, edit") << true << 0 << true;
    }
    void closeQuestionFollowsTheSteps()
    {
        QFETCH(bool, saveFirst);
        QFETCH(int, undos);
        QFETCH(bool, asked);
        if (saveFirst) {
            e->saveAs(e->dir.filePath(QStringLiteral("saved.psp")).toStdString());
            QVERIFY(!e->data.PassportModified);
        }
        type(e->book()->page<editor::GeographyPage>()->control("DBEdit1"), QStringLiteral("Другое"));
        for (int i = 0; i < undos; ++i)
            trigger(menu()->undoAction());
        e->prompts.answers = {Prompts::Yes};
        QVERIFY(e->form->FormCloseQuery()); // leaving without saving when asked
        QCOMPARE(e->prompts.calls.size(), std::size_t(asked ? 2 : 1));
        QCOMPARE(e->prompts.calls.front().text, kExitQuestion);
    }

    void openingLeavesNothingToUndo()
    {
        type(e->book()->page<editor::GeographyPage>()->control("DBEdit1"), QStringLiteral("Другое"));
        e->open();
        menu()->refresh();
        QVERIFY(!menu()->undoAction()->isEnabled());
        QVERIFY(!menu()->redoAction()->isEnabled());
        QVERIFY(!e->data.PassportModified);
    }
};

TARVENA_REGISTER_TEST(UndoTest)
#include "tst_undo.moc"
