#pragma once
// The undo journal's entries and table snapshots, and how they are taken and put back straight in a
// table's store: private to the journal's two files.
#include "model/memtable_impl.h"

#include <string>
#include <vector>

namespace tarvena::undodetail {

// What a table looked like at the edge of a step: cursor, filter and the edit in progress.
struct TableSnapshot
{
    TableState state = TableState::Closed;
    int editRank = -1;
    int anchorRank = -1;
    std::vector<Value> buffer;
    bool modified = false;
    bool pending = false; // an edit whose values differ from the stored record, or a new record
    int curRank = -1;
    bool bof = true;
    bool eof = true;
    std::string filter;
    bool filtered = false;
};

// One recorded change. Applying an entry swaps what it holds with what the table holds, so the same
// call takes the change back and applies it again.
struct Entry
{
    enum Kind
    {
        Cells,    // values of one stored record
        Presence, // one record added (stored) or removed
        Cleared   // every record of the table removed
    };
    MemTable *table = nullptr;
    Kind kind = Cells;
    int rank = -1;
    std::vector<std::pair<int, Value>> cells;
    int status = 0;
    bool stored = false;
    std::vector<Value> values;
    std::vector<std::vector<Value>> records;
    std::vector<int> statuses;
};

int rankOf(const MemTable::Impl &d, int id);

int idAt(const MemTable::Impl &d, int rank);

bool storedHolds(const MemTable::Impl &d, int id, const std::vector<Value> &values);

// A record stored again with the same values: only its status went from "as read" to "changed".
// Every save stores the pending record, so no saved file tells the two apart.
bool statusOnly(const Entry &e);

bool samePending(const TableSnapshot &a, const TableSnapshot &b);

TableSnapshot snapshotOf(MemTable &table, MemTable::Impl &d);

// Puts a record's place in table order, sort order and the filter in step with its new values.
void storedChanged(MemTable::Impl &d, int id);

std::vector<Value> takeRecord(MemTable::Impl &d, int id);

void apply(MemTable::Impl &d, Entry &e);

void restore(MemTable &table, MemTable::Impl &d, const TableSnapshot &s);

} // namespace tarvena::undodetail
