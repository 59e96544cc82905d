#pragma once
// MemTable: the in-memory table on which every passport table, dictionary view and slot list is built.
// Records live in memory; a cursor, edit states, field and table events, equality filters, lookup and
// calculated fields, and sorting behave as the program's rules rely on them.
#include "model/field.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tarvena {

class Stream;
class TableStreamFormat;
class StoredRecordView;
class UndoJournal;

enum class TableState
{
    Closed,
    Browse,
    Edit,
    Insert
};

// What a view (grid, bound editor) is told after a change of the table.
struct TableChange
{
    enum Kind
    {
        DataChanged,   // a field of the current record changed (field set), or the record was recomputed
        RecordChanged, // the current record as a whole changed (post, cancel)
        LayoutChanged, // records added, removed, reordered, filtered; the visible set may differ
        Scrolled,      // the cursor moved
        StateChanged,  // browse / edit / insert / closed
        UpdateRecord   // a post begins: bound editors commit their pending text now
    };
    Kind kind;
    const Field *field = nullptr;
};

class MemTable
{
public:
    explicit MemTable(std::string name = {});
    ~MemTable();
    MemTable(const MemTable &) = delete;
    MemTable &operator=(const MemTable &) = delete;

    const std::string &Name() const { return mName; }

    // ---- structure
    // Adds a field; only while the table is closed. Returns the field to set its properties on.
    Field &addField(const std::string &name, FieldType type, int size = 0,
                    StoredFieldKind kind = StoredFieldKind::Data);
    // Removes every field (the table must be closed).
    void clearFields();
    int FieldCount() const;
    Field &fieldAt(int index) const;
    // Case-insensitive; throws Error naming the table and the field for an unknown name.
    Field &FieldByName(const std::string &name) const;
    Field *FindField(const std::string &name) const;

    // ---- lifecycle and state
    void Open();
    void Close();
    bool Active() const;
    TableState State() const;
    // True once a data field of the record being edited or inserted was assigned (a new record is
    // not marked changed by its defaults and OnNewRecord). Moving the cursor posts a changed record
    // and cancels an unchanged one.
    bool Modified() const;
    bool ReadOnly = false; // the table-wide read-only flag
    // A new record posted with nothing assigned is given up instead of stored, whoever posts it.
    bool DropUntouchedInsert = false;
    int Tag = 0;

    // ---- cursor over the visible records in table (or sort) order
    void First();
    void Last();
    void Next();
    void Prior();
    bool Eof() const;
    bool Bof() const;
    bool IsEmpty() const;
    int RecordCount() const; // visible records
    int RecNo() const;       // 1-based position among visible records, 0 when none
    void SetRecNo(int recNo);
    // A new record is not among the visible records until it is posted. While one is being inserted,
    // this is the 0-based row before which it shows (RecordCount() when appended); -1 otherwise.
    int insertRow() const;
    bool Locate(const std::string &fieldName, const Value &value, bool caseInsensitive = false);

    // ---- editing
    void Append();
    void Insert();
    void Edit();
    void Post();
    void Cancel();
    void Delete();
    void EmptyTable();

    // ---- filter and sort
    std::string Filter;
    void SetFilter(const std::string &filter);
    bool Filtered() const;
    void SetFiltered(bool filtered);
    // Field names separated by ";", each optionally followed by ":" and modifiers ("D" descending,
    // "C" case-insensitive). An empty list restores table order.
    void SortOn(const std::string &fields);

    // ---- views
    void DisableControls();
    void EnableControls();
    bool ControlsDisabled() const;
    // Listeners are told of changes while controls are enabled; returns an id for unsubscribe.
    int subscribe(std::function<void(const TableChange &)> listener);
    void unsubscribe(int id);

    // Reads a field of the visible record at 0-based row without moving the cursor or firing
    // AfterScroll; calculated and lookup fields are computed for that record.
    Value valueAt(int row, const Field &field) const;
    // Whether a stored record, whatever the filter, holds value in the data field; answered from the
    // field's index of values, which the table keeps in step once asked.
    bool storedValueInUse(const Field &field, const Value &value) const;
    std::string displayTextAt(int row, const Field &field) const;

    // ---- persistence (the byte layout belongs to the table stream format)
    TableStreamFormat *DefaultFormat = nullptr;
    void SaveToStream(Stream &stream);
    void LoadFromStream(Stream &stream);
    void LoadFromFile(const std::string &path);

