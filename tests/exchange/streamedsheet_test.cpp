// The one-pass sheet writer against the document path of engine 2: the same entries give the same
// Workbook stream byte for byte, and the same entries are refused.
#include "exchange/workbooks/spreadsheetdocument.h"
#include "exchange/workbooks/streamedsheet.h"
#include "exchange/workbooks/xlsworkbook.h"
#include "storage/codepage.h"
#include "storage/error.h"
#include "tests/support/errortext.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace tarvena {
namespace {

struct Entry
{
    int row;
    int column;
    std::string text; // code page 1251
    bool bold;
};

std::string cp(const char *utf8)
{
    return codepage::utf8ToCp1251(utf8);
}

std::vector<std::uint8_t> streamed(const std::vector<Entry> &entries)
{
    xls::StreamedSheet sheet(entries.size());
    for (const Entry &e : entries)
        sheet.quotedText(e.row, e.column, e.text, e.bold);
    return sheet.stream();
}

// What the sheet writer makes of the entries: a quoted text, then bold when asked for.
std::vector<std::uint8_t> throughDocument(const std::vector<Entry> &entries)
{
    SpreadsheetDocument doc;
    for (const Entry &e : entries) {
        if (e.text.empty())
            continue;
        doc.setText(0, e.row, e.column, e.text, true);
        if (e.bold)
            doc.setBold(0, e.row, e.column);
    }
    return xls::workbookStream(doc);
}

// Rows from first on, each with the texts that make(row) gives for columns 1, 2, ...
std::vector<Entry> rows(int first, int count, const std::function<std::vector<std::string>(int)> &make)
{
    std::vector<Entry> entries;
    for (int row = first; row < first + count; ++row) {
        const std::vector<std::string> texts = make(row);
        for (std::size_t c = 0; c < texts.size(); ++c)
            entries.push_back({row, int(c) + 1, texts[c], row % 7 == 0});
    }
    return entries;
}

TEST(StreamedSheet, GivesTheDocumentsBytes)
{
    const std::string longText(40, 'x');
    const struct
    {
        const char *what;
        std::vector<Entry> entries;
    } cases[] = {
        {"no cells", {}},
        {"empty texts only", {{1, 1, "", true}, {3, 2, "", false}}},
        {"a title, gaps, repeated texts",
         {{1, 1, cp("Таблица 11. \"Контуры ловушек\""), true},
          {3, 2, "55.000000", false},
          {4, 1, "55.000000", false},
          {4, 3, cp("Широта"), true},
          {9, 4, "", false},
          {40, 2, longText + longText, false}}},
        {"line breaks: wrapped rows get their heights, CR becomes LF",
         {{1, 1, cp("строка1\r\nстрока2\rстрока3"), true},
          {1, 2, "plain", false},
          {2, 1, "a\nb", false},
          {33, 3, cp("первая\nвторая\nтретья\nчетвёртая"), false},
          {34, 1, "after", false},
          {35, 2, "\r", false},
          {64, 1, std::string(200, 'w') + "\n" + std::string(100, 'y'), true}}},
        {"over 65,536 rows: the sheet goes on in further sheets",
         rows(
             1, 140000,
             [](int row) {
                 return std::vector<std::string>{std::to_string(row % 5000) + ".25", std::to_string(row / 3)};
             })},
        {"a part starting with a gap",
         rows(65530, 4,
              [](int row) {
                  return std::vector<std::string>{"", row % 2 ? "odd" : "", "x\ny"};
              })},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(streamed(c.entries), throughDocument(c.entries));
    }
}

TEST(StreamedSheet, RefusesWhatTheDocumentRefuses)
{
    const struct
    {
        const char *what;
        Entry entry;
    } cases[] = {
        {"row 0", {0, 1, "x", false}},
        {"past the last row", {SpreadsheetDocument::MaxRows + 1, 1, "x", false}},
        {"past the last column", {1, SpreadsheetDocument::MaxColumns + 1, "x", false}},
        {"too long a text", {1, 1, std::string(SpreadsheetDocument::MaxTextLength + 1, 'x'), false}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        SpreadsheetDocument doc;
        const std::string expected =
            testing::errorOf([&] { doc.setText(0, c.entry.row, c.entry.column, c.entry.text, true); });
        xls::StreamedSheet sheet;
        EXPECT_EQ(
            testing::errorOf([&] { sheet.quotedText(c.entry.row, c.entry.column, c.entry.text, false); }),
            expected);
        EXPECT_NE(expected, "no error");
    }
}

TEST(StreamedSheet, CellsComeInRowAndColumnOrder)
{
    xls::StreamedSheet sheet;
    sheet.quotedText(2, 2, "b", false);
    EXPECT_THROW(sheet.quotedText(2, 2, "again", false), Error);
    EXPECT_THROW(sheet.quotedText(2, 1, "a", false), Error);
    EXPECT_THROW(sheet.quotedText(1, 5, "above", false), Error);
    sheet.quotedText(2, 3, "c", false);
    EXPECT_EQ(sheet.stream(), throughDocument({{2, 2, "b", false}, {2, 3, "c", false}}));
}

} // namespace
} // namespace tarvena
