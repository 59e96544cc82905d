#pragma once
// Numbers and dates as text under the program's fixed regional settings: "." decimal separator,
// dates "dd.mm.yyyy", times "hh:nn:ss", whatever the machine's locale.
#include <optional>
#include <string>
#include <string_view>

namespace tarvena::numfmt {

// Formats value with a pattern such as "#########0.###", "# ### ###", "00.000": "0" a digit always
// written, "#" a digit written only when significant, "." the decimal separator, any other character
// copied; integer digits beyond the pattern's positions all go at its first digit position. Rounds
// half away from zero on the decimal value at the last written decimal.
std::string formatFloat(std::string_view pattern, double value);
// The general float text: up to 15 significant digits, no trailing zeros, "." separator, an
// exponent form ("1E20", "1.5E-10") where the fixed form would be too long. "NAN", "INF", "-INF".
std::string floatToText(double value);
// Parses a float typed by a user: optional sign, digits, "." and an optional exponent; spaces around
// are allowed. A comma is not a decimal separator. Returns nullopt when the text does not convert.
std::optional<double> parseFloat(std::string_view text);
// Parses a whole number in decimal (optional sign, spaces around). Nullopt on failure or overflow.
std::optional<long long> parseInteger(std::string_view text);

// Date-time values count days since 30.12.1899 (fraction = time of day). A value outside the
// years 1 to 9999 is written as its float text.
std::string dateTimeToText(double value); // "dd.mm.yyyy" plus " hh:nn:ss" when the time is not 0
std::string dateToText(double value);     // "dd.mm.yyyy"
// Reads "d.m.yyyy", "h:n[:s]" or both separated by spaces; the year has four digits.
std::optional<double> parseDateTime(std::string_view text);
// Throws Error for a date that does not exist or lies outside the years 1 to 9999.
double encodeDate(int year, int month, int day);

} // namespace tarvena::numfmt
