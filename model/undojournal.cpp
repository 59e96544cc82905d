// The undo journal: steps of recorded changes, and taking them back or applying them again straight
// in the tables' stores (no events, no rules). Changes are recorded by a record's position in table
// order: undo and redo run in exact reverse and forward order, so a position names the same record
// when an entry is applied as when it was recorded.
#include "model/undojournal.h"

#include "model/undojournal_entries.h"

#include <algorithm>

namespace tarvena {

using namespace undodetail;

struct UndoJournal::Step
{
    std::string name;
    std::function<void()> place;
    std::vector<Entry> entries;
    std::vector<TableSnapshot> before;
    std::vector<TableSnapshot> after;
    std::uint64_t serial = 0;
    bool modifiedBefore = false;
    std::uint64_t savedBefore = 0;
};

UndoJournal::UndoJournal() = default;

UndoJournal::~UndoJournal() = default;

void UndoJournal::attach(MemTable &table)
{
    mTables.push_back(&table);
    table.setJournal(this);
}

void UndoJournal::setEnabled(bool enabled)
{
    clear();
    mEnabled = enabled;
}

void UndoJournal::clear()
{
    mUndo.clear();
    mRedo.clear();
    mOpen.reset();
    mImplicit = false;
    mBaseSerial = mSavedSerial = mNextSerial++;
    changed();
}

void UndoJournal::changed()
{
    if (Changed)
        Changed();
}

bool UndoJournal::canUndo()
{
    flush();
    return mDepth == 0 && !mUndo.empty();
}

bool UndoJournal::canRedo()
{
    flush();
    return mDepth == 0 && !mRedo.empty();
}

std::string UndoJournal::undoName()
{
    flush();
    return mUndo.empty() ? std::string() : mUndo.back()->name;
}

std::string UndoJournal::redoName()
{
    flush();
    return mRedo.empty() ? std::string() : mRedo.back()->name;
}

int UndoJournal::undoCount()
{
    flush();
    return static_cast<int>(mUndo.size());
}

int UndoJournal::redoCount()
{
    flush();
    return static_cast<int>(mRedo.size());
}

std::function<void()> UndoJournal::undo()
{
    return canUndo() ? replay(true) : std::function<void()>();
}

std::function<void()> UndoJournal::redo()
{
    return canRedo() ? replay(false) : std::function<void()>();
}

std::function<void()> UndoJournal::replay(bool undoing)
{
    std::unique_ptr<Step> step;
    if (undoing) {
        step = std::move(mUndo.back());
        mUndo.pop_back();
    } else {
        step = std::move(mRedo.back());
        mRedo.pop_back();
    }
    ++mSuspended;
    try {
        for (MemTable *table : mTables) {
            if (impl(*table).editing())
                impl(*table).dropEdit();
        }
        if (undoing) {
            for (auto it = step->entries.rbegin(); it != step->entries.rend(); ++it)
                apply(impl(*it->table), *it);
        } else {
            for (Entry &entry : step->entries)
                apply(impl(*entry.table), entry);
        }
        const std::vector<TableSnapshot> &edges = undoing ? step->before : step->after;
        for (std::size_t i = 0; i < mTables.size(); ++i)
            restore(*mTables[i], impl(*mTables[i]), edges[i]);
    } catch (...) {
        --mSuspended;
        throw;
    }
    --mSuspended;
    // Views hear of it once every table is whole again.
    for (MemTable *table : mTables) {
        MemTable::Impl &d = impl(*table);
        d.notify(TableChange::LayoutChanged);
        d.notify(TableChange::StateChanged);
        d.notify(TableChange::RecordChanged);
        d.notify(TableChange::Scrolled);
    }
    std::function<void()> place = step->place;
    if (undoing)
        mRedo.push_back(std::move(step));
    else
        mUndo.push_back(std::move(step));
    updateModified();
    changed();
    return place;
}

void UndoJournal::markSaved()
{
    flush();
    mSavedSerial = topSerial();
    updateModified();
}

bool UndoJournal::atSavedState()
{
    flush();
    return topSerial() == mSavedSerial;
}

std::uint64_t UndoJournal::topSerial() const
{
    return mUndo.empty() ? mBaseSerial : mUndo.back()->serial;
}

void UndoJournal::open(const std::string &name, std::function<void()> place)
{
    if (mDepth == 0) {
        flush();
        if (recording())
            begin(name, std::move(place));
    } else if (mOpen && !mImplicit) {
        if (mOpen->name.empty())
            mOpen->name = name;
        if (!mOpen->place)
            mOpen->place = std::move(place);
    }
    ++mDepth;
}

void UndoJournal::close()
{
    if (mDepth == 0)
        return;
    if (--mDepth == 0 && mOpen && !mImplicit)
        finish();
}

void UndoJournal::touch()
{
    if (recording() && !mOpen) {
        begin({}, {});
        mImplicit = true;
        changed();
    }
}

void UndoJournal::begin(const std::string &name, std::function<void()> place)
{
    mOpen = std::make_unique<Step>();
    mOpen->name = name;
    mOpen->place = std::move(place);
    if (mModified)
        mOpen->modifiedBefore = *mModified;
    mOpen->savedBefore = mSavedSerial;
    mOpen->before.reserve(mTables.size());
    for (MemTable *table : mTables)
        mOpen->before.push_back(snapshotOf(*table, impl(*table)));
}

UndoJournal::Step &UndoJournal::current()
{
    if (!mOpen) {
        begin({}, {});
        mImplicit = mDepth == 0;
    }
    return *mOpen;
}

void UndoJournal::flush()
{
    if (mOpen && mImplicit)
        finish();
}

void UndoJournal::finish()
{
    std::unique_ptr<Step> step = std::move(mOpen);
    mImplicit = false;
    step->after.reserve(mTables.size());
    for (MemTable *table : mTables)
        step->after.push_back(snapshotOf(*table, impl(*table)));
    // A post of a record nobody changed is no change: it makes no step and leaves the flag of
    // unsaved changes as it was, whatever the table's rules set on posting.
    bool differs = !std::all_of(step->entries.begin(), step->entries.end(), statusOnly);
    for (std::size_t i = 0; i < mTables.size() && !differs; ++i)
        differs = !samePending(step->before[i], step->after[i]);
    if (!differs) {
        if (mSavedSerial != step->savedBefore)
            updateModified(); // saved meanwhile
        else if (mModified)
            *mModified = step->modifiedBefore;
        return;
    }
    if (purePost(*step)) {
        // Storing what was already being edited changes nothing the user sees: it joins the step
        // that made the edit.
        {
            Step &last = *mUndo.back();
            std::move(step->entries.begin(), step->entries.end(), std::back_inserter(last.entries));
            last.after = std::move(step->after);
        }
        updateModified();
        changed();
        return;
    }
    if (step->name.empty())
        step->name = "изменение";
    push(std::move(step));
    updateModified();
}

void UndoJournal::updateModified()
{
    if (mModified)
        *mModified = topSerial() != mSavedSerial;
}

bool UndoJournal::purePost(const Step &step)
{
    if (mUndo.empty())
        return false;
    const Step &last = *mUndo.back();
    for (std::size_t i = 0; i < mTables.size(); ++i) {
        const TableSnapshot &before = step.before[i];
        const TableSnapshot &after = step.after[i];
        const auto isThisTable = [&](const Entry &e) { return e.table == mTables[i]; };
        const auto count = std::count_if(step.entries.begin(), step.entries.end(), isThisTable);
        if (count == 0) {
            if (!samePending(before, after))
                return false;
            continue;
        }
        if (count != 1 || !before.pending || after.pending)
            return false;
        const Entry &e = *std::find_if(step.entries.begin(), step.entries.end(), isThisTable);
        const bool posted =
            (before.state == TableState::Edit && e.kind == Entry::Cells && e.rank == before.editRank) ||
            (before.state == TableState::Insert && e.kind == Entry::Presence && e.stored);
        // The edit stored is the one the last step left pending, as it left it; what the table's
        // rules compute on storing it belongs to that step too.
        if (!posted || !samePending(last.after[i], before))
            return false;
    }
    return true;
}

void UndoJournal::push(std::unique_ptr<Step> step)
{
    step->serial = mNextSerial++;
    mUndo.push_back(std::move(step));
    if (static_cast<int>(mUndo.size()) > kMaxSteps) {
        mBaseSerial = mUndo.front()->serial;
        mUndo.pop_front();
    }
    mRedo.clear();
    changed();
}

void UndoJournal::recordCells(MemTable &table, int rank, std::vector<std::pair<int, Value>> old,
                              int oldStatus)
{
    Entry e;
    e.table = &table;
    e.kind = Entry::Cells;
    e.rank = rank;
    e.cells = std::move(old);
    e.status = oldStatus;
    current().entries.push_back(std::move(e));
}

void UndoJournal::recordInserted(MemTable &table, int rank)
{
    Entry e;
    e.table = &table;
    e.kind = Entry::Presence;
    e.rank = rank;
    e.stored = true;
    current().entries.push_back(std::move(e));
}

void UndoJournal::recordRemoved(MemTable &table, int rank, std::vector<Value> values, int status)
{
    Entry e;
    e.table = &table;
    e.kind = Entry::Presence;
    e.rank = rank;
    e.values = std::move(values);
    e.status = status;
    e.stored = false;
    current().entries.push_back(std::move(e));
}

void UndoJournal::recordCleared(MemTable &table, std::vector<std::vector<Value>> records,
                                std::vector<int> statuses)
{
    Entry e;
    e.table = &table;
    e.kind = Entry::Cleared;
    e.records = std::move(records);
    e.statuses = std::move(statuses);
    e.stored = false;
    current().entries.push_back(std::move(e));
}

UndoScope::UndoScope(UndoJournal *journal, const std::string &name, std::function<void()> place)
    : mJournal(journal)
{
    if (mJournal)
        mJournal->open(name, std::move(place));
}

UndoScope::UndoScope(MemTable &table, const std::string &name, std::function<void()> place)
    : UndoScope(table.journal(), name, std::move(place))
{}

UndoScope::~UndoScope()
{
    if (mJournal)
        mJournal->close();
}

} // namespace tarvena
