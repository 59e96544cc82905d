#include "model/identity.h"

#include <chrono>
#include <random>

namespace tarvena::identity {
namespace {

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

} // namespace tarvena::identity
