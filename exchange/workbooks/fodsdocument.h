#pragma once
// A spreadsheet document as a flat OpenDocument spreadsheet (one XML file), the form in which the
// office suite's engine receives the workbooks it converts.
#include "exchange/workbooks/spreadsheetdocument.h"

#include <string>

namespace tarvena {

// The document as flat OpenDocument XML (UTF-8); column widths are hundredths of a millimetre and
// bold is the engine's bold weight. Sheets are cut into parts of at most 65,536 rows, as the Excel 97
// workbook made from it can hold no more. Control characters other than tab and line feed, which XML
// cannot carry, are left out.
std::string fodsDocument(const SpreadsheetDocument &doc);

} // namespace tarvena
