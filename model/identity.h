#pragma once
// Record identities of horizons and contour points: a random draw plus the milliseconds since the
// system started, added in 32-bit arithmetic that wraps. One process-wide generator, seeded from the
// clock on first use, also serves the replacement IDs drawn while a passport is opened.
#include <cstdint>
#include <functional>

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

} // namespace tarvena::identity
