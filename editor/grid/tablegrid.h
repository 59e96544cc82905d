#pragma once
// A grid over a table model: it follows the table's cursor (every view of a table shows the same
// current row), moves the cursor when the user picks another row, keeps the cell editor open, adds a
// row with Insert, deletes one with Ctrl+Delete after a question, and reports title clicks (sorting)
// and the cells' ellipsis buttons to its page.
#include <QTableView>

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
    void setDeleteAllowed(bool allowed) { mDeleteAllowed = allowed; }
    void setInsertAllowed(bool allowed) { mInsertAllowed = allowed; }
    // Titles that sort show the sort arrow of the last sorted column.
    void setTitlesSort(bool sort);
    void showSortMarker(int column, Qt::SortOrder order);
    // The column shown by a field name, -1 when the grid has none.
    int columnOf(const std::string &fieldName) const;

signals:
    void titleClicked(int column);
    void editButtonClicked(int column);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;

private:
    void followCursor(int row);
    void fitColumns();

    TableModel *mModel;
    GridDelegate *mDelegate;
    bool mSyncing = false;
    bool mDeleteAllowed = true;
    bool mInsertAllowed = true;
};

} // namespace tarvena::editor