    // ---- events
    std::function<void(MemTable &)> OnNewRecord;
    std::function<void(MemTable &)> AfterInsert;
    std::function<void(MemTable &)> BeforePost;
    std::function<void(MemTable &)> AfterPost;
    std::function<void(MemTable &)> AfterDelete;
    std::function<void(MemTable &)> AfterScroll;
    std::function<void(MemTable &)> OnCalcFields;

    // ---- raw access for the table stream format (no events, no state checks)
    // Stored records in table order, whatever the filter; each holds one Value per data field.
    int storedRecordCount() const;
    std::vector<Value> storedRecord(int index) const;
    Value storedValue(int index, int dataIndex) const;
    int storedUpdateStatus(int index) const;
    // Moves the values of a stored record (table order) out, leaving them null: for a scratch table
    // whose rows are handed on and then dropped.
    std::vector<Value> takeStoredRecord(int index);
    // Adds a record directly (loaded rows): no insert or post handlers run.
    void appendStoredRecord(std::vector<Value> values, int updateStatus = 0);
    void reserveRecords(std::size_t count);
    // Visits the stored records in the current (sort) order, ignoring the filter.
    void forEachStoredInOrder(const std::function<void(const std::vector<Value> &, int status)> &visit) const;
    // The same without copying the records' texts and blobs.
    void forEachStoredRecord(const std::function<void(const StoredRecordView &)> &visit) const;

    // The journal that records this table's changes for undo (none by default).
    void setJournal(UndoJournal *journal);
    UndoJournal *journal() const;

    struct Impl;

private:
    friend class Field;
    friend class UndoJournal;
    friend class StoredRecordView;
    int storedId(int index) const;
    std::string mName;
    std::unique_ptr<Impl> d;
};

// A stored record of a table, read in place (valid during forEachStoredRecord).
class StoredRecordView
{
public:
    StoredRecordView(const MemTable &table, int id) : mTable(table), mId(id) {}
    Value value(int dataIndex) const;
    // Any field of the table, lookup and calculated fields computed for this record (no events).
    Value value(const Field &field) const;
    // The field's text as a view shows it, for this record as last posted (no events).
    std::string displayText(const Field &field) const;
    bool isNull(int dataIndex) const;
    // The bytes of a text or blob value, null for other values.
    const std::string *bytes(int dataIndex) const;
    int status() const;

private:
    const MemTable &mTable;
    int mId;
};

// Holds a table's controls disabled for a walk over its records, so views hear one notice when the
// walk ends instead of one per row; the controls come back also when the walk throws.
class ControlsDisabledScope
{
public:
    explicit ControlsDisabledScope(MemTable &table) : mTable(table) { mTable.DisableControls(); }
    ~ControlsDisabledScope()
    {
        try {
            mTable.EnableControls();
        } catch (...) {
            // A view that fails to refresh must not turn the walk's own outcome into a crash.
        }
    }
    ControlsDisabledScope(const ControlsDisabledScope &) = delete;
    ControlsDisabledScope &operator=(const ControlsDisabledScope &) = delete;

private:
    MemTable &mTable;
};

// A number that moves on every change of stored data in any table (records added, removed or loaded,
// fields written or added) and never on a filter, a sort or a cursor move. A view that computed
// something from stored records may keep it while this number stays where it was.
std::uint64_t dataChangeStamp();

// A listener of a table that unsubscribes itself when it goes out of scope.
class TableSubscription
{
public:
    TableSubscription() = default;
    TableSubscription(MemTable &table, std::function<void(const TableChange &)> listener)
        : mTable(&table), mId(table.subscribe(std::move(listener)))
    {}
    ~TableSubscription() { reset(); }
    TableSubscription(TableSubscription &&other) noexcept : mTable(other.mTable), mId(other.mId)
    {
        other.mTable = nullptr;
    }
    TableSubscription &operator=(TableSubscription &&other) noexcept
    {
        if (this != &other) {
            reset();
            mTable = other.mTable;
            mId = other.mId;
            other.mTable = nullptr;
        }
        return *this;
    }
    TableSubscription(const TableSubscription &) = delete;
    TableSubscription &operator=(const TableSubscription &) = delete;

    MemTable *table() const { return mTable; }
    void reset()
    {
        if (mTable)
            mTable->unsubscribe(mId);
        mTable = nullptr;
    }

private:
    MemTable *mTable = nullptr;
    int mId = 0;
};

} // namespace tarvena
