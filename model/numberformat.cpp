#include "model/numberformat.h"

#include "model/numbertextscan.h"
#include "storage/error.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <system_error>

namespace tarvena::numfmt {

namespace {

using scan::intText;
using scan::isDigit;
using scan::skipDigits;
using scan::trimSpaces;

// A non-negative decimal number 0.d1d2d3... x 10^point. The digits carry no leading or trailing
// zeros; no digits at all is zero. A double has at most 17 significant digits and rounding can add
// one in front, so the digits live in the object: formatting a number allocates nothing for them.
struct Decimal
{
    static constexpr int kCapacity = 24;
    char digits[kCapacity];
    int count = 0;
    int point = 0;

    bool empty() const { return count == 0; }
    std::string_view view() const { return {digits, static_cast<std::size_t>(count)}; }
    std::string_view from(int place) const { return view().substr(static_cast<std::size_t>(place)); }
    void dropTrailingZeros()
    {
        while (count > 0 && digits[count - 1] == '0')
            --count;
    }
};

// The shortest decimal text that reads back as the same double: this is the value the user typed
// or the program computed, and rounding works on it rather than on the binary fraction, so that
// 1.0005 rounds up to 1.001 although the double lies a little below it.
Decimal shortestDecimal(double magnitude)
{
    Decimal d;
    if (magnitude == 0)
        return d;
    char buf[64];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific);
    const char *p = buf;
    for (; p != end && *p != 'e'; ++p) {
        if (*p != '.' && d.count < Decimal::kCapacity)
            d.digits[d.count++] = *p;
    }
    int exponent = 0;
    if (p != end) {
        ++p;
        if (*p == '+')
            ++p;
        std::from_chars(p, end, exponent);
    }
    d.point = exponent + 1;
    d.dropTrailingZeros();
    return d;
}

// The shortest decimal of magnitude when it has at most `places` decimals, found without the general
// search: the whole number nearest magnitude x 10^p (p <= places) then reads back as magnitude, and
// while that product stays below 2^52 the double's neighbours lie closer than 10^-p, so no other
// number with so few decimals reads back as it. Typed and imported figures nearly always take this
// way.
std::optional<Decimal> shortDecimal(double magnitude, int places)
{
    static constexpr double powersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                             1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    constexpr double limit = 0x1p52;
    int p = std::min(places, static_cast<int>(std::size(powersOfTen)) - 1);
    while (p >= 0 && !(magnitude * powersOfTen[p] < limit))
        --p;
    if (p < 0)
        return std::nullopt;
    const double whole = std::round(magnitude * powersOfTen[p]);
    if (whole / powersOfTen[p] != magnitude)
        return std::nullopt;
    Decimal d;
    if (whole == 0)
        return d;
    const auto [end, ec] =
        std::to_chars(d.digits, d.digits + Decimal::kCapacity, static_cast<std::uint64_t>(whole));
    d.count = static_cast<int>(end - d.digits);
    d.point = d.count - p;
    d.dropTrailingZeros();
    return d;
}

// Keeps the first `keep` digits, rounding half away from zero on the decimal digits.
void roundDigits(Decimal &d, int keep)
{
    if (keep >= d.count)
        return;
    if (keep < 0) {
        d = Decimal{};
        return;
    }
    const bool up = d.digits[keep] >= '5';
    d.count = keep;
    if (up) {
        int i = keep - 1;
        while (i >= 0 && d.digits[i] == '9')
            d.digits[i--] = '0';
        if (i >= 0) {
            ++d.digits[i];
        } else {
            // Every kept digit was a 9: the number becomes 1 at the next power of ten.
            d.digits[0] = '1';
            d.count = 1;
            ++d.point;
        }
    }
    d.dropTrailingZeros();
    if (d.empty())
        d.point = 0;
}

// The digit at the given place after the leading "0." of the decimal (0 is the first).
char digitAt(const Decimal &d, int place)
{
    return place >= 0 && place < d.count ? d.digits[place] : '0';
}

// Appends the integer part of d.
void appendIntegerDigits(std::string &out, const Decimal &d)
{
    const int digits = std::max(d.point, 0);
    const int stored = std::min(digits, d.count);
    out.append(d.digits, static_cast<std::size_t>(stored));
    out.append(static_cast<std::size_t>(digits - stored), '0');
}

// Room for a text on the stack when it fits, so that a formatted number costs only the string it
// returns.
class TextBuffer
{
public:
    explicit TextBuffer(std::size_t capacity)
    {
        if (capacity > sizeof mLocal) {
            mHeap.resize(capacity);
            mData = mHeap.data();
        }
    }
    TextBuffer(const TextBuffer &) = delete;
    TextBuffer &operator=(const TextBuffer &) = delete;
    char *data() { return mData; }

private:
    char mLocal[64];
    std::string mHeap;
    char *mData = mLocal;
};

std::string nonFiniteText(double value)
{
    if (std::isnan(value))
        return "NAN";
    return value < 0 ? "-INF" : "INF";
}

bool isPlaceholder(char c)
{
    return c == '0' || c == '#';
}

// Where a pattern puts its digits: the integer and decimal placeholders and how many must be written.
struct PatternLayout
{
    std::string_view integerPart;
    std::string_view decimalPart;
    int integerPlaces = 0;
    int integerRequired = 0; // from the first '0' to the decimal separator
    int decimalPlaces = 0;
    int decimalRequired = 0; // up to the last '0'
};

PatternLayout layoutOf(std::string_view pattern)
{
    PatternLayout l;
    const std::size_t dot = pattern.find('.');
    l.integerPart = pattern.substr(0, dot);
    if (dot != std::string_view::npos)
        l.decimalPart = pattern.substr(dot + 1);
    int firstZero = -1;
    for (char c : l.integerPart) {
        if (c == '0' && firstZero < 0)
            firstZero = l.integerPlaces;
        l.integerPlaces += isPlaceholder(c);
    }
    l.integerRequired = firstZero < 0 ? 0 : l.integerPlaces - firstZero;
    for (char c : l.decimalPart) {
        if (isPlaceholder(c)) {
            ++l.decimalPlaces;
            if (c == '0')
                l.decimalRequired = l.decimalPlaces;
        }
    }
    return l;
}

} // namespace

