#pragma once
// Inside of MemTable, shared by the files that implement the engine (not for other users).
//
// Records live in a packed store indexed by record id; deleted ids are reused. Table order and, while a
// sort is in force, sort order are OrderTrees of record ids that also know which records pass the
// filter. The cursor is a record id. Edits go to a buffer that Post stores.
#include "model/fieldvalue.h"
#include "model/memtable.h"
#include "model/ordertree.h"
#include "model/recordstore.h"
#include "model/tablefilter.h"
#include "model/tablesort.h"
#include "model/undojournal.h"
#include "storage/codepage.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace tarvena {

// What an error about a named table starts with: "NAME: " (nothing for an unnamed table).
inline std::string tablePrefix(const std::string &name)
{
    return name.empty() ? std::string() : codepage::cp1251ToUtf8(name) + ": ";
}

namespace detail {

// First record in table order for each value of one stored field of a lookup table.
struct LookupIndex
{
    bool valid = false;
    std::unordered_map<Value, int, fieldvalue::KeyHash> first;
};

// Bumped by every change of stored data in any table; caches of computed values compare it.
std::uint64_t changeStamp();
void bumpChangeStamp();

} // namespace detail

struct MemTable::Impl
{
    explicit Impl(MemTable &owner) : q(owner) {}

    MemTable &q;

    // ---- structure
    std::vector<std::unique_ptr<Field>> fields;
    std::unordered_map<std::string, Field *> byName; // lower-case name
    int dataCount = 0;
    std::uint64_t fieldsGeneration = 0;

    // ---- records and order
    detail::RecordStore store;                // one value per data field
    std::vector<std::vector<Value>> computed; // computed sort keys (lookup and calculated fields) by id
    detail::OrderTree tableOrder;
    detail::OrderTree sortOrder;
    TableSort sort;
    TableFilter filter;
    bool filtered = false;
    std::string parsedFilter; // the Filter text that filter was parsed from
    mutable std::unordered_map<int, detail::LookupIndex> lookupIndexes; // by data index

    // ---- cursor, state and the edit buffer
    TableState state = TableState::Closed;
    int cur = -1;
    bool bof = true;
    bool eof = true;
    std::vector<Value> buffer;
    int editId = -1;
    int insertAnchor = -1; // record before which Insert places the new one; -1 appends
    bool modified = false;

    // ---- calculated fields of the current record (indexed by field index)
    std::vector<Value> calc;
    bool calcValid = false;
    // While OnCalcFields runs: assignments go to calculated fields only.
    bool calculating = false;
    // Field reads redirected to a stored record other than the current one (valueAt, sort keys).
    int readRecord = -1;
    std::vector<Value> *readCalc = nullptr;
    // The calculated values of the last non-current record computed.
    int cachedCalcRecord = -1;
    std::uint64_t cachedCalcStamp = 0;
    std::vector<Value> cachedCalc;

    // ---- views
    int disableCount = 0;
    struct Listener
    {
        int id;
        std::function<void(const TableChange &)> callback;
    };
    std::deque<Listener> listeners;
    int nextListenerId = 1;
    int notifyDepth = 0;

    // ---- undo
    UndoJournal *journal = nullptr;
    bool journaling() const { return journal && journal->recording(); }
    // Tells the journal that a change begins (a change outside any scope opens a step of its own).
    void touch()
    {
        if (journal)
            journal->touch();
    }

    // ---- helpers (memtable.cpp)
    bool editing() const { return state == TableState::Edit || state == TableState::Insert; }
    detail::OrderTree &order() { return sort.active() ? sortOrder : tableOrder; }
    const detail::OrderTree &order() const { return sort.active() ? sortOrder : tableOrder; }
    void requireOpen() const;
    void requireWritableTable() const;
    void notify(TableChange::Kind kind, const Field *field = nullptr);
    void checkBrowseMode();
    void scrollTo(int id); // moves the cursor, computes calculated fields, fires AfterScroll
    void scrolled();       // tells views and AfterScroll that the cursor moved
    void fixCursor();      // keeps the cursor on a visible record after the visible set changed

    // ---- field values (memtable_values.cpp)
    Value dataValue(int dataIndex) const;
    bool dataIsNull(int dataIndex) const;
    Value calculatedValue(const Field &field);
    void ensureCalc();
    void recalc();
    const std::vector<Value> &calcFor(int id);
    Value recordValue(int id, const Field &field);
    Value lookupFirst(const Field &keyField, const Value &key, const Field &resultField);
    void assign(Field &field, Value value);
    void checkWritable(const Field &field) const;

    // ---- stored records (memtable_records.cpp)
    bool passesFilter(int id) const;
    int storeNewRecord(std::vector<Value> values, int status, int anchor);
    void storeEditedRecord(int id, std::vector<Value> values);
    void removeRecord(int id);
    void removeAllRecords();
    void computeSortKeys(int id);
    // The values of the sort keys of a record, in key order.
    std::vector<Value> sortKeysOf(int id) const;
    void placeInSortOrder(int id);
    void rebuildSortOrder();
    void refreshVisibility();
    void indexAdded(int id);
    void indexRemoved(int id); // before the record's values go
    detail::LookupIndex &lookupIndex(int dataIndex) const;

    // ---- editing (memtable_edit.cpp)
    void startNewRecord(bool append);
    void post(bool commitEditors);
    void dropEdit();
};

// Points field reads at a stored record for the life of the guard.
class ReadRedirect
{
public:
    ReadRedirect(MemTable::Impl &t, int id, std::vector<Value> *calc, bool calculating);
    ~ReadRedirect();
    ReadRedirect(const ReadRedirect &) = delete;
    ReadRedirect &operator=(const ReadRedirect &) = delete;

private:
    MemTable::Impl &mTable;
    std::vector<Value> *mCalc;
    int mRecord;
    bool mCalculating;
};

} // namespace tarvena
