// The sheet writer over engine 2, read back by xlrd.
#include "exchange/workbooks/sheetwriter.h"
#include "exchange/workbooks/topofcalc.h"
#include "model/memtable.h"
#include "storage/error.h"
#include "tests/exchange/readback.h"
#include "tests/support/samplepassport.h"

#include <gtest/gtest.h>

#include <fstream>

namespace tarvena {
namespace {

using testing::cp;
using testing::ReadSheet;

class SheetWriterTest : public ::testing::Test
{
protected:
    ReadSheet finishAndRead()
    {
        writer.FinishSpreadsheet();
        const testing::ReadWorkbook book = testing::readWorkbook(file);
        EXPECT_EQ(book.problems, std::vector<std::string>{});
        return book.sheets.at(0);
    }

    testing::TempFolder folder;
    std::string file = folder.file("лист.xls");
    SheetWriter writer;
};

TEST_F(SheetWriterTest, CellsPairsAndCursors)
{
    writer.BeginSpreadsheet(file);
    writer.CurrentRow = 2;
    writer.WritePair(cp("Название"), cp("Северная"), true, false);
    writer.WritePair(cp("Код"), "0012", false, true);
    writer.WritePair(cp("Формула"), "=1+1", false, false);
    writer.WritePair(cp("Пусто"), "", false, true); // an empty value writes nothing, bold or not
    EXPECT_EQ(writer.CurrentRow, 6);
    writer.CurrentColumn = 3;
    writer.WriteNext(cp("в"), false);
    writer.WriteNext("", true);
    writer.WriteNext(cp("д"), true);
    EXPECT_EQ(writer.CurrentColumn, 6);
    writer.WriteCell(1, 1, cp("Заголовок"), true);
    writer.SetColumnWidthChars(2, 50);
    const ReadSheet sheet = finishAndRead();

    EXPECT_EQ(writer.CurrentSpreadsheet(), nullptr);
    EXPECT_EQ(sheet.cell(1, 1)->text, "Заголовок");
    EXPECT_TRUE(sheet.cell(1, 1)->bold);
    EXPECT_EQ(sheet.cell(2, 1)->text, "Название");
    EXPECT_TRUE(sheet.cell(2, 1)->bold);
    EXPECT_FALSE(sheet.cell(2, 2)->bold);
    EXPECT_EQ(sheet.cell(3, 2)->text, "0012");
    EXPECT_TRUE(sheet.cell(3, 2)->bold);
    EXPECT_EQ(sheet.cell(4, 2)->text, "=1+1");
    EXPECT_TRUE(sheet.cell(4, 2)->prefix); // the apostrophe is the cell's prefix, not its text
    EXPECT_EQ(sheet.cell(5, 1)->text, "Пусто");
    EXPECT_EQ(sheet.cell(5, 2), nullptr);
    EXPECT_EQ(sheet.cell(6, 3)->text, "в");
    EXPECT_EQ(sheet.cell(6, 4), nullptr);
    EXPECT_EQ(sheet.cell(6, 5)->text, "д");
    EXPECT_EQ(sheet.cells.size(), 10u);
    EXPECT_EQ(sheet.widths.at(1), 50 * 256); // 50 characters for column B
}

// The old file is replaced only by a complete new one: a write that fails on the way leaves it.
TEST_F(SheetWriterTest, OldFileStaysUntilTheNewOneReplacesIt)
{
    std::ofstream(file) << "old content";
    writer.BeginSpreadsheet(file);
    EXPECT_THROW(writer.WriteCell(1, 1, std::string(40000, 'x'), false), Error);
    std::string kept;
    std::getline(std::ifstream(file), kept);
    EXPECT_EQ(kept, "old content");

    writer.BeginSpreadsheet(file);
    EXPECT_EQ(writer.SpreadsheetFileName(), file);
    writer.WriteCell(1, 1, cp("новый"), false);
    EXPECT_EQ(finishAndRead().cell(1, 1)->text, "новый");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
}

// The temporary file beside a workbook has a short name of its own, so a workbook name of nearly the
// 255 bytes a file name may have still saves.
TEST_F(SheetWriterTest, WorkbookNameOfAlmostTheLongestLengthSaves)
{
    file = folder.file(std::string(250, 'x') + ".xls");
    writer.BeginSpreadsheet(file);
    writer.WriteCell(1, 1, "x", false);
    EXPECT_EQ(finishAndRead().cell(1, 1)->text, "x");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
}

TEST_F(SheetWriterTest, FailedSaveStillReleasesTheEngine)
{
    writer.BeginSpreadsheet(folder.file("нет такой папки/лист.xls"));
    writer.WriteCell(1, 1, "x", false);
    EXPECT_THROW(writer.FinishSpreadsheet(), Error);
    EXPECT_EQ(writer.CurrentSpreadsheet(), nullptr);
    EXPECT_THROW(writer.WriteCell(1, 1, "x", false), Error);
    EXPECT_NO_THROW(writer.WriteCell(1, 1, "", false));
}

TEST_F(SheetWriterTest, GridWithEveryColumn)
{
    MemTable table("GRID");
    table.addField("NAME", FieldType::String, 40);
    table.addField("VALUE", FieldType::Float);
    table.addField("HIDDEN", FieldType::Integer).Visible = false;
    table.Open();
    const struct
    {
        const char *name;
        double value;
        bool hasValue;
        int hidden;
    } rows[] = {{"первая", 1.5, true, 7}, {"вторая", 0, false, -3}, {"третья", 1e-7 / 3, true, 0}};
    for (const auto &r : rows) {
        table.Append();
        table.FieldByName("NAME").SetAsString(cp(r.name));
        if (r.hasValue)
            table.FieldByName("VALUE").SetAsFloat(r.value);
        table.FieldByName("HIDDEN").SetAsInteger(r.hidden);
        table.Post();
    }
    table.FieldByName("VALUE").DisplayFormat = "0.00"; // a grid's display format is not copied
    const ColumnSet columns = {{"NAME", cp("Имя\nгоризонта")},
                               {"VALUE", cp("Значение \n(м)"), FieldKind::Calculated},
                               {"HIDDEN", cp("Скрытый")}};

    writer.BeginSpreadsheet(file);
    writer.CurrentRow = 2;
    writer.WriteGrid(columns, table);
    EXPECT_EQ(writer.CurrentRow, 6);
    EXPECT_EQ(writer.CurrentColumn, 1);
    EXPECT_TRUE(table.Eof());
    EXPECT_FALSE(table.ControlsDisabled());
    const ReadSheet sheet = finishAndRead();

    EXPECT_EQ(sheet.cell(2, 1)->text, "Имя\nгоризонта");
    EXPECT_TRUE(sheet.cell(2, 1)->wrap);
    EXPECT_EQ(sheet.cell(2, 2)->text, "Значение \n(м)");
    EXPECT_EQ(sheet.cell(2, 3)->text, "Скрытый");
    for (int c = 1; c <= 3; ++c)
        EXPECT_TRUE(sheet.cell(2, c)->bold) << c;
    for (int r = 0; r < 3; ++r) {
        SCOPED_TRACE(r);
        EXPECT_EQ(sheet.cell(3 + r, 1)->text, rows[r].name);
        EXPECT_FALSE(sheet.cell(3 + r, 1)->bold);
        EXPECT_EQ(sheet.cell(3 + r, 3)->text, std::to_string(rows[r].hidden));
    }
    EXPECT_EQ(sheet.cell(3, 2)->text, "1.5");
    EXPECT_EQ(sheet.cell(4, 2), nullptr); // an empty field writes nothing
    table.First();
    table.Next();
    table.Next();
    EXPECT_EQ(sheet.cell(5, 2)->text, table.FieldByName("VALUE").AsString());
}

TEST_F(SheetWriterTest, GridOfUnknownFieldFails)
{
    MemTable table("GRID");
    table.addField("NAME", FieldType::String, 10);
    table.Open();
    writer.BeginSpreadsheet(file);
    EXPECT_THROW(writer.WriteGrid({{"MISSING", "x"}}, table), Error);
}

} // namespace
} // namespace tarvena
