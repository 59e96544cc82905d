#pragma once
// How many lines a wrapped cell text takes in its column, so that a workbook can carry row heights
// that show the whole text: readers keep the stored height and do not fit rows when they open a file.
#include <string_view>

namespace tarvena::xls {

// The width in pixels (at 96 dots per inch) of a column of width units, 1/256 of a character of the
// default font; the default column of 8.43 characters is 64 pixels.
int columnPixels(int units);
inline constexpr int DefaultColumnPixels = 64;
inline constexpr int CellPadding = 5; // pixels of a cell's own margins

// The lines of a code page 1251 text in the 10-point default font, broken at its line breaks and
// wrapped at blanks (a word longer than the line is cut between letters) to a column of
// columnPixels. The font's widths are taken on the wide side, so that readers with a wider substitute
// font still show every line.
int wrappedLineCount(std::string_view text, int columnPixels, bool bold);

} // namespace tarvena::xls
