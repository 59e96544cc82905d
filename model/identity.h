#pragma once
// Record identities of horizons and contour points: a random draw plus the milliseconds since the
// system started, added in 32-bit arithmetic that wraps, and drawn again while the table holds it. One
// process-wide generator, seeded from the clock on first use, also serves the replacement IDs given
// while a passport is opened.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <unordered_set>

namespace tarvena {
class MemTable;
}

namespace tarvena::identity {

// Ranges of the random part: horizons draw below HorizonIdRange, contour points below PointIdRange.
inline constexpr std::int32_t HorizonIdRange = 999999;
inline constexpr std::int32_t PointIdRange = 9999999;

// A uniform draw from 0 up to, but not including, bound (bound > 0).
std::int32_t randomBelow(std::int32_t bound);
// Reseeds the process-wide generator, so that a test sees a repeatable sequence.
void seedRandom(std::uint64_t seed);

// Milliseconds since the system started, cut to 32 bits.
std::uint32_t millisecondsSinceStart();
// Replaces the tick source (tests); an empty function restores the system clock.
void setTickSource(std::function<std::uint32_t()> source);

// randomBelow(bound) + millisecondsSinceStart(), wrapping at 32 bits.
std::int32_t newRecordId(std::int32_t bound);

// An ID for a new record of table that no stored record of it holds in its field "ID", whatever the
// filter: randomBelow(bound) + ticks, drawn again while taken. The table's index of the field answers
// each draw. Should the draws keep meeting taken IDs, the next free one above the last draw is taken.
std::int32_t freeRecordId(const MemTable &table, std::int32_t bound, std::uint32_t ticks);

// Keeps the IDs of rows copied into a table unique, in the order the rows come: an ID that an earlier
// row holds is replaced. While at most half the range below `range` is in use the replacement is a
// random draw from it; then the free IDs of the range are taken in order, and once none is left, IDs
// above the largest in use. So the work stays linear in the rows whatever IDs they repeat.
class UniqueIds
{
public:
    UniqueIds(std::int32_t range, std::size_t rows);
    // id when no earlier row holds it, else its replacement; the result is in use from now on.
    std::int32_t keep(std::int32_t id);

private:
    std::int32_t replacement();
    bool used(std::int64_t id) const { return mUsed.count(static_cast<std::int32_t>(id)) != 0; }

    std::unordered_set<std::int32_t> mUsed;
    std::int64_t mRange;
    std::int64_t mUsedInRange = 0;
    std::int64_t mNextInRange = 0; // no free ID of the range lies below it
    std::int64_t mLargest;
    std::int64_t mNextFromBottom; // when the largest in use is the largest there is
};

} // namespace tarvena::identity
