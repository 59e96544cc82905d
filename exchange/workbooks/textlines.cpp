#include "exchange/workbooks/textlines.h"

#include <algorithm>
#include <array>

namespace tarvena::xls {

namespace {

constexpr double PixelsPerEm = 10 * 96 / 72.0; // 10 points at 96 dots per inch
constexpr double RegularMargin = 1.12;         // wider substitutes of the default font
constexpr double BoldMargin = 1.22;

// Advance widths of the default font in 1/1000 em, by code page 1251 byte.
const std::array<unsigned short, 256> &advances()
{
    static const std::array<unsigned short, 256> table = [] {
        std::array<unsigned short, 256> w{};
        w.fill(600);
        const unsigned short ascii[95] = {
            278, 278, 355, 556, 556, 889, 667,  191, 333, 333, 389, 584, 278, 333, 278, 278, // space to /
            556, 556, 556, 556, 556, 556, 556,  556, 556, 556,                               // digits
            278, 278, 584, 584, 584, 556, 1015,                                              // : to @
            667, 667, 722, 722, 667, 611, 778,  722, 278, 500, 667, 556, 833,                // A to M
            722, 778, 667, 778, 722, 667, 611,  722, 667, 944, 667, 667, 611,                // N to Z
            278, 278, 278, 469, 556, 333,                                                    // [ to `
            556, 556, 500, 556, 556, 278, 556,  556, 222, 222, 500, 222, 833,                // a to m
            556, 556, 556, 556, 333, 500, 278,  556, 500, 722, 500, 500, 500,                // n to z
            334, 260, 334, 584};
        for (int c = 0; c < 95; ++c)
            w[32 + c] = ascii[c];
        const unsigned short upper[32] = {667, 656, 667, 542, 677, 667, 923, 604, 719,  719, 583,
                                          656, 833, 722, 778, 719, 667, 722, 611, 635,  760, 667,
                                          740, 667, 917, 938, 792, 885, 656, 719, 1010, 722};
        const unsigned short lower[32] = {556, 573, 531, 365, 583, 556, 669, 458, 559, 559, 438,
                                          583, 688, 552, 556, 542, 556, 500, 458, 500, 823, 500,
                                          573, 521, 802, 823, 625, 719, 521, 510, 750, 542};
        for (int c = 0; c < 32; ++c) {
            w[0xC0 + c] = upper[c];
            w[0xE0 + c] = lower[c];
        }
        w[0xA8] = 667;  // Ё
        w[0xB8] = 556;  // ё
        w[0xB9] = 1073; // №
        w[0xB0] = 400;  // degree sign
        return w;
    }();
    return table;
}

double widthOf(std::string_view text, double scale)
{
    double units = 0;
    for (unsigned char c : text)
        units += advances()[c];
    return units * scale;
}

// Lines of one paragraph (no line breaks inside), filled word by word; blanks at a line's end take no
// room, as readers let them hang.
int paragraphLines(std::string_view text, double room, double scale)
{
    const double space = advances()[' '] * scale;
    int lines = 1;
    double used = 0; // 0 on a fresh line
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t end = std::min(text.find(' ', start), text.size());
        const std::string_view word = text.substr(start, end - start);
        start = end + 1;
        if (word.empty())
            continue;
        const double width = widthOf(word, scale);
        if (used > 0 && used + space + width > room) {
            ++lines;
            used = 0;
        } else if (used > 0) {
            used += space;
        }
        if (used + width <= room) {
            used += width;
            continue;
        }
        // A word wider than the line goes on over as many lines as it fills.
        for (unsigned char c : word) {
            const double advance = advances()[c] * scale;
            if (used > 0 && used + advance > room) {
                ++lines;
                used = 0;
            }
            used += advance;
        }
    }
    return lines;
}

} // namespace

int columnPixels(int units)
{
    // Seven pixels a character of the default font, and the cell's padding.
    return units * 7 / 256 + CellPadding;
}

int wrappedLineCount(std::string_view text, int columnPixels, bool bold)
{
    const double scale = PixelsPerEm / 1000 * (bold ? BoldMargin : RegularMargin);
    const double room = std::max(columnPixels - CellPadding, 1);
    int lines = 0;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find('\n', start);
        lines += paragraphLines(text.substr(start, end == std::string_view::npos ? end : end - start), room,
                                scale);
        if (end == std::string_view::npos)
            return lines;
        start = end + 1;
    }
}

} // namespace tarvena::xls
