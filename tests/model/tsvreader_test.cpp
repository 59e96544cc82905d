#include "model/tsvreader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarvena {
namespace {

using Cells = std::vector<std::string>;

// Line numbers must stay those an editor shows, whatever line ends and marks the file carries.
TEST(TsvReader, SplitsLinesAndCells)
{
    struct Case
    {
        const char *what;
        std::string text;
        std::vector<Cells> lines;
    };
    const Case cases[] = {
        {"empty text", "", {}},
        {"byte order mark alone", "\xEF\xBB\xBF", {}},
        {"byte order mark and CR-LF",
         "\xEF\xBB\xBF"
         "A\tB\r\n1\t2\r\n",
         {{"A", "B"}, {"1", "2"}}},
        {"no final line end", "A\nb", {{"A"}, {"b"}}},
        {"blank lines keep their numbers", "\n\nA\n\n", {{""}, {""}, {"A"}, {""}}},
        {"empty cells at both ends", "\tx\t\t", {{"", "x", "", ""}}},
        {"only the CR before the line end goes", "a\rb\r\r\n", {{"a\rb\r"}}},
        {"a mark after the start is text",
         "A\n\xEF\xBB\xBF"
         "B",
         {{"A"},
          {"\xEF\xBB\xBF"
           "B"}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const std::vector<TsvLine> lines = splitTsv(c.text, "f.tsv");
        ASSERT_EQ(lines.size(), c.lines.size());
        for (std::size_t i = 0; i < lines.size(); ++i) {
            EXPECT_EQ(lines[i].cells, c.lines[i]);
            EXPECT_EQ(lines[i].place.line, static_cast<int>(i) + 1);
            EXPECT_EQ(lines[i].place.file, "f.tsv");
            EXPECT_EQ(lines[i].blank(), c.lines[i] == Cells{""});
        }
    }
}

TEST(TsvReader, NamesPlacesAndHeaders)
{
    EXPECT_EQ((TsvPlace{"a.tsv", 3}.text()), "\"a.tsv\", строка 3");
    EXPECT_EQ((TsvPlace{"a.tsv"}.text()), "\"a.tsv\"");
    EXPECT_EQ(tsvHeaderText({"X", "Y"}), "X Y (через табуляцию)");
}

} // namespace
} // namespace tarvena
