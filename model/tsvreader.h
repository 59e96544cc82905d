#pragma once
// The readable sources of the dictionaries and of the sample passport are UTF-8 tab-separated texts.
// This reader splits such a text into numbered lines of cells; what a line must hold is the caller's.
#include <string>
#include <string_view>
#include <vector>

namespace tarvena {

// A source file (UTF-8 name) and a line of it; 0 when a fault concerns the whole file.
struct TsvPlace
{
    std::string file;
    int line = 0;

    // The place as messages name it: "\"file\", строка N", or "\"file\"" for the whole file.
    std::string text() const;
};

// One line of a source: where it stands and its cells, UTF-8 as written.
struct TsvLine
{
    TsvPlace place;
    std::vector<std::string> cells; // a blank line has one empty cell

    bool blank() const { return cells.size() == 1 && cells.front().empty(); }
};

// Splits the text of file into lines, numbered from 1, blank ones included, and each line at every
// tab (n tabs give n + 1 cells). A leading byte order mark and the CR of CR-LF line ends are dropped,
// as editors on any system may leave them; a line end at the very end starts no further line.
std::vector<TsvLine> splitTsv(std::string_view text, const std::string &file);

// Header cells as messages name them: "ID NAME (через табуляцию)".
std::string tsvHeaderText(const std::vector<std::string> &cells);

} // namespace tarvena
