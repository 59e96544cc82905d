#pragma once
// TDataModule2: owner of every table for the whole run, of the two table stream formats and of the
// open-passport state. Its rules are wired to the tables' events in one place.
#include "model/memtable.h"
#include "model/prompts.h"
#include "model/undojournal.h"

#include <array>
#include <functional>
#include <memory>
#include <string>

namespace tarvena {

class TableStreamFormat;
class PassportRules;
class Progress;
class Stream;
struct PassportBlocks;

class TDataModule2
{
public:
    explicit TDataModule2(Prompts *prompts = nullptr);
    ~TDataModule2();

    // Loads DICTIONARYS.BIN and GROUPS.BIN from programDir, fills the views and TCoords, opens the
    // passport tables and starts PASPORTS in insert state. Throws Error naming the file on failure.
    void DataModuleCreate(const std::string &programDir);
    // The folder the dictionaries were loaded from; empty before DataModuleCreate.
    const std::string &dictionaryFolder() const { return mDictionaryFolder; }

    MemTable DICTIONARYS{"DICTIONARYS"};
    MemTable Groups{"Groups"};
    std::array<std::unique_ptr<MemTable>, 24> Dict; // Dict[0] is Dict1
    MemTable &dict(int n) { return *Dict.at(static_cast<std::size_t>(n - 1)); }
    MemTable TCoords{"TCoords"};
    MemTable PASPORTS{"PASPORTS"};
    MemTable REFLECT_HORIZONTS{"REFLECT_HORIZONTS"};
    MemTable POSIB_PRODUCT_HOR{"POSIB_PRODUCT_HOR"};
    MemTable KONTUR{"KONTUR"};
    MemTable FILES{"FILES"};
    MemTable TempTable{"TempTable"};

    // Open-passport state.
    std::string PassportFileName; // UTF-8 path on disk
    bool PassportModified = false;
    bool PassportLoading = false;
    // Undo and redo of the edits of the five passport tables.
    UndoJournal Journal;

    // Reads a passport file into the five tables (throws Error with the user-facing text).
    // Returns true when a file was read. The tables are replaced only once the whole file has been
    // read: on any error they stay as they were. A file damaged after its first table throws
    // DamagedPassport, which holds the tables read whole for openSurvivingPart.
    // progress hears of each block read and each table replaced.
    bool OpenPassport(const std::string &path, Progress *progress = nullptr);
    // Makes the tables read whole from a damaged file the open passport, a new one without a file name.
    void openSurvivingPart(PassportBlocks &survived, Progress *progress = nullptr);
    // Writes the five tables to path through a temporary file beside it (throws Error); progress
    // hears of each block written.
    void SavePassport(const std::string &path, Progress *progress = nullptr);
    // The same from a stream (positioned after the header when hasHeader) and to a stream (header
    // and five blocks); OpenPassport and SavePassport add the file and the passport's file name.
    void readPassport(Stream &stream, bool hasHeader, Progress *progress = nullptr);
    void writePassport(Stream &stream, Progress *progress = nullptr);
    // Posts the pending edits of PASPORTS, REFLECT_HORIZONTS, POSIB_PRODUCT_HOR, KONTUR and FILES.
    void PostPendingEdits();

    Prompts *prompts() const { return mPrompts; }
    void setPrompts(Prompts *prompts) { mPrompts = prompts; }

    // The two table stream formats: 1 compressed, 2 plain with raw blobs (FILES block).
    std::unique_ptr<TableStreamFormat> Format1;
    std::unique_ptr<TableStreamFormat> Format2;

    // Steps of DataModuleCreate that need no dictionary files: opens the passport tables and starts
    // the passport record (tests and tools without dictionaries use it alone).
    void openPassportTables();

    // Blocks of the passport file.
    void SaveTableBlock(MemTable &table, Stream &stream);
    void LoadTableBlock(Stream &stream, MemTable &table, bool useFormat2);
    // Replaces the rows of target by those of source, field by field by name; with uniqueIds a
    // repeated or empty ID is replaced by a free one (identity::UniqueIds); with takeValues the
    // source's rows are left empty (a scratch table about to be dropped).
    void CopyTableByFieldNames(MemTable &source, MemTable &target, bool uniqueIds, bool takeValues = false);
    // The five passport tables in file order.
    std::array<MemTable *, 5> passportTables();

    std::unique_ptr<PassportRules> Rules;

private:
    // The five blocks into scratch tables, up to the first damage (never throws for a damaged block).
    std::shared_ptr<PassportBlocks> readPassportBlocks(Stream &stream, bool hasHeader, Progress *progress);
    // Replaces the five passport tables by the blocks read whole; the others start empty. The steps
    // are told to progress after those already done.
    void installPassport(PassportBlocks &blocks, Progress *progress, int done, int total);
    void loadDictionaries(const std::string &programDir);
    Prompts *mPrompts;
    std::string mDictionaryFolder;
};

} // namespace tarvena
