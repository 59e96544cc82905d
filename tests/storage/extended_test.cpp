// The 10-byte extended float of the table stream: exact for every double, rounding to nearest on read.
#include "storage/extended.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cmath>
#include <cstring>
#include <limits>
#include <optional>
#include <random>
#include <vector>

using namespace tarvena;

namespace {

using Bytes = std::array<std::uint8_t, extended::kSize>;

Bytes encode(double value)
{
    Bytes b{};
    extended::fromDouble(value, b.data());
    return b;
}

Bytes make(bool negative, unsigned exponent, std::uint64_t significand)
{
    Bytes b{};
    for (int i = 0; i < 8; ++i)
        b[i] = static_cast<std::uint8_t>(significand >> (8 * i));
    const unsigned top = exponent | (negative ? 0x8000u : 0u);
    b[8] = static_cast<std::uint8_t>(top);
    b[9] = static_cast<std::uint8_t>(top >> 8);
    return b;
}

std::uint64_t bitsOf(double value)
{
    return std::bit_cast<std::uint64_t>(value);
}

double decode(const Bytes &b)
{
    return extended::toDouble(b.data());
}

// On x86 the compiler's long double is this very format: an independent reference.
constexpr bool kX87LongDouble = std::numeric_limits<long double>::digits == 64 && sizeof(long double) >= 10;

} // namespace

TEST(Extended, KnownEncodings)
{
    const double dmin = std::numeric_limits<double>::denorm_min();
    const struct
    {
        double value;
        Bytes bytes;
    } cases[] = {
        {0.0, make(false, 0, 0)},
        {-0.0, make(true, 0, 0)},
        {1.0, {0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F}},
        {-2.0, make(true, 0x4000, 1ull << 63)},
        {0.5, make(false, 0x3FFE, 1ull << 63)},
        {1.5, make(false, 0x3FFF, 3ull << 62)},
        {std::numeric_limits<double>::max(), make(false, 0x43FE, ~0ull << 11)},
        {std::numeric_limits<double>::min(), make(false, 0x3C01, 1ull << 63)},
        {dmin, make(false, 0x3BCD, 1ull << 63)},
        {dmin * 3, make(false, 0x3BCE, 3ull << 62)},
        {std::numeric_limits<double>::infinity(), make(false, 0x7FFF, 1ull << 63)},
        {-std::numeric_limits<double>::infinity(), make(true, 0x7FFF, 1ull << 63)},
        {std::numeric_limits<double>::quiet_NaN(), make(false, 0x7FFF, 3ull << 62)},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(encode(c.value), c.bytes);
        EXPECT_EQ(bitsOf(decode(c.bytes)), bitsOf(c.value));
    }
}

TEST(Extended, EveryDoubleSurvivesBitForBit)
{
    std::mt19937_64 random(20240601);
    std::vector<std::uint64_t> patterns = {
        0x0000000000000001ull, 0x000FFFFFFFFFFFFFull, 0x0010000000000000ull,
        0x7FEFFFFFFFFFFFFFull, 0x7FF0000000000001ull, // signalling NaN
        0x7FF8000000000001ull, 0xFFF7FFFFFFFFFFFFull, 0x8000000000000001ull};
    for (int i = 0; i < 200000; ++i) {
        std::uint64_t bits = random();
        if (i % 4 == 1)
            bits &= 0x800FFFFFFFFFFFFFull; // subnormals
        if (i % 4 == 2)
            bits |= 0x7FF0000000000000ull; // infinities and NaN payloads
        patterns.push_back(bits);
    }
    for (std::uint64_t bits : patterns) {
        const double value = std::bit_cast<double>(bits);
        const Bytes b = encode(value);
        ASSERT_EQ(bitsOf(decode(b)), bits) << std::hex << bits;
        if constexpr (kX87LongDouble) {
            if (std::isnan(value))
                continue; // the hardware quiets signalling NaNs
            Bytes reference{};
            const long double wide = value;
            std::memcpy(reference.data(), &wide, extended::kSize);
            ASSERT_EQ(b, reference) << std::hex << bits;
        }
    }
}

