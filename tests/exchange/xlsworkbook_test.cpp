// Engine 2's workbooks, read back by xlrd: texts, formats, widths, long texts, the row limit.
#include "exchange/workbooks/topofcalc.h"
#include "exchange/workbooks/xlssharedstrings.h"
#include "exchange/workbooks/xlsworkbook.h"
#include "storage/codepage.h"
#include "storage/error.h"
#include "tests/exchange/readback.h"
#include "tests/support/samplepassport.h"

#include <gtest/gtest.h>

namespace tarvena {
namespace {

using testing::cp;
using testing::ReadSheet;
using testing::ReadWorkbook;
using testing::TempFolder;

// Writes through engine 2, saves and reads back; checks what every workbook must satisfy.
class ExcelWorkbook
{
public:
    ExcelWorkbook() : calc(TopofCalc::Excel, false) {}
    ReadWorkbook saveAndRead(const std::string &name = "book.xls")
    {
        const std::string file = folder.file(name);
        EXPECT_TRUE(calc.SaveDocument(file));
        ReadWorkbook book = testing::readWorkbook(file);
        EXPECT_EQ(book.problems, std::vector<std::string>{});
        EXPECT_EQ(book.warnings, std::vector<std::string>{});
        EXPECT_LE(book.maxRecord, 8224);
        return book;
    }

    TempFolder folder;
    TopofCalc calc;
};

TEST(XlsWorkbook, TextsArriveAsTypedAfterTheApostrophe)
{
    struct Case
    {
        const char *typed; // UTF-8; converted to code page 1251 as the model holds texts
        const char *stored;
        bool prefix;
        bool wrap;
    };
    const Case cases[] = {
        {"'Привет, мир", "Привет, мир", true, false},
        {"'=1+1", "=1+1", true, false},
        {"'0012", "0012", true, false},
        {"'01.02.2024", "01.02.2024", true, false},
        {"''с апострофом", "'с апострофом", true, false},
        {"'  пробелы  вокруг  ", "  пробелы  вокруг  ", true, false},
        {"'«ёЁ» № 5 °C ± µ", "«ёЁ» № 5 °C ± µ", true, false}, // 1251 letters below and above U+0100
        {"'Latin only", "Latin only", true, false},
        {"без апострофа", "без апострофа", false, false},
        {"'строка1\r\nстрока2\rстрока3\nстрока4", "строка1\nстрока2\nстрока3\nстрока4", true, true},
    };
    ExcelWorkbook w;
    int row = 1;
    for (const Case &c : cases)
        w.calc.SetCellText(row++, 2, cp(c.typed));
    const ReadSheet sheet = w.saveAndRead().sheets.at(0);
    EXPECT_EQ(sheet.name, "Лист1");
    row = 1;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.typed);
        const testing::ReadCell *cell = sheet.cell(row++, 2);
        ASSERT_NE(cell, nullptr);
        EXPECT_EQ(cell->text, c.stored);
        EXPECT_EQ(cell->prefix, c.prefix);
        EXPECT_EQ(cell->wrap, c.wrap);
        EXPECT_FALSE(cell->bold);
    }
    // A cell of four lines makes its row four lines high.
    EXPECT_EQ(sheet.heights.at(static_cast<int>(std::size(cases)) - 1), 4 * 255);
}

// Texts are not looked up as they are written: the shared string table finds equal ones when the
// workbook is saved. Each text is there once, in the order of its first use by a cell of the saved
// sheets (rows, then columns, sheet after sheet); texts that no cell keeps are left out.
TEST(XlsWorkbook, SharedStringsHoldEachTextOnceInOrderOfFirstUse)
{
    SpreadsheetDocument doc;
    doc.ensureSheets(2);
    doc.setFormula(0, 2, 1, "b");
    doc.setFormula(0, 1, 2, "a");
    doc.setFormula(0, 1, 1, "gone");
    doc.setFormula(0, 1, 1, "b"); // replaces "gone", which no cell keeps
    doc.setFormula(0, 3, 1, "'a");
    doc.setFormula(1, 1, 1, "c");
    doc.setFormula(1, 2, 1, "a");
    // More distinct texts than the document looks up as they are written, every one twice.
    constexpr int Distinct = 70000;
    for (int row = 1; row <= 2 * Distinct; ++row)
        doc.setFormula(1, row + 2, 2, std::to_string(row % Distinct));

    const xls::SharedStrings sst = xls::sharedStrings(doc, doc.parts());
    std::vector<std::string> order;
    for (const std::uint32_t text : sst.order)
        order.emplace_back(doc.text(text));
    std::vector<std::string> expected = {"b", "a", "c", "1"};
    for (int n = 2; n < Distinct; ++n)
        expected.push_back(std::to_string(n));
    expected.push_back("0");
    EXPECT_EQ(order, expected);
    EXPECT_EQ(sst.references, 6u + 2 * Distinct);
    for (int sheet = 0; sheet < 2; ++sheet)
        for (const SheetCell &cell : doc.cells(sheet))
            EXPECT_EQ(doc.text(sst.order.at(sst.indexOf.at(cell.text))), doc.text(cell.text));
}

