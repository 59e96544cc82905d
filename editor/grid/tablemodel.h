#pragma once
// The one grid model: a QAbstractTableModel over a MemTable and a column set. It reads on demand
// (nothing is cached, so nothing goes stale), writes through the table engine so every field rule
// runs, and turns the table's notices into Qt's: entering insert state inserts a row, leaving it
// without a post removes it, a change of the record set resets the model, a change of the current
// record repaints its row (calculated columns follow).
#include "model/columnsets.h"
#include "model/gridrows.h"
#include "model/memtable.h"

#include <QAbstractTableModel>

#include <vector>

namespace tarvena {
class Prompts;
}

namespace tarvena::editor {

class TableModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    TableModel(MemTable &table, ColumnSet columns, Prompts &prompts, QObject *parent = nullptr);

    MemTable &table() const { return mTable; }
    Prompts &prompts() const { return mPrompts; }
    const ColumnSpec &column(int column) const { return mColumns.at(std::size_t(column)); }
    Field &field(int column) const { return *mFields.at(std::size_t(column)); }
    // The field a list column stores its pick in (the lookup's key field).
    Field &keyField(int column) const;
    int columnOf(const std::string &fieldName) const;
    const GridRows &rows() const { return mRows; }
    // The grid row of the table's cursor, -1 for an empty table.
    int currentRow() const { return mRows.currentRow(); }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    // Writes a cell of the current row: a text through the field's text rules, a list's pick as the
    // key. A refused value is told once the assignment is over and the cell shows the field again.
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

    // Makes the table's cursor stand on a grid row (posting the row it leaves, which may be refused:
    // the refusal is told and false returned).
    bool moveCursorTo(int row);
    // A model whose view is hidden tells it nothing and resets it once when it is shown again, so
    // the grids of the pages not shown cost nothing per change; its rows and texts stay those of the
    // table for any other reader. Models start viewed.
    void setViewed(bool viewed);
    bool viewed() const { return mViewed; }

    // Typing began in a cell: the current row goes into edit state.
    void startEdit();
    // Escape: an edit or a new row that nothing was written to yet is given up.
    void cancelUntouched();

signals:
    // The table's cursor moved to another row; views follow it.
    void cursorMoved(int row);
    // The current row is about to be posted: views hand over what is typed in their open editors.
    void aboutToPost();
    // The current record was posted or cancelled as a whole: open editors show it as it now is.
    void recordReverted();

private:
    void writePick(Field &key, const QVariant &value);
    void tableChanged(const TableChange &change);
    void updateRecord();
    void lookupSourceChanged(int column);
    void reset();
    void repaintRow(int row);
    void flushRepaint();
    static void flushRepaints();

    MemTable &mTable;
    ColumnSet mColumns;
    Prompts &mPrompts;
    GridRows mRows;
    std::vector<Field *> mFields;
    TableSubscription mSubscription;
    std::vector<TableSubscription> mLookupSubscriptions;
    // What views were last told.
    int mReportedRows = 0;
    int mReportedInserting = -1;
    // Rows to repaint when the event loop next runs.
    int mRepaintFirst = -1;
    int mRepaintLast = -1;
    bool mRepaintPosted = false;
    bool mViewed = true;
    bool mStale = false;
};

} // namespace tarvena::editor
