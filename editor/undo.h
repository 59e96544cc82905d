#pragma once
// Undo and redo in the editor: the "Правка" menu's two commands, the step a user action opens, and
// the place (page and control) a step is shown at when it is taken back or applied again.
#include "model/undojournal.h"

#include <QObject>
#include <QString>

#include <functional>

class QAction;
class QMenuBar;
class QWidget;

namespace tarvena {
class TDataModule2;
}

namespace tarvena::editor {

// The control that has the focus now, brought to view again (its pages switched to) when called.
std::function<void()> focusedPlace();
// Switches the page books above widget to the pages holding it and gives it the focus.
void revealWidget(QWidget *widget);
// A half-typed input is handed to its field: the focused control gives the focus up and takes it back.
void commitPendingInput();

// The name of the step deleting the current row: a horizon is named by its index.
QString rowDeletionName(MemTable &table);

// One user action as one step of the passport's journal, named for the menu, shown where the focus is.
class EditStep : public UndoScope
{
public:
    EditStep(MemTable &table, const QString &name)
        : UndoScope(table, name.simplified().toStdString(), focusedPlace())
    {}
    EditStep(UndoJournal &journal, const QString &name)
        : UndoScope(&journal, name.simplified().toStdString(), focusedPlace())
    {}
};

// The "Правка" menu: "Отменить" (Ctrl+Z) and "Повторить" (Ctrl+Y, Ctrl+Shift+Z), each naming its step
// and disabled when there is none.
class EditMenu : public QObject
{
    Q_OBJECT
public:
    // Adds the menu to bar (after the menus already there).
    EditMenu(TDataModule2 &data, QMenuBar *bar);
    ~EditMenu() override;

    QAction *undoAction() const { return mUndo; }
    QAction *redoAction() const { return mRedo; }
    // Brings the commands' texts and states up to date with the journal.
    void refresh();
    void undo();
    void redo();
    // Runs after a step was taken back or applied again, before its place is shown (views derived
    // from the tables that hear nothing of them rebuild here).
    std::function<void()> afterReplay;

protected:
    // A text field's own undo of its typing gives way to the passport's: the typed text is handed
    // to its field first and becomes a step of its own.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void replay(bool undoing);
    void scheduleRefresh();

    TDataModule2 &mData;
    QAction *mUndo = nullptr;
    QAction *mRedo = nullptr;
    bool mRefreshPending = false;
};

} // namespace tarvena::editor
