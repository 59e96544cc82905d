// The scale and stratigraphic unit fields of pages 3 and 4: their buttons open the dialogs on the
// stored value, write what the user chose and post the record at once; the keys of a drop-down list
// open them too, and Tab reaches the button.
#include "app/mainform.h"
#include "editor/binding/selectorbinding.h"
#include "editor/dialogs/dictionarylist.h"
#include "editor/dialogs/selecstratigrform.h"
#include "editor/pages/geologypage.h"
#include "editor/pages/methodspage.h"
#include "tests/editor/editorfixture.h"
#include "tests/editor/modaldriver.h"
#include "tests/editor/testregistry.h"

#include <QApplication>
#include <QKeySequence>
#include <QPushButton>
#include <QToolButton>

using namespace tarvena;
using namespace tarvena::testing;

namespace {

editor::RecordPage *pageOf(Editor &e, const QString &control)
{
    const bool unit = control == "JvDBComboEdit1" || control == "JvDBComboEdit2";
    e.enterPage(unit ? 3 : 2);
    if (unit)
        return e.page<editor::GeologyPage>();
    return e.page<editor::MethodsPage>();
}

void clickButton(editor::RecordPage *page, const QString &control)
{
    auto *selector = page->control<editor::SelectorEdit>(control.toLatin1().constData());
    QTest::mouseClick(selector->button(), Qt::LeftButton);
    QCoreApplication::processEvents();
}

} // namespace

