#pragma once
// The workbook's shared string table: every cell text once, written in SST and CONTINUE records with
// its EXTSST index.
#include "exchange/core/biffrecords.h"
#include "exchange/core/spreadsheetdocument.h"

#include <cstdint>
#include <vector>

namespace tarvena::xls {

constexpr std::uint32_t NoString = 0xFFFFFFFF;

// The shared string table: each text once, numbered in the order the cells first use it.
struct SharedStrings
{
    std::vector<std::uint32_t> indexOf; // document text number -> table index (equal texts share one)
    std::vector<std::uint32_t> order;   // table index -> document text
    std::uint32_t references = 0;
};

SharedStrings sharedStrings(const SpreadsheetDocument &doc, const std::vector<SheetPart> &parts);

// The SST record with its CONTINUE records, then the EXTSST record.
void putSharedStrings(RecordWriter &w, const SpreadsheetDocument &doc, const SharedStrings &sst);

} // namespace tarvena::xls
