#pragma once
// A grid over a table model: it follows the table's cursor (every view of a table shows the same
// current row), moves the cursor when the user picks another row, keeps the current cell's editor
// open, adds a row with Insert, deletes one with Ctrl+Delete after a question, and reports title
// clicks (sorting) and the cells' ellipsis buttons to its page. A cell whose typed text the field
// refused keeps the focus, the text selected, until the text is corrected or Escape gives it up.
#include <QTableView>

#include <string>

namespace tarvena::editor {

class GridDelegate;
class TableModel;

class TableGrid : public QTableView
{
    Q_OBJECT
public:
    // The grid takes ownership of the model.
    TableGrid(TableModel *model, const char *objectName, QWidget *parent = nullptr);

    TableModel *tableModel() const { return mModel; }
    GridDelegate *delegate() const { return mDelegate; }
    void setDeleteAllowed(bool allowed) { mDeleteAllowed = allowed; }
    bool deleteAllowed() const { return mDeleteAllowed; }
    void setInsertAllowed(bool allowed) { mInsertAllowed = allowed; }

    // Titles that sort are buttons and show the sort arrow of the last sorted column.
    void setTitlesSort(bool sort);
    bool titlesSort() const { return mTitlesSort; }
    // The marker a click on a title sets: another column starts ascending, the same column flips.
    Qt::SortOrder nextSortOrder(int column) const;
    void showSortMarker(int column, Qt::SortOrder order);
    void clearSortMarker();
    // The marked column, -1 when none is.
    int sortColumn() const { return mSortColumn; }
    Qt::SortOrder sortOrder() const { return mSortOrder; }

    // The column shown by a field name, -1 when the grid has none.
    int columnOf(const std::string &fieldName) const;

signals:
    void titleClicked(int column);
    void editButtonClicked(int column);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint) override;
    void focusInEvent(QFocusEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void rowKey(const QKeyEvent *event);
    // The open editor holds refused text: it keeps the focus, its text selected for correcting.
    bool keepRefusedCell();
    void returnToRefusedCell(const QModelIndex &cell);
    void scheduleFollow();
    void followCursor(int row);
    void fitColumns();
    void commitOpenEditor();
    void refreshOpenEditor();
    void scheduleReopen();
    void reopenEditor();

    TableModel *mModel;
    GridDelegate *mDelegate;
    bool mSyncing = false;
    bool mResetting = false;
    bool mReopenPosted = false;
    bool mFollowPending = false;
    // The column of the current cell, kept across resets of the model.
    int mColumn = 0;
    bool mDeleteAllowed = true;
    bool mInsertAllowed = true;
    bool mTitlesSort = false;
    bool mColumnsFitted = false;
    int mSortColumn = -1;
    Qt::SortOrder mSortOrder = Qt::AscendingOrder;
};

} // namespace tarvena::editor
