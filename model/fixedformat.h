#pragma once
// Fixed-point number texts written straight into a caller's buffer: the contour sheet of an unpacking
// writes a hundred thousand coordinates, and builds no string for any of them.
#include <cstddef>

namespace tarvena::numfmt {

// A pattern of plain digit placeholders around one decimal separator, as formatFloat reads it:
// "#########0.#########" is {1, 9, 0}, "#00.000000" {2, 6, 6}, "00.000" {2, 3, 3}.
struct FixedPattern
{
    int integerRequired; // integer digits always written
    int decimalPlaces;   // decimals at most
    int decimalRequired; // decimals always written
};

// Room that formatFixed may fill.
constexpr std::size_t kFixedRoom = 48;

// Writes formatFloat's text of value into out (kFixedRoom characters) and returns its end, for the
// values that need no rounding: those whose shortest decimal has at most decimalPlaces decimals and
// under 2^52 as a whole number of its last decimal, which is nearly every typed or imported figure.
// Returns nullptr for any other value (the caller takes formatFloat then).
char *formatFixed(char *out, double value, FixedPattern pattern);

} // namespace tarvena::numfmt
