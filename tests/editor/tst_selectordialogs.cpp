// The map scale editor and the stratigraphy picker as the program shows them through its dialog
// service, driven through their own widgets.
#include "editor/dialogs/dictionarylist.h"
#include "editor/dialogs/editscaleform.h"
#include "editor/dialogs/selecstratigrform.h"
#include "editor/dialogservice.h"
#include "model/datamodule.h"
#include "tests/editor/modaldriver.h"
#include "tests/editor/testregistry.h"
#include "tests/support/samplepassport.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace tarvena;
using namespace tarvena::editor;
using namespace tarvena::testing;

namespace {

void press(QWidget *dialog, Qt::Key key)
{
    QWidget *focus = dialog->focusWidget();
    QTest::keyClick(focus ? focus : dialog, key);
}

// Clicks a row of a list as a user does.
void clickRow(DictionaryList *list, int row)
{
    const QModelIndex index = list->model()->index(row, 0);
    list->scrollTo(index);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(index).center());
}

int rowOfKey(MemTable &view, std::int64_t key)
{
    const Field &id = view.FieldByName("ID");
    for (int row = 0; row < view.RecordCount(); ++row) {
        if (view.valueAt(row, id) == Value(key))
            return row;
    }
    return -1;
}

int currentKey(const MemTable &view)
{
    return view.FieldByName("ID").AsInteger();
}

int parentOf(MemTable &units, std::int64_t key)
{
    const bool filtered = units.Filtered();
    units.SetFiltered(false);
    const int row = rowOfKey(units, key);
    const Value parent = units.valueAt(row, units.FieldByName("PARENT_ID"));
    units.SetFiltered(filtered);
    return int(std::get<std::int64_t>(parent));
}

} // namespace

class SelectorDialogsTest : public QObject
{
    Q_OBJECT

    QtDialogService mDialogs;
    std::unique_ptr<TDataModule2> mData;
    // A unit of the sample passport and the count of every index with the empty entry.
    const int mStoredUnit = 16028;
    int mAllUnits = 0;

    MemTable &systems() { return mData->dict(19); }
    MemTable &units() { return mData->dict(16); }

    // The picker is closed: the indices are whole again for every other user of the view.
    void verifyUnitsWhole()
    {
        QVERIFY(!units().Filtered());
        QCOMPARE(units().RecordCount(), mAllUnits);
    }

private slots:
    void init()
    {
        mData = std::make_unique<TDataModule2>();
        mData->DataModuleCreate(dictionaryDir());
        mAllUnits = units().RecordCount();
    }