class SelectorButtonsTest : public QObject
{
    Q_OBJECT

private slots:
    void buttons_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("asked"); // the stored value the dialog opens on
        QTest::addColumn<std::optional<int>>("answer");
        QTest::addColumn<int>("stored");
        QTest::addColumn<QString>("shown");
        QTest::newRow("2D scale") << "JvDBComboEdit3"
                                  << "SHOOTSCALE" << 50000 << std::optional(25000) << 25000 << "1: 25 000";
        QTest::newRow("electrical scale cancelled")
            << "JvDBComboEdit4"
            << "SHOOTSCALEEL" << 100000 << std::optional<int>() << 100000 << "1: 100 000";
        QTest::newRow("other method, a negative scale shows nothing")
            << "JvDBComboEdit5"
            << "SHOOTSCALEOT" << 0 << std::optional(-5) << -5 << "";
        QTest::newRow("drilling, no value is 0") << "JvDBComboEdit6"
                                                 << "SHOOTSCALEST" << 0 << std::optional(0) << 0 << "";
        QTest::newRow("top unit") << "JvDBComboEdit1"
                                  << "STRATIGR_KROVL" << 16016 << std::optional(16001) << 16001 << "Q";
        QTest::newRow("bottom unit cancelled")
            << "JvDBComboEdit2"
            << "STRATIGR_PODOSHV" << 16028 << std::optional<int>() << 16028 << "J3o";
    }

    void buttons()
    {
        QFETCH(QString, control);
        QFETCH(QString, field);
        QFETCH(int, asked);
        QFETCH(std::optional<int>, answer);
        QFETCH(int, stored);
        QFETCH(QString, shown);

        Editor e;
        e.open();
        e.form->show();
        editor::RecordPage *page = pageOf(e, control);
        const bool unit = field.startsWith("STRATIGR");
        (unit ? e.dialogs.unitAnswers : e.dialogs.scaleAnswers).push_back(answer);
        // Entering the page posted the record; nothing is pending now.
        e.data.PassportModified = false;
        clickButton(page, control);

        QCOMPARE(unit ? e.dialogs.unitAsked : e.dialogs.scaleAsked, std::vector<int>{asked});
        Field &written = e.data.PASPORTS.FieldByName(field.toStdString());
        QVERIFY(!written.IsNull());
        QCOMPARE(written.AsInteger(), stored);
        auto *selector = page->control<editor::SelectorEdit>(control.toLatin1().constData());
        QCOMPARE(selector->edit()->text(), shown);
        // A choice is posted at once; a cancel with nothing pending posts nothing.
        QCOMPARE(e.data.PASPORTS.State(), TableState::Browse);
        QCOMPARE(e.data.PassportModified, answer.has_value());
        QVERIFY(e.prompts.calls.empty());
    }

    void keysOpenTheDialog_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("keys");
        for (const char *control : {"JvDBComboEdit3", "JvDBComboEdit1"}) {
            for (const char *keys : {"Alt+Down", "F4", "Enter", "Tab, Space"})
                QTest::addRow("%s, %s", control, keys) << control << keys;
        }
    }
    void keysOpenTheDialog()
    {
        QFETCH(QString, control);
        QFETCH(QString, keys);
        Editor e;
        e.open();
        e.form->show();
        QVERIFY(QTest::qWaitForWindowActive(e.form.get()));
        editor::RecordPage *page = pageOf(e, control);
        auto *selector = page->control<editor::SelectorEdit>(control.toLatin1().constData());
        selector->edit()->setFocus();
        QVERIFY(selector->edit()->hasFocus());
        if (keys == "Tab, Space") {
            QTest::keyClick(selector->edit(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), selector->button());
            QTest::keyClick(selector->button(), Qt::Key_Space);
        } else {
            const QKeySequence sequence(keys);
            QTest::keyClick(selector->edit(), Qt::Key(sequence[0].key()), sequence[0].keyboardModifiers());
        }
        QCoreApplication::processEvents();
        const bool unit = control == "JvDBComboEdit1";
        QCOMPARE((unit ? e.dialogs.unitAsked : e.dialogs.scaleAsked).size(), std::size_t(1));
        QCOMPARE((unit ? e.dialogs.scaleAsked : e.dialogs.unitAsked).size(), std::size_t(0));
    }

    void cancelPostsPendingEdits()
    {
        Editor e;
        e.open();
        e.form->show();
        auto *page = static_cast<editor::MethodsPage *>(pageOf(e, "JvDBComboEdit4"));
        auto *method = page->control<QLineEdit>("DBEdit10");
        method->setFocus();
        method->selectAll();
        typeText(method, QStringLiteral("ВЭЗ"));
        clickButton(page, "JvDBComboEdit4");
        QCOMPARE(e.text(e.data.PASPORTS, "ELECTROMETHOD"), std::string("ВЭЗ"));
        QCOMPARE(e.data.PASPORTS.State(), TableState::Browse);
    }

    // The real picker: a system clicked narrows the indices, "Отказ" keeps the stored unit and gives
    // every user of the index view the whole dictionary again.
    void pickerCancelKeepsEveryUnitShown()
    {
        RecordingPrompts prompts;
        editor::QtDialogService dialogs;
        TDataModule2 data(&prompts);
        data.DataModuleCreate(dictionaryDir());
        TMainForm form(data, prompts, dialogs, {});
        form.OpenPassportFile(QString::fromStdString(builtSamplePassport()));
        QCoreApplication::processEvents();
        form.show();
        MemTable &units = data.dict(16);
        const int allUnits = units.RecordCount();
        auto *page = form.tableBook()->page<editor::GeologyPage>();
        form.tableBook()->pageControl()->setCurrentIndex(3);

        whenShown<editor::TSelecStratigrForm>([&](editor::TSelecStratigrForm *picker) {
            editor::DictionaryList *systems = picker->systemList();
            const QModelIndex quaternary = systems->model()->index(1, 0);
            QTest::mouseClick(systems->viewport(), Qt::LeftButton, {},
                              systems->visualRect(quaternary).center());
            QVERIFY(units.Filtered());
            QVERIFY(units.RecordCount() < allUnits);
            QTest::mouseClick(picker->cancelButton(), Qt::LeftButton);
        });
        page->JvDBComboEdit1ButtonClick();

        QCOMPARE(data.PASPORTS.FieldByName("STRATIGR_KROVL").AsInteger(), 16016);
        QVERIFY(!units.Filtered());
        QCOMPARE(units.RecordCount(), allUnits);
        QCOMPARE(page->control<editor::SelectorEdit>("JvDBComboEdit1")->edit()->text(),
                 QStringLiteral("K2s"));
        QCOMPARE(page->control<editor::SelectorEdit>("JvDBComboEdit2")->edit()->text(),
                 QStringLiteral("J3o"));
    }
};

TARVENA_REGISTER_TEST(SelectorButtonsTest)
#include "tst_selectorbuttons.moc"
