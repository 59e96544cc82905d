#pragma once
// The Excel 97 workbook (BIFF8 records in a compound file) of a spreadsheet document: text cells in a
// shared string table, a bold font, column widths, the apostrophe as the cells' prefix flag, and
// sheets that continue on further sheets past the format's 65,536 rows.
#include "exchange/workbooks/biffrecords.h"
#include "exchange/workbooks/spreadsheetdocument.h"
#include "exchange/workbooks/xlssharedstrings.h"

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace tarvena::xls {

// Column width in the file's unit (1/256 of a character) for a width in hundredths of a character.
std::uint16_t columnWidthUnits(int hundredths);

// The Workbook stream of doc; its column widths are hundredths of a character.
std::vector<std::uint8_t> workbookStream(const SpreadsheetDocument &doc);

// Writes doc as an .xls file (fileName in UTF-8), replacing the file only once it is complete.
void saveWorkbook(const SpreadsheetDocument &doc, const std::string &fileName);
// The same for a Workbook stream put together elsewhere.
void saveWorkbookStream(const std::vector<std::uint8_t> &stream, const std::string &fileName);

// The pieces of the stream, for a writer that puts a sheet's cell records together itself. Rows and
// columns are 0-based, rows counted within the sheet part.

// A sheet's cells are written in blocks of this many rows, each block's row heights first.
constexpr std::uint32_t RowsPerBlock = 32;

// The cell format of a cell with SpreadsheetDocument::CellFlag flags.
std::uint16_t cellFormat(std::uint8_t flags);
// The lines a cell's text takes in a column of columnPixels: more than one for wrapped text only.
int cellLines(std::string_view text, std::uint8_t flags, int columnPixels);
// The height of a row of wrapped text: its cells span firstColumn to endColumn - 1.
void putRowHeight(RecordWriter &w, std::uint16_t row, std::uint16_t firstColumn, std::uint16_t endColumn,
                  int lines);

// The rows and columns a sheet's cells span, the ends past the last; all 0 for a sheet without cells.
struct SheetExtent
{
    std::uint32_t firstRow = 0, endRow = 0;
    std::uint16_t firstColumn = 0, endColumn = 0;
};

// The records before the sheets: one sheet for each name (code page 1251) and the shared string
// table. Returns where each sheet's stream offset goes, to be patched when the sheet begins.
std::vector<std::size_t> putGlobals(RecordWriter &w, const std::vector<std::string> &sheetNames,
                                    const SharedTexts &texts);
// A sheet's records before its cells (column widths in hundredths of a character), and after them.
void putSheetStart(RecordWriter &w, const std::map<int, int> &widths, const SheetExtent &extent);
void putSheetEnd(RecordWriter &w, bool active);

} // namespace tarvena::xls
