#pragma once
// Contour coordinates as text. The coordinate system of a contour (TCoords.ID) decides the text:
// 1 degrees, minutes and seconds; 2 decimal degrees; 0, 3 and 4 plain numbers (metres in the
// projections). Texts are code page 1251 (the degree sign is the byte 0xB0).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tarvena {

enum CoordinateSystem : int
{
    CoordNone = 0,
    CoordDegMinSec = 1,
    CoordDecimalDegrees = 2,
    CoordMercator = 3,
    CoordGaussKruger = 4
};

struct DegMinSec
{
    std::int64_t degrees = 0;
    std::int64_t minutes = 0;
    double seconds = 0;
};

// Whole degrees and minutes truncated toward zero and the remaining seconds; for a negative value every
// part carries the sign. Values too large for whole degrees give zero parts.
DegMinSec SplitDegrees(double value);

// The text of a coordinate in a system; empty for an unknown system, and in degrees, minutes and
// seconds for a value that is not finite or has too many whole degrees to split.
std::string FormatCoordinate(int system, double value);

// Reads degrees, minutes and seconds: the leading digits are the degrees, one separator of any kind but
// a control character, digits for the minutes, one separator, then the seconds as a decimal number.
// Throws Error with the format message when the text does not follow that form.
double ParseDegMinSec(std::string_view text);

// The text an editor shows for a coordinate field (null when value is empty).
std::string coordinateText(int system, std::optional<double> value);

// coordinateText written into a buffer held by the caller and reused from one coordinate to the next,
// so that a sheet of a hundred thousand points builds no string for them. The text stays valid until
// the next call.
class CoordinateText
{
public:
    std::string_view of(int system, std::optional<double> value);

private:
    std::string_view fixed(double value, int integerRequired, int decimalPlaces, int decimalRequired,
                           int system);

    char mBuffer[128];
    std::string mLong; // a text the fixed-point route does not take
};

// The value a committed editor text gives: nullopt empties the field. Spaces are ignored. Throws Error
// when the text is not a coordinate of the system.
std::optional<double> coordinateFromText(int system, std::string_view text);

// A code page 1251 text as UTF-8 for a message: control characters (a NUL, a line feed) shown by their
// pictures, and a text longer than limit characters cut there and ended with "...".
std::string visibleText(std::string_view text, std::size_t limit);
// «"word" не является числом», the word as visibleText shows it.
std::string notANumberText(std::string_view word);

} // namespace tarvena
