// Taking a table's snapshot and putting entries and snapshots back in its store, for the undo journal.
#include "model/undojournal_entries.h"

#include <algorithm>

namespace tarvena::undodetail {
int rankOf(const MemTable::Impl &d, int id)
{
    return id >= 0 && d.tableOrder.contains(id) ? d.tableOrder.rankOf(id) : -1;
}

int idAt(const MemTable::Impl &d, int rank)
{
    return rank >= 0 && rank < d.tableOrder.size() ? d.tableOrder.at(rank) : -1;
}

bool storedHolds(const MemTable::Impl &d, int id, const std::vector<Value> &values)
{
    if (id < 0 || static_cast<int>(values.size()) != d.dataCount)
        return false;
    for (int i = 0; i < d.dataCount; ++i) {
        if (!d.store.holds(id, i, values[static_cast<std::size_t>(i)]))
            return false;
    }
    return true;
}

// A record stored again with the same values: only its status went from "as read" to "changed".
// Every save stores the pending record, so no saved file tells the two apart.
bool statusOnly(const Entry &e)
{
    return e.kind == Entry::Cells && e.cells.empty();
}

bool samePending(const TableSnapshot &a, const TableSnapshot &b)
{
    if (a.pending != b.pending)
        return false;
    return !a.pending || (a.state == b.state && a.editRank == b.editRank && a.anchorRank == b.anchorRank &&
                          a.buffer == b.buffer);
}

TableSnapshot snapshotOf(MemTable &table, MemTable::Impl &d)
{
    TableSnapshot s;
    s.state = d.state;
    s.modified = d.modified;
    s.curRank = rankOf(d, d.cur);
    s.bof = d.bof;
    s.eof = d.eof;
    s.filter = table.Filter;
    s.filtered = d.filtered;
    if (d.state == TableState::Edit) {
        s.editRank = rankOf(d, d.editId);
        s.buffer = d.buffer;
        s.pending = !storedHolds(d, d.editId, d.buffer);
    } else if (d.state == TableState::Insert) {
        s.anchorRank = rankOf(d, d.insertAnchor);
        s.buffer = d.buffer;
        s.pending = true;
    }
    return s;
}

// Puts a record's place in table order, sort order and the filter in step with its new values.
void storedChanged(MemTable::Impl &d, int id)
{
    d.tableOrder.setVisible(id, d.passesFilter(id));
    if (d.sort.active()) {
        d.sortOrder.erase(id);
        d.computeSortKeys(id);
        d.placeInSortOrder(id);
    }
    detail::bumpChangeStamp();
}

std::vector<Value> takeRecord(MemTable::Impl &d, int id)
{
    std::vector<Value> values;
    values.reserve(static_cast<std::size_t>(d.dataCount));
    for (int i = 0; i < d.dataCount; ++i)
        values.push_back(d.store.take(id, i));
    return values;
}

void apply(MemTable::Impl &d, Entry &e)
{
    switch (e.kind) {
    case Entry::Cells: {
        const int id = idAt(d, e.rank);
        for (auto &[index, held] : e.cells) {
            Value current = d.store.take(id, index);
            d.store.put(id, index, std::move(held));
            held = std::move(current);
        }
        const int status = d.store.status(id);
        d.store.setStatus(id, e.status);
        e.status = status;
        storedChanged(d, id);
        break;
    }
    case Entry::Presence:
        if (e.stored) {
            const int id = idAt(d, e.rank);
            e.status = d.store.status(id);
            e.values = takeRecord(d, id);
            d.removeRecord(id);
        } else {
            d.storeNewRecord(std::move(e.values), e.status, idAt(d, e.rank));
            e.values.clear();
        }
        e.stored = !e.stored;
        break;
    case Entry::Cleared:
        if (e.stored) {
            e.records.clear();
            e.statuses.clear();
            d.tableOrder.forEach([&](int id) {
                e.records.push_back(takeRecord(d, id));
                e.statuses.push_back(d.store.status(id));
                return true;
            });
            d.removeAllRecords();
        } else {
            for (std::size_t k = 0; k < e.records.size(); ++k)
                d.storeNewRecord(std::move(e.records[k]), e.statuses[k], -1);
            e.records.clear();
            e.statuses.clear();
        }
        e.stored = !e.stored;
        break;
    }
    d.lookupIndexes.clear();
    d.cachedCalcRecord = -1;
}

void restore(MemTable &table, MemTable::Impl &d, const TableSnapshot &s)
{
    if (d.state == TableState::Closed || s.state == TableState::Closed)
        return;
    if (d.parsedFilter != s.filter) {
        d.filter = TableFilter::parse(s.filter, table);
        d.parsedFilter = s.filter;
    }
    table.Filter = s.filter;
    d.filtered = s.filtered;
    d.refreshVisibility();
    d.state = s.state;
    d.buffer = s.buffer;
    d.modified = s.modified;
    d.editId = s.state == TableState::Edit ? idAt(d, s.editRank) : -1;
    d.insertAnchor = s.state == TableState::Insert ? idAt(d, s.anchorRank) : -1;
    d.cur = idAt(d, s.curRank);
    d.fixCursor();
    if (d.cur == idAt(d, s.curRank)) {
        d.bof = s.bof;
        d.eof = s.eof;
    }
    d.calcValid = false;
    d.cachedCalcRecord = -1;
}

} // namespace tarvena::undodetail
