#pragma once
// The Excel 97 workbook (BIFF8 records in a compound file) of a spreadsheet document: text cells in a
// shared string table, a bold font, column widths, the apostrophe as the cells' prefix flag, and
// sheets that continue on further sheets past the format's 65,536 rows.
#include "exchange/core/spreadsheetdocument.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tarvena::xls {

// Column width in the file's unit (1/256 of a character) for a width in hundredths of a character.
std::uint16_t columnWidthUnits(int hundredths);

// The Workbook stream of doc; its column widths are hundredths of a character.
std::vector<std::uint8_t> workbookStream(const SpreadsheetDocument &doc);

// Writes doc as an .xls file (fileName in UTF-8), replacing the file only once it is complete.
void saveWorkbook(const SpreadsheetDocument &doc, const std::string &fileName);

} // namespace tarvena::xls
