#pragma once
// TSelecStratigrForm: the stratigraphy picker. The upper list holds the stratigraphic systems, the
// lower one the indices; a click on a system narrows the indices to that system. The picker works on
// the shared dictionary views themselves: it leaves them on the last system and unit it showed and
// removes the narrowing of the indices when it closes, whichever way that happens.
#include <QDialog>

class QPushButton;

namespace tarvena {
class MemTable;
}

namespace tarvena::editor {

class DictionaryList;

class TSelecStratigrForm : public QDialog
{
    Q_OBJECT
public:
    // systems is Dict19, units Dict16.
    TSelecStratigrForm(MemTable &systems, MemTable &units, QWidget *parent = nullptr);
    ~TSelecStratigrForm() override;

    // Shows the system of the unit with this key and selects the unit.
    void position(int key);
    // Narrows the index list to the current system (a click on a system row).
    void DBGrid1CellClick();
    // Removes the narrowing of the index list.
    void FormDestroy();
    // The key of the unit chosen with "Выбрать": the current entry of the narrowed list, 0 for none.
    int result() const { return mResult; }

    DictionaryList *systemList() const { return mSystemList; }
    DictionaryList *unitList() const { return mUnitList; }
    QPushButton *chooseButton() const { return mChoose; }
    QPushButton *cancelButton() const { return mCancel; }

    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    int currentUnit() const;

    MemTable &mSystems;
    MemTable &mUnits;
    DictionaryList *mSystemList;
    DictionaryList *mUnitList;
    QPushButton *mChoose;
    QPushButton *mCancel;
    int mResult = 0;
};

} // namespace tarvena::editor
