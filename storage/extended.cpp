#include "storage/extended.h"

#include <bit>
#include <limits>

namespace tarvena::extended {

namespace {
constexpr int kBias = 16383;
constexpr int kSpecialExponent = 0x7FFF;
constexpr std::uint64_t kIntegerBit = 1ull << 63;
constexpr std::uint64_t kDoubleSign = 1ull << 63;
constexpr std::uint64_t kDoubleFraction = (1ull << 52) - 1;

struct Parts
{
    bool negative;
    int exponent;
    std::uint64_t significand;
};

void store(const Parts &p, std::uint8_t out[kSize])
{
    for (int i = 0; i < 8; ++i)
        out[i] = static_cast<std::uint8_t>(p.significand >> (8 * i));
    const unsigned top = static_cast<unsigned>(p.exponent) | (p.negative ? 0x8000u : 0u);
    out[8] = static_cast<std::uint8_t>(top);
    out[9] = static_cast<std::uint8_t>(top >> 8);
}

Parts load(const std::uint8_t in[kSize])
{
    std::uint64_t significand = 0;
    for (int i = 0; i < 8; ++i)
        significand |= static_cast<std::uint64_t>(in[i]) << (8 * i);
    const unsigned top = in[8] | (static_cast<unsigned>(in[9]) << 8);
    return {(top & 0x8000u) != 0, static_cast<int>(top & 0x7FFFu), significand};
}

// value / 2^shift rounded to the nearest whole number, ties to even.
std::uint64_t shiftRound(std::uint64_t value, int shift)
{
    if (shift <= 0)
        return value;
    if (shift > 64)
        return 0; // below one half
    const std::uint64_t kept = shift == 64 ? 0 : value >> shift;
    const std::uint64_t rest = shift == 64 ? value : value & ((1ull << shift) - 1);
    const std::uint64_t half = 1ull << (shift - 1);
    return kept + ((rest > half || (rest == half && (kept & 1))) ? 1 : 0);
}

// Denormals (exponent 0) weigh like exponent 1; the integer bit is taken as it stands, so
// pseudo-denormals and unnormals are read by the value their bits give.
int effectiveExponent(const Parts &p)
{
    return p.exponent == 0 ? 1 : p.exponent;
}
} // namespace

void fromDouble(double value, std::uint8_t out[kSize])
{
    const auto bits = std::bit_cast<std::uint64_t>(value);
    const bool negative = (bits & kDoubleSign) != 0;
    const int exponent = static_cast<int>((bits >> 52) & 0x7FF);
    const std::uint64_t fraction = bits & kDoubleFraction;
    if (exponent == 0x7FF) // infinity, or NaN with its payload and quiet bit in place
        return store({negative, kSpecialExponent, kIntegerBit | (fraction << 11)}, out);
    if (exponent == 0) {
        if (fraction == 0)
            return store({negative, 0, 0}, out);
        // Subnormal: fraction * 2^-1074, normalised so the integer bit is set.
        const int shift = std::countl_zero(fraction);
        return store({negative, kBias + 63 - 1074 - shift, fraction << shift}, out);
    }
    store({negative, exponent - 1023 + kBias, kIntegerBit | (fraction << 11)}, out);
}

double toDouble(const std::uint8_t in[kSize])
{
    const Parts p = load(in);
    const std::uint64_t sign = p.negative ? kDoubleSign : 0;
    const std::uint64_t infinity = sign | (0x7FFull << 52);
    if (p.exponent == kSpecialExponent) {
        const std::uint64_t fraction = p.significand & ~kIntegerBit;
        if (fraction == 0)
            return std::bit_cast<double>(infinity);
        std::uint64_t payload = fraction >> 11;
        if (payload == 0) // payload only in the bits a double drops: keep it a NaN
            payload = 1ull << 51;
        return std::bit_cast<double>(infinity | payload);
    }
    if (p.significand == 0)
        return std::bit_cast<double>(sign);
    const int shift = std::countl_zero(p.significand);
    const std::uint64_t significand = p.significand << shift;
    const int exponent = effectiveExponent(p) - kBias - shift; // of the leading bit
    if (exponent > 1023)
        return std::bit_cast<double>(infinity);
    std::uint64_t bits;
    if (exponent >= -1022) {
        // 53 bits with the leading one; a carry out of rounding moves into the exponent field,
        // up to the infinity pattern.
        bits = (static_cast<std::uint64_t>(exponent + 1022) << 52) + shiftRound(significand, 11);
    } else {
        // Subnormal result: the count of 2^-1074 units.
        bits = shiftRound(significand, -(exponent + 1011));
    }
    return std::bit_cast<double>(sign | bits);
}

void fromInt64(std::int64_t value, std::uint8_t out[kSize])
{
    if (value == 0)
        return store({false, 0, 0}, out);
    const bool negative = value < 0;
    const std::uint64_t magnitude =
        negative ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    const int shift = std::countl_zero(magnitude);
    store({negative, kBias + 63 - shift, magnitude << shift}, out);
}

std::optional<std::int64_t> toInt64(const std::uint8_t in[kSize])
{
    const Parts p = load(in);
    if (p.exponent == kSpecialExponent)
        return std::nullopt;
    if (p.significand == 0)
        return 0;
    const int scale = effectiveExponent(p) - kBias - 63; // value = significand * 2^scale
    std::uint64_t magnitude;
    if (scale >= 0) {
        if (scale >= 64 || (scale > 0 && (p.significand >> (64 - scale)) != 0))
            return std::nullopt;
        magnitude = p.significand << scale;
    } else {
        magnitude = shiftRound(p.significand, -scale);
    }
    constexpr std::uint64_t kLimit = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    if (p.negative) {
        if (magnitude > kLimit + 1)
            return std::nullopt;
        return magnitude == kLimit + 1 ? std::numeric_limits<std::int64_t>::min()
                                       : -static_cast<std::int64_t>(magnitude);
    }
    if (magnitude > kLimit)
        return std::nullopt;
    return static_cast<std::int64_t>(magnitude);
}

} // namespace tarvena::extended