    void scaleEditor_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("shownItem");
        QTest::addColumn<QString>("shownBox");
        QTest::addColumn<int>("pickedItem"); // -1: leave the item as shown
        QTest::addColumn<QString>("typed");  // typed into the box after the pick
        QTest::addColumn<QString>("finish"); // Enter, Ok, Esc or Отказ
        QTest::addColumn<std::optional<int>>("result");
        QTest::newRow("25000 is its item") << 25000 << 2 << "" << -1 << ""
                                           << "Enter" << std::optional(25000);
        QTest::newRow("30000 through the free item") << 30000 << 7 << "30000" << -1 << ""
                                                     << "Enter" << std::optional(30000);
        QTest::newRow("typed 30000") << 50000 << 3 << "" << 7 << "30000"
                                     << "Ok" << std::optional(30000);
        QTest::newRow("abc is no number") << 50000 << 3 << "" << 7 << "abc"
                                          << "Ok" << std::optional(0);
        QTest::newRow("-5 is taken") << 0 << 0 << "" << 7 << "-5"
                                     << "Ok" << std::optional(-5);
        QTest::newRow("-5 reopens as typed") << -5 << 7 << "-5" << -1 << ""
                                             << "Enter" << std::optional(-5);
        QTest::newRow("no value is 0") << 250000 << 6 << "" << 0 << ""
                                       << "Ok" << std::optional(0);
        QTest::newRow("the box counts only for the free item") << 30000 << 7 << "30000" << 1 << ""
                                                               << "Ok" << std::optional(10000);
        QTest::newRow("typing chooses the free item") << 10000 << 1 << "" << -1 << "12345"
                                                      << "Enter" << std::optional(12345);
        QTest::newRow("Esc") << 25000 << 2 << "" << 4 << ""
                             << "Esc" << std::optional<int>();
        QTest::newRow("Отказ") << 25000 << 2 << "" << 4 << ""
                               << "Отказ" << std::optional<int>();
    }

    void scaleEditor()
    {
        QFETCH(int, stored);
        QFETCH(int, shownItem);
        QFETCH(QString, shownBox);
        QFETCH(int, pickedItem);
        QFETCH(QString, typed);
        QFETCH(QString, finish);
        QFETCH(std::optional<int>, result);

        whenShown<TEditScaleForm>([&](TEditScaleForm *form) {
            QCOMPARE(form->windowTitle(), QStringLiteral("Выбор масштаба"));
            QCOMPARE(form->item(7)->text(), QStringLiteral("Другой      1:"));
            QCOMPARE(form->okButton()->text(), QStringLiteral("Ok"));
            QCOMPARE(form->cancelButton()->text(), QStringLiteral("Отказ"));
            QVERIFY(form->item(shownItem)->isChecked());
            QCOMPARE(form->edit()->text(), shownBox);
            if (pickedItem >= 0)
                QTest::mouseClick(form->item(pickedItem), Qt::LeftButton);
            if (!typed.isEmpty()) {
                form->edit()->setFocus();
                form->edit()->selectAll();
                QTest::keyClicks(form->edit(), typed);
            }
            if (finish == "Enter")
                press(form, Qt::Key_Return);
            else if (finish == "Esc")
                press(form, Qt::Key_Escape);
            else
                QTest::mouseClick(finish == "Ok" ? form->okButton() : form->cancelButton(), Qt::LeftButton);
            QVERIFY(!form->isVisible());
        });
        QCOMPARE(mDialogs.editScale(nullptr, stored), result);
    }

    void pickerReopensOnTheStoredUnit()
    {
        const int system = parentOf(units(), mStoredUnit);
        whenShown<TSelecStratigrForm>([&](TSelecStratigrForm *form) {
            QCOMPARE(form->windowTitle(), QStringLiteral("Выбор стратиграфического индекса"));
            QCOMPARE(currentKey(systems()), system);
            QCOMPARE(form->systemList()->currentIndex().row(), rowOfKey(systems(), system));
            QCOMPARE(currentKey(units()), mStoredUnit);
            QCOMPARE(form->unitList()->currentIndex().row(), rowOfKey(units(), mStoredUnit));
            // Only the indices of that system are listed.
            QVERIFY(units().RecordCount() > 1 && units().RecordCount() < mAllUnits);
            for (int row = 0; row < units().RecordCount(); ++row)
                QCOMPARE(units().valueAt(row, units().FieldByName("PARENT_ID")), Value(std::int64_t(system)));
            QTest::mouseClick(form->chooseButton(), Qt::LeftButton);
        });
        QCOMPARE(mDialogs.selectStratigraphicUnit(nullptr, *mData, mStoredUnit), std::optional(mStoredUnit));
        verifyUnitsWhole();
        // The views stay on the last system and unit shown.
        QCOMPARE(currentKey(units()), mStoredUnit);
        QCOMPARE(currentKey(systems()), system);
    }

    void pickerOnNoUnitOffersTheEmptyEntry()
    {
        whenShown<TSelecStratigrForm>([&](TSelecStratigrForm *form) {
            QCOMPARE(currentKey(systems()), 0);
            QCOMPARE(units().RecordCount(), 1);
            QCOMPARE(form->unitList()->currentIndex().row(), 0);
            press(form, Qt::Key_Return);
        });
        QCOMPARE(mDialogs.selectStratigraphicUnit(nullptr, *mData, 0), std::optional(0));
        verifyUnitsWhole();
    }

    void pickerOnASystemWithoutIndicesGivesZero()
    {
        MemTable &view = systems();
        view.ReadOnly = false;
        view.Append();
        view.FieldByName("ID").SetAsInteger(19999);
        view.FieldByName("NAME").SetAsString("X");
        view.FieldByName("PARENT_ID").SetAsInteger(0);
        view.FieldByName("ALTORDER").SetAsInteger(99999);
        view.Post();
        view.ReadOnly = true;

        whenShown<TSelecStratigrForm>([&](TSelecStratigrForm *form) {
            clickRow(form->systemList(), rowOfKey(systems(), 19999));
            QCOMPARE(currentKey(systems()), 19999);
            QCOMPARE(form->unitList()->model()->rowCount(), 0);
            QTest::mouseClick(form->chooseButton(), Qt::LeftButton);
        });
        QCOMPARE(mDialogs.selectStratigraphicUnit(nullptr, *mData, mStoredUnit), std::optional(0));
        verifyUnitsWhole();
    }

    void pickerNarrowsOnClickOnlyAndCancelKeepsNothing()
    {
        const int other = 19002;
        whenShown<TSelecStratigrForm>([&](TSelecStratigrForm *form) {
            clickRow(form->systemList(), rowOfKey(systems(), other));
            QCOMPARE(units().RecordCount(), 3);
            QCOMPARE(form->unitList()->model()->rowCount(), 3);
            clickRow(form->unitList(), 1);
            QCOMPARE(currentKey(units()),
                     int(std::get<std::int64_t>(units().valueAt(1, units().FieldByName("ID")))));
            // The keys move through the systems without narrowing the indices.
            form->systemList()->setFocus();
            QTest::keyClick(form->systemList(), Qt::Key_Down);
            QVERIFY(currentKey(systems()) != other);
            QCOMPARE(form->unitList()->model()->rowCount(), 3);
            QTest::mouseClick(form->cancelButton(), Qt::LeftButton);
        });
        QCOMPARE(mDialogs.selectStratigraphicUnit(nullptr, *mData, mStoredUnit), std::optional<int>());
        verifyUnitsWhole();
    }
};

TARVENA_REGISTER_TEST(SelectorDialogsTest)
#include "tst_selectordialogs.moc"