TEST(XlsWorkbook, BoldCellsAndTheirOrderOfWrites)
{
    ExcelWorkbook w;
    w.calc.SetCellText(1, 1, cp("'жирный"));
    w.calc.SetCellBold(1, 1);
    w.calc.SetCellBold(2, 3); // before its text: the format stays when the text comes
    w.calc.SetCellText(3, 1, cp("'обычный"));
    w.calc.SetCellText(2, 3, cp("'позже"));
    w.calc.SetCellText(2, 3, cp("'заменён"));
    w.calc.SetCellBold(4, 2); // bold alone leaves a formatted empty cell
    w.calc.SetCellText(5, 1, cp("'стёрт"));
    w.calc.SetCellText(5, 1, "");
    w.calc.SetCellText(5, 2, "'");
    const ReadSheet sheet = w.saveAndRead().sheets.at(0);

    ASSERT_NE(sheet.cell(1, 1), nullptr);
    EXPECT_TRUE(sheet.cell(1, 1)->bold);
    EXPECT_FALSE(sheet.cell(3, 1)->bold);
    EXPECT_EQ(sheet.cell(2, 3)->text, "заменён");
    EXPECT_TRUE(sheet.cell(2, 3)->bold);
    ASSERT_NE(sheet.cell(4, 2), nullptr);
    EXPECT_TRUE(sheet.cell(4, 2)->blank);
    EXPECT_TRUE(sheet.cell(4, 2)->bold);
    EXPECT_EQ(sheet.cell(5, 1), nullptr);
    EXPECT_EQ(sheet.cell(5, 2), nullptr);
}

// A wrapped title is as high as its lines after wrapping at the column's width, not only as its line
// breaks: a word wider than the default column goes on over more lines, which readers show only in
// the stored height.
TEST(XlsWorkbook, WrappedRowsAreHighEnoughForTheirWrappedLines)
{
    const std::string title = cp("'Площадь\nнефтеносности\n(км2)");
    ExcelWorkbook w;
    w.calc.SetCellText(1, 1, title); // the default width, 8.43 characters
    w.calc.SetCellBold(1, 1);
    w.calc.SetCellText(2, 2, title);
    w.calc.SetColumnWidth(2, 5000); // 50 characters: only the line breaks count
    w.calc.SetCellText(3, 1, cp("'одна строка без переносов"));
    const ReadSheet sheet = w.saveAndRead().sheets.at(0);
    EXPECT_GE(sheet.heights.at(0), 4 * 255);
    EXPECT_LE(sheet.heights.at(0), 8 * 255);
    EXPECT_EQ(sheet.heights.at(1), 3 * 255);
    EXPECT_FALSE(sheet.heights.contains(2));
}

TEST(XlsWorkbook, ColumnWidthsInHundredthsOfACharacter)
{
    struct Case
    {
        int column;
        int width;
        int stored; // 1/256 of a character
        bool hidden;
    };
    const Case cases[] = {
        {1, 100, 256, false},     {2, 5000, 12800, false},  {3, 843, 2158, false},
        {4, 25500, 65280, false}, {5, 40000, 65535, false}, {7, 0, 0, true},
    };
    ExcelWorkbook w;
    w.calc.SetCellText(1, 1, cp("'x"));
    for (const Case &c : cases)
        w.calc.SetColumnWidth(c.column, c.width);
    const ReadSheet sheet = w.saveAndRead().sheets.at(0);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.column);
        EXPECT_EQ(sheet.widths.at(c.column - 1), c.stored);
        EXPECT_EQ(sheet.hidden.count(c.column - 1), c.hidden ? 1u : 0u);
    }
    EXPECT_EQ(sheet.widths.count(5), 0u); // column 6 keeps the default
}

// The shared string table goes on in CONTINUE records; texts cut at every position near a record
// end, and the longest text a cell holds, must come back whole.
TEST(XlsWorkbook, LongTextsAcrossRecordBoundaries)
{
    const std::string cyrillic = cp("Жёлтый");
    auto repeat = [](const std::string &piece, std::size_t length) {
        std::string s;
        while (s.size() < length)
            s += piece;
        return s.substr(0, length);
    };
    for (int freeBytes = 0; freeBytes <= 7; ++freeBytes) {
        SCOPED_TRACE(freeBytes);
        ExcelWorkbook w;
        // 8 bytes of table header and 3 of string header: the first record keeps freeBytes free.
        const std::vector<std::string> texts = {repeat("a", 8213 - freeBytes),
                                                repeat(cyrillic, 5000),
                                                repeat("b", 9000),
                                                repeat(cyrillic, 32767),
                                                repeat("z", 32767),
                                                cp("короткий"),
                                                ""};
        for (std::size_t i = 0; i < texts.size(); ++i)
            w.calc.SetCellText(static_cast<int>(i) + 1, 1, "'" + texts[i]);
        const ReadSheet sheet = w.saveAndRead().sheets.at(0);
        for (std::size_t i = 0; i + 1 < texts.size(); ++i) {
            const testing::ReadCell *cell = sheet.cell(static_cast<int>(i) + 1, 1);
            ASSERT_NE(cell, nullptr) << i;
            EXPECT_EQ(cell->text, codepage::cp1251ToUtf8(texts[i])) << "text " << i;
        }
    }
}

