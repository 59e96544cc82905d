#pragma once
// The rows a grid shows over a table: the visible records in table (or sort) order and, while one is
// being inserted, the new record at the place where it will be stored. A grid row maps to a visible
// record, or to the record being inserted, which is not among the visible records until it is posted.
#include "model/memtable.h"

namespace tarvena {

class GridRows
{
public:
    explicit GridRows(const MemTable &table) : mTable(table) {}

    // Visible records, plus one while a record is being inserted.
    int count() const;
    // The grid row of the record being inserted, -1 when none is.
    int insertingRow() const { return mTable.insertRow(); }
    // The grid row of the cursor: the inserting row while inserting, -1 for an empty table.
    int currentRow() const;
    // The 0-based visible record shown in a grid row; -1 for the inserting row or a row out of range.
    int recordIndex(int gridRow) const;
    // The grid row that shows a 0-based visible record.
    int gridRow(int recordIndex) const;

private:
    const MemTable &mTable;
};

} // namespace tarvena
