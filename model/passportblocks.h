#pragma once
// The five tables of a passport file as the file stores them, read before any table of the open
// passport is touched: the open passport is replaced only once the whole file has been read, and a
// file damaged part-way leaves it as it was while the tables read whole can still be opened.
#include "model/memtable.h"
#include "storage/error.h"

#include <array>
#include <memory>
#include <string>

namespace tarvena {

struct PassportBlocks
{
    // In file order, with the file's own fields; nullptr for a block the file does not hold.
    std::array<std::unique_ptr<MemTable>, 5> tables;
    // Tables read whole, from the first.
    int complete = 0;
    // What stopped the reading; empty when the whole file was read.
    std::string damage;

    // What the user loses when the tables read whole are opened: "контуры, присоединённые файлы".
    std::string lostTables() const;
};

// A passport file damaged part-way: what() tells the damage, survived() holds the tables read
// whole before it (at least the passport record's).
class DamagedPassport : public Error
{
public:
    explicit DamagedPassport(std::shared_ptr<PassportBlocks> survived)
        : Error(survived->damage), mSurvived(std::move(survived))
    {}
    PassportBlocks &survived() const { return *mSurvived; }

private:
    std::shared_ptr<PassportBlocks> mSurvived;
};

} // namespace tarvena