TEST(Extended, ReadingRoundsToNearestEven)
{
    const double max = std::numeric_limits<double>::max();
    const double dmin = std::numeric_limits<double>::denorm_min();
    const double inf = std::numeric_limits<double>::infinity();
    const struct
    {
        const char *what;
        Bytes bytes;
        double expected;
    } cases[] = {
        {"1 + half an ulp, tie to even", make(false, 0x3FFF, (1ull << 63) | (1ull << 10)), 1.0},
        {"1 + 3 half ulps, tie to even", make(false, 0x3FFF, (1ull << 63) | (3ull << 10)), 1.0 + 2 * 0x1p-52},
        {"1 + just over half an ulp", make(false, 0x3FFF, (1ull << 63) | (1ull << 10) | 1), 1.0 + 0x1p-52},
        {"all ones carries into the exponent", make(false, 0x3FFF, ~0ull), 2.0},
        {"max + half an ulp ties to infinity", make(false, 0x43FE, ~0ull << 10), inf},
        {"max + just under half an ulp", make(false, 0x43FE, (~0ull << 11) | 0x3FF), max},
        {"beyond the double range", make(true, 0x7FFE, 1ull << 63), -inf},
        {"half the smallest subnormal ties to zero", make(false, 0x3BCC, 1ull << 63), 0.0},
        {"just over half the smallest subnormal", make(false, 0x3BCC, (1ull << 63) | 1), dmin},
        {"1.5 smallest subnormals ties to 2", make(false, 0x3BCD, 3ull << 62), dmin * 2},
        {"largest subnormal rounds up to the smallest normal", make(false, 0x3C00, ~0ull),
         std::numeric_limits<double>::min()},
        {"far below the double range", make(true, 0x0001, 1ull << 63), -0.0},
        {"extended denormal", make(false, 0, 1), 0.0},
        {"pseudo-denormal", make(false, 0, 1ull << 63), 0.0},
        {"unnormal read by its value", make(false, 0x3FFF, 1ull << 62), 0.5},
        {"pseudo-infinity", make(false, 0x7FFF, 0), inf},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(bitsOf(decode(c.bytes)), bitsOf(c.expected));
    }
    // A NaN whose payload lies only in the bits a double drops stays a NaN.
    EXPECT_TRUE(std::isnan(decode(make(false, 0x7FFF, (1ull << 63) | 1))));
}

TEST(Extended, RandomExtendedValuesRoundAsTheHardwareDoes)
{
    if constexpr (!kX87LongDouble) {
        GTEST_SKIP() << "no x87 long double to compare with";
    } else {
        std::mt19937_64 random(7);
        for (int i = 0; i < 200000; ++i) {
            // Exponents around the whole double range, including the subnormal edge.
            const unsigned exponent = 0x3C00 - 70 + static_cast<unsigned>(random() % (0x43FF - 0x3C00 + 80));
            const Bytes b = make(random() & 1, exponent, random() | (1ull << 63));
            long double wide;
            std::memcpy(&wide, b.data(), extended::kSize);
            if (std::fabs(wide) > std::numeric_limits<double>::max())
                continue; // out of range conversion is not defined for the compiler's long double
            ASSERT_EQ(bitsOf(decode(b)), bitsOf(static_cast<double>(wide))) << i;
        }
    }
}

TEST(Extended, WholeNumbersKeepAllSixtyFourBits)
{
    const std::int64_t values[] = {0,
                                   1,
                                   -1,
                                   127,
                                   (1ll << 53) + 1,
                                   -(1ll << 53) - 1,
                                   std::numeric_limits<std::int64_t>::max(),
                                   std::numeric_limits<std::int64_t>::min()};
    for (std::int64_t v : values) {
        Bytes b{};
        extended::fromInt64(v, b.data());
        EXPECT_EQ(extended::toInt64(b.data()), v);
    }
    const struct
    {
        double value;
        std::optional<std::int64_t> expected;
    } reads[] = {
        {2.5, 2},
        {3.5, 4},
        {-0.5, 0},
        {-1.5, -2},
        {0x1p62, 1ll << 62},
        {-0x1p63, std::numeric_limits<std::int64_t>::min()},
        {0x1p63, std::nullopt},
        {1e300, std::nullopt},
        {std::numeric_limits<double>::infinity(), std::nullopt},
        {std::numeric_limits<double>::quiet_NaN(), std::nullopt},
    };
    for (const auto &r : reads) {
        SCOPED_TRACE(r.value);
        EXPECT_EQ(extended::toInt64(encode(r.value).data()), r.expected);
    }
}
