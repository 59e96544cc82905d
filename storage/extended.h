#pragma once
// The 10-byte extended float of the table stream (x87 layout, little-endian): a 64-bit significand
// with an explicit integer bit, a 15-bit exponent biased by 16383 and a sign bit. Every double maps to
// an extended exactly, so a double survives a write and a read bit for bit (NaN payloads included).
#include <cstdint>
#include <optional>

namespace tarvena::extended {

constexpr int kSize = 10;

void fromDouble(double value, std::uint8_t out[kSize]);
// Rounds to the nearest double (ties to even); beyond the double range the result is an infinity,
// below it a subnormal or zero. Denormals, pseudo-denormals and unnormals are read by their value.
double toDouble(const std::uint8_t in[kSize]);

// Whole numbers keep all 64 bits, which a double could not.
void fromInt64(std::int64_t value, std::uint8_t out[kSize]);
// The nearest whole number (ties to even); nullopt for NaN, infinities and values out of range.
std::optional<std::int64_t> toInt64(const std::uint8_t in[kSize]);

} // namespace tarvena::extended
