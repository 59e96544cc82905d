#pragma once
// The open addressing index by which the workbook writers find an equal text again: per slot the
// text's hash in the high half and its number + 1 in the low half, 0 when free; a slot is probed
// from the hash on.
#include <cstdint>
#include <vector>

namespace tarvena::xls {

// The same entries in a table of size slots (a power of two, more than the entries).
inline void resizeTextIndex(std::vector<std::uint64_t> &index, std::size_t size)
{
    std::vector<std::uint64_t> slots(size, 0);
    const std::size_t mask = slots.size() - 1;
    for (const std::uint64_t entry : index) {
        if (entry == 0)
            continue;
        std::size_t slot = (entry >> 32) & mask;
        while (slots[slot] != 0)
            slot = (slot + 1) & mask;
        slots[slot] = entry;
    }
    index = std::move(slots);
}

} // namespace tarvena::xls
