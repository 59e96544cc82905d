#pragma once
// Holding back a table's scroll handler while a walk that has no use for it moves the cursor.
#include "model/memtable.h"

#include <functional>

namespace tarvena {

// Holds back a table's AfterScroll while a walk moves its cursor, then lets it run once for the record
// the walk ends on. The horizons' handler refilters the whole contour table on every move, which a
// walk that does not look at the contours has no use for. ControlsDisabledScope cannot do this: it
// silences the views only, and the table's own events still fire on every move.
class ScrollEventsHeld
{
public:
    explicit ScrollEventsHeld(MemTable &table) : mTable(table), mHandler(std::move(table.AfterScroll))
    {
        mTable.AfterScroll = nullptr;
    }
    ~ScrollEventsHeld()
    {
        mTable.AfterScroll = std::move(mHandler);
        if (mTable.AfterScroll && mTable.Active()) {
            try {
                mTable.AfterScroll(mTable);
            } catch (...) {
                // The walk's own outcome is what the caller hears about.
            }
        }
    }
    ScrollEventsHeld(const ScrollEventsHeld &) = delete;
    ScrollEventsHeld &operator=(const ScrollEventsHeld &) = delete;

private:
    MemTable &mTable;
    std::function<void(MemTable &)> mHandler;
};

} // namespace tarvena
