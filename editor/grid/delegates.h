#pragma once
// The cell editors of the grids, chosen by the column's kind: a text edit that takes only what the
// field's text rules and code page 1251 allow, a drop-down over the column's lookup that stores the
// picked key, and read-only text with an ellipsis button for the unit and scale columns. A grid has
// one editor open at a time (the current cell's); the delegate keeps track of it so the grid can
// refresh it when its row changes and commit it when the row is posted.
// As in a spreadsheet, a text cell however reached holds its value selected, so typing replaces it;
// F2 or a double click edits it in place with the caret at the end. F2 is the window's Save key
// elsewhere: a cell takes it only while not yet edited in place, so a second F2 saves as usual. Text the
// field refuses stays in the cell, selected, for the grid to keep the cell until it is corrected or Escape
// gives it up.
#include <QPersistentModelIndex>
#include <QPointer>
#include <QStyledItemDelegate>

#include <optional>

class QKeyEvent;
class QLineEdit;

namespace tarvena::editor {

class TableModel;

class GridDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    explicit GridDelegate(TableModel *model, QObject *parent = nullptr);

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void destroyEditor(QWidget *editor, const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;

    // The editor open in the grid and its cell; nullptr when none is.
    QWidget *openEditor() const { return mEditor; }
    QModelIndex openEditorIndex() const { return mEditorIndex; }
    // Shows the field's value again, dropping what was typed (the record was cancelled).
    void resetEditor(QWidget *editor, const QModelIndex &index) const;
    // True while the open editor holds text the user typed and the model has not taken yet.
    bool editorDirty() const;
    // True while the open editor holds text the model refused.
    bool holdsRefusal() const { return mRefused && mEditor; }
    // Gives the refused text up: the editor shows the field again when its row next repaints.
    void dropRefusal() const;
    // The model is judging the open editor's text: a message box it shows runs the events queued
    // meanwhile, among them the close that Enter asked for. The close waits for the verdict: it is
    // made once the text is taken, and dropped when the text is refused (the cell keeps it).
    bool judging() const { return mJudging; }
    void closeAfterJudging(QAbstractItemDelegate::EndEditHint hint) const { mCloseAfterJudging = hint; }
    // Selects the open text editor's value, so that typing replaces it.
    void selectForReplacing() const;
    // Insert and Ctrl+Delete: the keys that add and delete rows.
    static bool isRowKey(const QKeyEvent *event);

signals:
    // The ellipsis button of a unit or scale cell was pressed.
    void editButtonClicked(int column) const;
    // The user typed into a text cell: the row goes into edit state, as the navigator shows.
    void typingStarted() const;
    // Insert or Ctrl+Delete reached an open editor: they act on the grid's rows, not on the text.
    void rowKeyPressed(QKeyEvent *event) const;

protected:
    bool eventFilter(QObject *object, QEvent *event) override;

private:
    QWidget *makeEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const;
    bool textEditorEvent(QLineEdit *edit, QEvent *event);
    void editInPlace(QLineEdit *edit) const;

    TableModel *mModel;
    mutable QPointer<QWidget> mEditor;
    mutable QPersistentModelIndex mEditorIndex;
    // The open text editor edits in place (F2, a double click, typing begun); otherwise a click
    // leaves its value selected.
    mutable bool mInPlace = false;
    mutable bool mRefused = false;
    // The refusal was told during the event being handled: the commits that follow it in the same
    // event (a click's focus change, then its move) do not tell it again.
    mutable bool mRefusalTold = false;
    // The model is judging the open editor's text; a message box it shows takes focus meanwhile.
    mutable bool mJudging = false;
    mutable std::optional<QAbstractItemDelegate::EndEditHint> mCloseAfterJudging;
};

} // namespace tarvena::editor
