#pragma once
// The cell editors of the grids, chosen by the column's kind: a text edit that takes only what the
// field's text rules and code page 1251 allow, a drop-down over the column's lookup that stores the
// picked key, and read-only text with an ellipsis button for the unit and scale columns. A grid has
// one editor open at a time (the current cell's); the delegate keeps track of it so the grid can
// refresh it when its row changes and commit it when the row is posted.
#include <QPersistentModelIndex>
#include <QPointer>
#include <QStyledItemDelegate>

class QKeyEvent;

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

    TableModel *mModel;
    mutable QPointer<QWidget> mEditor;
    mutable QPersistentModelIndex mEditorIndex;
};

} // namespace tarvena::editor
