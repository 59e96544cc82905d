#include "model/coordinates.h"

#include "model/fixedformat.h"
#include "model/numberformat.h"
#include "storage/codepage.h"
#include "storage/error.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace tarvena {
namespace {

constexpr char DegreeSign = '\xB0';         // code page 1251
constexpr double kMaxWholeDegrees = 9.0e18; // whole degrees beyond this do not fit a 64-bit integer

const char *const DegMinSecFormatError =
    "Ошибка, неправильный формат числа. Формат:ЦЕЛОЕ_ЧИСЛО_ГРАДУСОВ разделитель ЦЕЛОЕ_ЧИСЛО_МИНУТ "
    "разделитель ЧИСЛО_СЕКУНД";

// Takes the leading decimal digits of text as a 32-bit integer and drops them with the one character
// after them.
// Characters of a word quoted in a message.
constexpr std::size_t kWordShown = 40;

// C0 controls and DEL: never part of a number.
bool isControl(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F;
}

std::int32_t takeInteger(std::string_view &text)
{
    std::size_t length = 0;
    std::int64_t value = 0;
    while (length < text.size() && text[length] >= '0' && text[length] <= '9') {
        value = value * 10 + (text[length] - '0');
        if (value > std::numeric_limits<std::int32_t>::max())
            throw Error(DegMinSecFormatError);
        ++length;
    }
    if (length == 0)
        throw Error(DegMinSecFormatError);
    text.remove_prefix(std::min(length + 1, text.size()));
    return static_cast<std::int32_t>(value);
}

std::string withoutSpaces(std::string_view text)
{
    std::string result;
    result.reserve(text.size());
    for (char c : text) {
        if (c != ' ')
            result += c;
    }
    return result;
}

void appendInteger(std::string &text, std::int64_t value)
{
    char digits[24];
    const auto [end, ec] = std::to_chars(digits, digits + sizeof digits, value);
    text.append(digits, end);
}

} // namespace

DegMinSec SplitDegrees(double value)
{
    DegMinSec parts;
    // Whole degrees must fit the integer type; anything beyond (or not a number) has no parts.
    if (!(std::fabs(value) < kMaxWholeDegrees))
        return parts;
    parts.degrees = static_cast<std::int64_t>(value);
    const double t = (value - static_cast<double>(parts.degrees)) * 60;
    parts.minutes = static_cast<std::int64_t>(t);
    parts.seconds = (t - static_cast<double>(parts.minutes)) * 60;
    return parts;
}

std::string FormatCoordinate(int system, double value)
{
    switch (system) {
    case CoordNone:
    case CoordMercator:
    case CoordGaussKruger:
        return numfmt::formatFloat("#########0.#########", value);
    case CoordDegMinSec: {
        // Zero parts would read as a real point at zero: a value with no whole degrees shows nothing.
        if (!(std::fabs(value) < kMaxWholeDegrees))
            return {};
        const DegMinSec parts = SplitDegrees(value);
        std::string text;
        appendInteger(text, parts.degrees);
        text += DegreeSign;
        appendInteger(text, parts.minutes);
        text += '"';
        return text.append(numfmt::formatFloat("00.000", parts.seconds));
    }
    case CoordDecimalDegrees:
        return numfmt::formatFloat("#00.000000", value);
    default:
        return {};
    }
}

double ParseDegMinSec(std::string_view text)
{
    // A control character is no separator: a damaged text is not read as a coordinate.
    for (const char c : text)
        if (isControl(c))
            throw Error(DegMinSecFormatError);
    const std::int32_t degrees = takeInteger(text);
    const std::int32_t minutes = takeInteger(text);
    if (text.empty())
        throw Error(DegMinSecFormatError);
    const std::optional<double> seconds = numfmt::parseFloat(text);
    if (!seconds)
        throw Error(DegMinSecFormatError);
    return degrees + minutes / 60.0 + *seconds / 60 / 60;
}

std::string coordinateText(int system, std::optional<double> value)
{
    if (!value)
        return system == CoordDegMinSec ? std::string("0") + DegreeSign + "0\"0" : std::string();
    return FormatCoordinate(system, *value);
}

std::string_view CoordinateText::fixed(double value, int integerRequired, int decimalPlaces,
                                       int decimalRequired, int system)
{
    if (const char *end =
            numfmt::formatFixed(mBuffer, value, {integerRequired, decimalPlaces, decimalRequired}))
        return {mBuffer, static_cast<std::size_t>(end - mBuffer)};
    mLong = FormatCoordinate(system, value);
    return mLong;
}

std::string_view CoordinateText::of(int system, std::optional<double> value)
{
    if (!value || system != CoordDegMinSec) {
        if (!value)
            return system == CoordDegMinSec ? std::string_view("0\xB0"
                                                               "0\"0")
                                            : std::string_view();
        switch (system) {
        case CoordNone:
        case CoordMercator:
        case CoordGaussKruger:
            return fixed(*value, 1, 9, 0, system); // "#########0.#########"
        case CoordDecimalDegrees:
            return fixed(*value, 2, 6, 6, system); // "#00.000000"
        default:
            return {};
        }
    }
    if (!(std::fabs(*value) < kMaxWholeDegrees))
        return {};
    const DegMinSec parts = SplitDegrees(*value);
    char *out = mBuffer;
    out = std::to_chars(out, mBuffer + 24, parts.degrees).ptr;
    *out++ = DegreeSign;
    out = std::to_chars(out, out + 24, parts.minutes).ptr;
    *out++ = '"';
    if (const char *end = numfmt::formatFixed(out, parts.seconds, {2, 3, 3})) // "00.000"
        return {mBuffer, static_cast<std::size_t>(end - mBuffer)};
    mLong = FormatCoordinate(system, *value);
    return mLong;
}

std::optional<double> coordinateFromText(int system, std::string_view text)
{
    const std::string compact = withoutSpaces(text);
    if (compact.empty())
        return std::nullopt;
    if (system == CoordDegMinSec) {
        const double value = ParseDegMinSec(compact);
        if (value == 0)
            return std::nullopt;
        return value;
    }
    const std::optional<double> value = numfmt::parseFloat(compact);
    if (!value)
        throw Error(notANumberText(compact));
    return value;
}

std::string visibleText(std::string_view text, std::size_t limit)
{
    std::string shown;
    const std::string_view kept = text.substr(0, limit);
    std::size_t run = 0; // start of the characters not yet converted
    for (std::size_t i = 0; i <= kept.size(); ++i) {
        if (i < kept.size() && !isControl(kept[i]))
            continue;
        shown += codepage::cp1251ToUtf8(kept.substr(run, i - run));
        run = i + 1;
        if (i == kept.size())
            break;
        const char c = kept[i];
        // The Unicode pictures of the controls: U+2400 to U+241F, and U+2421 for DEL.
        const auto byte = static_cast<unsigned char>(c);
        const unsigned picture = byte == 0x7F ? 0x21 : byte;
        shown += '\xE2';
        shown += static_cast<char>(0x90 | (picture >> 6));
        shown += static_cast<char>(0x80 | (picture & 0x3F));
    }
    if (text.size() > limit)
        shown += "...";
    return shown;
}

std::string notANumberText(std::string_view word)
{
    return "\"" + visibleText(word, kWordShown) + "\" не является числом";
}

} // namespace tarvena
