#include "model/fixedformat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <iterator>

namespace tarvena::numfmt {

char *formatFixed(char *out, double value, FixedPattern pattern)
{
    static constexpr double kPowers[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                         1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    static constexpr std::uint64_t kWholePowers[] = {1ull,
                                                     10ull,
                                                     100ull,
                                                     1000ull,
                                                     10000ull,
                                                     100000ull,
                                                     1000000ull,
                                                     10000000ull,
                                                     100000000ull,
                                                     1000000000ull,
                                                     10000000000ull,
                                                     100000000000ull,
                                                     1000000000000ull,
                                                     10000000000000ull,
                                                     100000000000000ull,
                                                     1000000000000000ull};
    constexpr int kMaxPlaces = static_cast<int>(std::size(kPowers)) - 1;
    if (pattern.decimalPlaces > kMaxPlaces || pattern.integerRequired > 16)
        return nullptr;
    // The value is exactly a whole number of 10^-p when that number reads back as the value and lies
    // below 2^52, where neighbouring doubles are closer than 10^-p (formatFloat's short route).
    const double magnitude = std::fabs(value);
    int p = pattern.decimalPlaces;
    while (p >= 0 && !(magnitude * kPowers[p] < 0x1p52)) // false for infinities and NaN too
        --p;
    if (p < 0)
        return nullptr;
    const double whole = std::round(magnitude * kPowers[p]);
    if (whole / kPowers[p] != magnitude)
        return nullptr;
    const auto digits = static_cast<std::uint64_t>(whole);
    const std::uint64_t integer = digits / kWholePowers[p];
    std::uint64_t fraction = digits % kWholePowers[p];

    // A value that rounds to zero is written without a sign.
    if (value < 0 && digits != 0)
        *out++ = '-';
    // Everything goes straight into out, which has room for the longest text.
    int integerCount = 0;
    while (integerCount < 16 && integer >= kWholePowers[integerCount])
        ++integerCount;
    for (int k = integerCount; k < pattern.integerRequired; ++k)
        *out++ = '0';
    if (integer != 0)
        out = std::to_chars(out, out + 24, integer).ptr;

    // The p decimals of the fraction, then zeros up to the pattern's places; trailing zeros go down
    // to the required ones, and the separator too when none is left.
    char *const separator = out;
    *out++ = '.';
    for (int k = p - 1; k >= 0; --k, fraction /= 10)
        out[k] = static_cast<char>('0' + fraction % 10);
    for (int k = p; k < pattern.decimalPlaces; ++k)
        out[k] = '0';
    int written = pattern.decimalPlaces;
    while (written > pattern.decimalRequired && out[written - 1] == '0')
        --written;
    return written > 0 ? out + written : separator;
}

} // namespace tarvena::numfmt
