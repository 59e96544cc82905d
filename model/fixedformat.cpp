#include "model/fixedformat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
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
    char integerDigits[24];
    const int integerCount =
        integer == 0 ? 0
                     : static_cast<int>(std::to_chars(integerDigits, std::end(integerDigits), integer).ptr -
                                        integerDigits);
    for (int k = integerCount; k < pattern.integerRequired; ++k)
        *out++ = '0';
    std::memcpy(out, integerDigits, static_cast<std::size_t>(integerCount));
    out += integerCount;

    // The p decimals of the fraction, then zeros up to the pattern's places; trailing zeros go down
    // to the required ones.
    char decimals[16];
    std::memset(decimals, '0', sizeof decimals);
    for (int k = p - 1; k >= 0; --k, fraction /= 10)
        decimals[k] = static_cast<char>('0' + fraction % 10);
    int written = pattern.decimalPlaces;
    while (written > pattern.decimalRequired && decimals[written - 1] == '0')
        --written;
    if (written > 0) {
        *out++ = '.';
        std::memcpy(out, decimals, static_cast<std::size_t>(written));
        out += written;
    }
    return out;
}

} // namespace tarvena::numfmt
