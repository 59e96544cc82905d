#pragma once
// The sheet writer: one current spreadsheet with a row and a column cursor, through which passport
// unpacking and contour export write their workbooks. Texts are code page 1251; rows and columns
// are 1-based.
#include "exchange/workbooks/spreadsheetengine.h"
#include "model/columnsets.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tarvena {

class CalcSession;
class MemTable;
class TopofCalc;

class SheetWriter
{
public:
    SheetWriter();
    ~SheetWriter();
    SheetWriter(const SheetWriter &) = delete;
    SheetWriter &operator=(const SheetWriter &) = delete;

    // Engine of the next BeginSpreadsheet: true engine 2 ("Microsoft Excel"), false engine 3.
    bool UseExcel = true;
    // Row of the next cell, and column of the next WriteNext; callers set them directly.
    int CurrentRow = 1;
    int CurrentColumn = 1;

    const std::string &SpreadsheetFileName() const { return mFileName; }
    TopofCalc *CurrentSpreadsheet() const { return mSpreadsheet.get(); }

    // Starts a new spreadsheet that FinishSpreadsheet saves under fileName (UTF-8), replacing a file
    // of that name only once the new one is complete. Throws Error when fileName is a folder.
    void BeginSpreadsheet(const std::string &fileName);
    // Saves the spreadsheet and shuts its engine down, also when saving fails.
    void FinishSpreadsheet();

    // Whether BeginSpreadsheet would start the program's own workbook writer (engine 2 of this
    // computer): a sheet too large to go cell by cell may then be written as a Workbook stream of
    // its own and saved with SaveWorkbookStream, with the same bytes.
    bool WritesOwnWorkbooks() const { return UseExcel && !mStarter; }
    // Saves a Workbook stream under fileName (UTF-8) as BeginSpreadsheet and FinishSpreadsheet
    // would save a spreadsheet, with the same checks.
    void SaveWorkbookStream(const std::string &fileName, const std::vector<std::uint8_t> &stream);

    // Writes text into the cell with a leading apostrophe, so that it stays text; an empty text
    // writes nothing. A failure to make the cell bold is ignored.
    void WriteCell(int column, int row, std::string_view text, bool bold);
    // Label in column 1 and value in column 2 of the current row, then the next row.
    void WritePair(const std::string &label, const std::string &value, bool labelBold, bool valueBold);
    // WritePair's plain cells for texts held elsewhere: each goes in as typed after an apostrophe
    // without an entry being built for it.
    void WriteTextPair(std::string_view label, std::string_view value);
    // The cell at the cursors, then the next column.
    void WriteNext(const std::string &text, bool bold);
    // Width in characters (Excel) or millimetres (the office suite).
    void SetColumnWidthChars(int column, int width);
    // A grid: its column titles in bold, then one row per visible record of table in its current
    // order, every column of the set whether the grid shows it or not, each field's AsString text.
    // The table is left after its last record.
    void WriteGrid(const ColumnSet &columns, MemTable &table);

    // Engine 3 starts the office suite once for all spreadsheets finished between beginBatch and
    // finishBatch: their files appear when finishBatch converts them (or when the writer is
    // destroyed without it). Engine 2 is not affected.
    void beginBatch();
    // Converts the batch; throws Error naming the files that did not come out.
    void finishBatch();

    // Replaces the engines BeginSpreadsheet may start (the installed ones by default).
    void setEngineStarter(EngineStarter starter) { mStarter = std::move(starter); }

private:
    TopofCalc &spreadsheet() const;

    std::unique_ptr<TopofCalc> mSpreadsheet;
    std::string mFileName;
    std::shared_ptr<CalcSession> mBatch;
    EngineStarter mStarter;
};

} // namespace tarvena
