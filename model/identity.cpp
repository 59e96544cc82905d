#include "model/identity.h"

#include "model/memtable.h"

#include <algorithm>
#include <chrono>
#include <limits>
#include <random>

namespace tarvena::identity {
namespace {

// Draws of a new record's ID before the free IDs above the last one are searched in order.
constexpr int kDrawsBeforeProbing = 64;

std::mt19937_64 &generator()
{
    static std::mt19937_64 engine(
        static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count()));
    return engine;
}

std::function<std::uint32_t()> &tickSource()
{
    static std::function<std::uint32_t()> source;
    return source;
}

} // namespace

std::int32_t randomBelow(std::int32_t bound)
{
    std::uniform_int_distribution<std::int32_t> draw(0, bound - 1);
    return draw(generator());
}

void seedRandom(std::uint64_t seed)
{
    generator().seed(seed);
}

std::uint32_t millisecondsSinceStart()
{
    if (tickSource())
        return tickSource()();
    // The steady clock counts from the system's start on the platforms we build for.
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now().time_since_epoch());
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(ms.count()));
}

void setTickSource(std::function<std::uint32_t()> source)
{
    tickSource() = std::move(source);
}

std::int32_t newRecordId(std::int32_t bound)
{
    const std::uint32_t sum = static_cast<std::uint32_t>(randomBelow(bound)) + millisecondsSinceStart();
    return static_cast<std::int32_t>(sum);
}

std::int32_t freeRecordId(const MemTable &table, std::int32_t bound, std::uint32_t ticks)
{
    const Field &field = table.FieldByName("ID");
    const auto taken = [&](std::uint32_t id) {
        return table.storedValueInUse(field, std::int64_t{static_cast<std::int32_t>(id)});
    };
    std::uint32_t id = 0;
    for (int attempt = 0; attempt < kDrawsBeforeProbing; ++attempt) {
        id = static_cast<std::uint32_t>(randomBelow(bound)) + ticks;
        if (!taken(id))
            return static_cast<std::int32_t>(id);
    }
    while (taken(id))
        ++id;
    return static_cast<std::int32_t>(id);
}

UniqueIds::UniqueIds(std::int32_t range, std::size_t rows)
    : mRange(range), mLargest(std::numeric_limits<std::int32_t>::min()),
      mNextFromBottom(std::numeric_limits<std::int32_t>::min())
{
    mUsed.reserve(rows);
}

std::int32_t UniqueIds::keep(std::int32_t id)
{
    if (used(id))
        id = replacement();
    mUsed.insert(id);
    if (id >= 0 && id < mRange)
        ++mUsedInRange;
    mLargest = std::max<std::int64_t>(mLargest, id);
    return id;
}

std::int32_t UniqueIds::replacement()
{
    // A draw meets a taken ID at most half the time here, so two draws are expected at worst.
    if (mUsedInRange * 2 <= mRange) {
        std::int32_t id;
        do
            id = randomBelow(static_cast<std::int32_t>(mRange));
        while (used(id));
        return id;
    }
    while (mNextInRange < mRange && used(mNextInRange))
        ++mNextInRange;
    if (mNextInRange < mRange)
        return static_cast<std::int32_t>(mNextInRange);
    if (mLargest < std::numeric_limits<std::int32_t>::max())
        return static_cast<std::int32_t>(mLargest + 1);
    // A row holds the largest ID there is: the free IDs are taken in order from the smallest up. A table
    // has fewer rows than there are IDs, so one is free.
    while (used(mNextFromBottom))
        ++mNextFromBottom;
    return static_cast<std::int32_t>(mNextFromBottom);
}

} // namespace tarvena::identity
