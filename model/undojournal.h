#pragma once
// UndoJournal: undo and redo of edits of a set of tables. The tables report every change of their
// stored records (field values, records added and removed, a table emptied) as it happens; a scope
// around one user action groups the changes into a step, together with the tables' cursors, filters
// and pending edits before and after it. Undoing a step puts the records back as they were without
// running any rule again: the journal holds the rules' results as well.
#include "model/memtable.h"
#include "storage/value.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tarvena {

class UndoJournal
{
public:
    static constexpr int kMaxSteps = 100;

    UndoJournal();
    ~UndoJournal();
    UndoJournal(const UndoJournal &) = delete;
    UndoJournal &operator=(const UndoJournal &) = delete;

    // Journals the changes of table from now on (the table must outlive the journal or be detached).
    void attach(MemTable &table);
    // A journal switched off records nothing and keeps no steps. It starts switched off: the editor
    // switches it on, the command line has no use for it.
    bool enabled() const { return mEnabled; }
    void setEnabled(bool enabled);

    // Forgets every step (a passport opened, made or closed).
    void clear();
    bool canUndo();
    bool canRedo();
    // The names of the steps undo and redo would take back or apply again (UTF-8).
    std::string undoName();
    std::string redoName();
    int undoCount();
    int redoCount();
    // Takes the last step back / applies the last undone step again; returns where the step happened
    // (the place its scope gave), or nothing when there was no step. Pending edits of the tables are
    // given up: post them first to keep them (as their own step).
    std::function<void()> undo();
    std::function<void()> redo();

    // The current state is the one written or read last; atSavedState tells whether undo and redo
    // have come back to it.
    void markSaved();
    bool atSavedState();
    // A flag kept equal to "not at the saved state" whenever a step ends or is taken back or applied
    // again (the passport's unsaved-changes flag); none by default.
    void followSaved(bool *modified) { mModified = modified; }

    // ---- for UndoScope
    void open(const std::string &name, std::function<void()> place);
    void close();
    bool stepOpen() const { return mDepth > 0; }

    // Told whenever the steps may have changed (a view refreshes its undo and redo commands).
    std::function<void()> Changed;

    // ---- for MemTable (called while the journal records)
    bool recording() const { return mEnabled && mSuspended == 0; }
    // Changes made while suspended are not recorded (a passport being read, whose steps go anyway).
    void suspend() { ++mSuspended; }
    void resume() { --mSuspended; }
    // Before a table changes: a change outside any scope opens a step of its own, which ends when the
    // next scope opens or the stack is asked about.
    void touch();
    void recordCells(MemTable &table, int rank, std::vector<std::pair<int, Value>> old, int oldStatus);
    void recordInserted(MemTable &table, int rank);
    void recordRemoved(MemTable &table, int rank, std::vector<Value> values, int status);
    void recordCleared(MemTable &table, std::vector<std::vector<Value>> records, std::vector<int> statuses);

    struct Step;

private:
    static MemTable::Impl &impl(MemTable &table) { return *table.d; }
    void begin(const std::string &name, std::function<void()> place);
    void finish();
    void flush();
    void push(std::unique_ptr<Step> step);
    std::function<void()> replay(bool undoing);
    Step &current();
    bool purePost(const Step &step);
    std::uint64_t topSerial() const;
    void changed();
    void updateModified();

    std::vector<MemTable *> mTables;
    std::deque<std::unique_ptr<Step>> mUndo;
    std::vector<std::unique_ptr<Step>> mRedo;
    std::unique_ptr<Step> mOpen;
    bool mImplicit = false;
    int mDepth = 0;
    int mSuspended = 0;
    bool mEnabled = false;
    bool *mModified = nullptr;
    std::uint64_t mNextSerial = 1;
    std::uint64_t mBaseSerial = 0;  // the state below the oldest step kept
    std::uint64_t mSavedSerial = 0; // the state written or read last
};

// Holds a journal's recording off for its life.
class UndoPause
{
public:
    explicit UndoPause(UndoJournal &journal) : mJournal(journal) { mJournal.suspend(); }
    ~UndoPause() { mJournal.resume(); }
    UndoPause(const UndoPause &) = delete;
    UndoPause &operator=(const UndoPause &) = delete;

private:
    UndoJournal &mJournal;
};

// Groups the changes made during its life into one step of the journal (nested scopes join the
// outermost one; the first name given names the step). A null journal makes it do nothing.
class UndoScope
{
public:
    explicit UndoScope(UndoJournal *journal, const std::string &name = {}, std::function<void()> place = {});
    // The journal of table, if it has one.
    explicit UndoScope(MemTable &table, const std::string &name = {}, std::function<void()> place = {});
    ~UndoScope();
    UndoScope(const UndoScope &) = delete;
    UndoScope &operator=(const UndoScope &) = delete;

private:
    UndoJournal *mJournal;
};

} // namespace tarvena