std::string formatFloat(std::string_view pattern, double value)
{
    if (pattern.empty())
        return floatToText(value);
    if (!std::isfinite(value))
        return nonFiniteText(value);

    const PatternLayout l = layoutOf(pattern);
    const double magnitude = std::fabs(value);
    Decimal d;
    if (const std::optional<Decimal> exact = shortDecimal(magnitude, l.decimalPlaces)) {
        d = *exact;
    } else {
        d = shortestDecimal(magnitude);
        roundDigits(d, d.point + l.decimalPlaces);
    }

    // The integer digits, with leading zeros up to the pattern's required ones.
    const int significant = std::max(d.point, 0);
    const int intLength = std::max(significant, l.integerRequired);
    const int padding = intLength - significant;
    const auto intDigit = [&](int k) { return k < padding ? '0' : digitAt(d, k - padding); };
    int written = l.decimalPlaces;
    while (written > l.decimalRequired && digitAt(d, d.point + written - 1) == '0')
        --written;

    // The pattern's characters, the sign and the integer digits are all the text can hold.
    TextBuffer buffer(1 + pattern.size() + static_cast<std::size_t>(intLength));
    char *out = buffer.data();
    // A value that rounds to zero is written without a sign.
    if (value < 0 && !d.empty())
        *out++ = '-';
    // Integer digits fill the placeholders from the right; those left over all go at the first one.
    const int extra = intLength - l.integerPlaces;
    int place = 0;
    for (char c : l.integerPart) {
        if (!isPlaceholder(c)) {
            *out++ = c;
            continue;
        }
        const int digit = place + extra;
        if (place == 0 && extra > 0) {
            for (int k = 0; k <= extra; ++k)
                *out++ = intDigit(k);
        } else if (digit >= 0) {
            *out++ = intDigit(digit);
        }
        ++place;
    }
    if (l.integerPlaces == 0) {
        for (int k = 0; k < intLength; ++k)
            *out++ = intDigit(k);
    }
    if (written > 0)
        *out++ = '.';
    place = 0;
    for (char c : l.decimalPart) {
        if (!isPlaceholder(c)) {
            *out++ = c;
            continue;
        }
        if (place < written)
            *out++ = digitAt(d, d.point + place);
        ++place;
    }
    return std::string(buffer.data(), out);
}

std::string floatToText(double value)
{
    if (!std::isfinite(value))
        return nonFiniteText(value);
    constexpr int kPrecision = 15;
    Decimal d = shortestDecimal(std::fabs(value));
    roundDigits(d, kPrecision);
    if (d.empty())
        return "0";

    std::string out = value < 0 ? "-" : "";
    // Fixed form from 0.0001 up to 15 integer digits, else "d.dddE±x".
    if (d.point > kPrecision || d.point < -3) {
        out += d.digits[0];
        if (d.count > 1)
            out.append(".").append(d.from(1));
        return out + 'E' + intText(d.point - 1);
    }
    if (d.point <= 0) {
        out += "0.";
        out.append(-d.point, '0');
        return out.append(d.view());
    }
    appendIntegerDigits(out, d);
    if (d.count > d.point)
        out.append(".").append(d.from(d.point));
    return out;
}

std::optional<double> parseFloat(std::string_view text)
{
    text = trimSpaces(text);
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    const std::size_t start = i;
    // The value is 0.d... x 10^order; kept to tell an overflow from an underflow below.
    long long order = 0;
    bool significant = false;
    bool anyDigit = false;
    bool afterPoint = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '.' && !afterPoint) {
            afterPoint = true;
            continue;
        }
        if (!isDigit(c))
            break;
        anyDigit = true;
        if (significant) {
            order += !afterPoint;
        } else if (c != '0') {
            significant = true;
            order += !afterPoint;
        } else {
            order -= afterPoint;
        }
    }
    if (!anyDigit)
        return std::nullopt;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        const bool negativeExponent = i < text.size() && text[i] == '-';
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            ++i;
        const std::size_t j = skipDigits(text, i);
        if (j == i)
            return std::nullopt;
        long long exponent = 0;
        for (; i < j; ++i)
            exponent = std::min<long long>(exponent * 10 + (text[i] - '0'), 1'000'000);
        order += negativeExponent ? -exponent : exponent;
    }
    if (i != text.size())
        return std::nullopt;

    double value = 0;
    auto [end, ec] = std::from_chars(text.data() + start, text.data() + text.size(), value);
    if (ec == std::errc::result_out_of_range) {
        // Too small for a double reads as zero; too large does not convert.
        if (order > 0)
            return std::nullopt;
        value = 0;
    } else if (ec != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

std::optional<long long> parseInteger(std::string_view text)
{
    text = trimSpaces(text);
    const bool plus = !text.empty() && text.front() == '+';
    if (plus)
        text.remove_prefix(1);
    const std::size_t digitsFrom = !plus && !text.empty() && text.front() == '-' ? 1 : 0;
    if (skipDigits(text, digitsFrom) != text.size() || text.size() == digitsFrom)
        return std::nullopt;
    long long value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

} // namespace tarvena::numfmt
