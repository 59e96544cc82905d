#pragma once
// The three slot lists of the documents and graphics page (Files1 documents, Files2 graphics, Files3
// additional graphics) as local tables that are never saved, and what the page does to the current
// slot of a list: attach a file, clear, comment, and hand out the stored content for export. FILES
// is the only store; every change of it marks the passport modified.
#include "model/documentslots.h"
#include "model/memtable.h"

#include <optional>
#include <string>

namespace tarvena {

class TDataModule2;

enum class SlotList
{
    Documents,
    Graphics,
    Additional
};

// The horizons and attachments the lists derive from, read in their tables' current order.
SlotSources slotSources(const TDataModule2 &data);

class FileSlots
{
public:
    explicit FileSlots(TDataModule2 &data);
    FileSlots(const FileSlots &) = delete;
    FileSlots &operator=(const FileSlots &) = delete;

    MemTable Files1{"Files1"};
    MemTable Files2{"Files2"};
    MemTable Files3{"Files3"};
    MemTable &table(SlotList list);
    const MemTable &table(SlotList list) const;

    // Builds the three lists anew (the productive horizons' filter is removed first, so every
    // horizon has its slot); the documents and graphics lists stand on their first slots.
    void RebuildFileSlots();
    // The slots derived again from the stored horizons and files, leaving the horizons' filter,
    // cursor and pending edit as they are (after an undone or redone step).
    void deriveSlots();

    // ---- the current slot of a list
    bool isFree(SlotList list) const;
    // The stored name a file of this name gets in the slot: the slot's key and the file's
    // extension, or for an additional graphic the file's own name.
    std::string storedName(SlotList list, const std::string &srcName) const;
    // Puts a file (its name without folder, its content as one gzip member) into the slot, in place
    // of the slot's previous file. A graphics load rebuilds the lists, so a filled profile slot gets
    // its successor; an additional load into a free slot adds the next free one.
    void attach(SlotList list, const std::string &srcName, std::string content);
    // Removes the slot's file; false when the slot holds none.
    bool clear(SlotList list);
    std::string comment(SlotList list) const;
    // Stores a changed comment (cut to the fields' 128 characters); false when the slot is free or
    // the text is the current comment.
    bool setComment(SlotList list, const std::string &text);

    struct Content
    {
        std::string offeredName; // the source file's name, else the stored name
        std::string storedName;
        std::string gzip;
    };
    // The slot's stored file; none when the slot is free or its content is missing or empty.
    std::optional<Content> content(SlotList list);

private:
    // Places FILES on the slot's record: the one the slot was filled from, else the first of its
    // stored name. False when there is none.
    bool locateFile(SlotList list);
    void fill(MemTable &slots, const std::vector<DocumentSlot> &list);
    // After a FILES record was deleted the slots behind it move up one record.
    void forgetRecord(int recNo);

    TDataModule2 &mData;
};

} // namespace tarvena