TEST(XlsWorkbook, ManySmallStrings)
{
    ExcelWorkbook w;
    for (int row = 1; row <= 3000; ++row)
        for (int column = 1; column <= 3; ++column)
            w.calc.SetCellText(row, column, cp("'ячейка ") + std::to_string(row * 10 + column));
    w.calc.SetCellText(3001, 1, cp("'ячейка 11")); // a repeated text is stored once
    const ReadSheet sheet = w.saveAndRead().sheets.at(0);
    EXPECT_EQ(sheet.rows, 3001);
    EXPECT_EQ(sheet.cell(2999, 2)->text, "ячейка 29992");
    EXPECT_EQ(sheet.cell(3001, 1)->text, "ячейка 11");
}

TEST(XlsWorkbook, RowsPastTheSheetLimitContinueOnTheNextSheet)
{
    ExcelWorkbook w;
    w.calc.SetColumnWidth(2, 2000);
    w.calc.SetCellText(1, 1, cp("'Заголовок"));
    w.calc.SetCellBold(1, 1);
    for (int row = 2; row <= 70000; ++row)
        w.calc.SetCellText(row, 2, "'" + std::to_string(row));
    const ReadWorkbook book = w.saveAndRead();
    ASSERT_EQ(book.sheets.size(), 2u);
    const ReadSheet &first = book.sheets[0], &second = book.sheets[1];
    EXPECT_EQ(first.name, "Лист1");
    EXPECT_EQ(second.name, "Лист1 (2)");
    EXPECT_EQ(first.rows, 65536);
    EXPECT_EQ(second.rows, 70000 - 65536);
    EXPECT_EQ(first.cells.size() + second.cells.size(), 70000u);
    EXPECT_EQ(first.cell(65536, 2)->text, "65536");
    EXPECT_EQ(second.cell(1, 2)->text, "65537");
    EXPECT_EQ(second.cell(70000 - 65536, 2)->text, "70000");
    EXPECT_EQ(second.widths.at(1), 5120);
}

TEST(XlsWorkbook, WhatTheFormatCannotHoldIsRefused)
{
    TopofCalc calc(TopofCalc::Excel, false);
    const std::string tooLong(32768, 'x');
    EXPECT_THROW(calc.SetCellText(1, 1, "'" + tooLong), Error);
    EXPECT_NO_THROW(calc.SetCellText(1, 1, "'" + tooLong.substr(1)));
    // CR LF counts as the one line break it becomes.
    EXPECT_NO_THROW(calc.SetCellText(1, 1, "'" + std::string(32766, 'x') + "\r\n"));
    EXPECT_THROW(calc.SetCellText(1, 257, "'x"), Error);
    EXPECT_THROW(calc.SetCellText(0, 1, "'x"), Error);
    EXPECT_THROW(calc.SetColumnWidth(0, 100), Error);
    EXPECT_NO_THROW(calc.SetCellText(1, 256, "'x"));
}

TEST(XlsWorkbook, SheetsSelectedByNumber)
{
    ExcelWorkbook w;
    w.calc.SetCellText(1, 1, cp("'первый"));
    EXPECT_TRUE(w.calc.SelectSheet(3));
    w.calc.SetCellText(2, 2, cp("'третий"));
    w.calc.SetColumnWidth(1, 1000);
    const ReadWorkbook book = w.saveAndRead();
    ASSERT_EQ(book.sheets.size(), 3u);
    EXPECT_EQ(book.sheets[1].name, "Лист2");
    EXPECT_TRUE(book.sheets[1].cells.empty());
    EXPECT_EQ(book.sheets[2].cell(2, 2)->text, "третий");
    EXPECT_EQ(book.sheets[2].widths.at(0), 2560);
    EXPECT_TRUE(book.sheets[0].widths.empty());
}

TEST(XlsWorkbook, EmptyWorkbookIsReadable)
{
    ExcelWorkbook w;
    const ReadWorkbook book = w.saveAndRead();
    ASSERT_EQ(book.sheets.size(), 1u);
    EXPECT_EQ(book.sheets[0].rows, 0);
}

} // namespace
} // namespace tarvena
