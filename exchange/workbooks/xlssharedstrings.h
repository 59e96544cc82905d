#pragma once
// The workbook's shared string table: every cell text once, written in SST and CONTINUE records with
// its EXTSST index.
#include "exchange/workbooks/biffrecords.h"
#include "exchange/workbooks/spreadsheetdocument.h"

#include <cstdint>
#include <functional>
#include <string_view>
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

// The texts of a shared string table in table order (code page 1251), and how many cells refer to
// them: what the table's records are written from, whoever numbered the texts.
struct SharedTexts
{
    std::uint32_t references = 0;
    std::size_t count = 0;
    std::function<std::string_view(std::size_t)> text; // table index -> text
};

// The texts of sst, read from doc.
SharedTexts sharedTexts(const SpreadsheetDocument &doc, const SharedStrings &sst);

// The SST record with its CONTINUE records, then the EXTSST record.
void putSharedStrings(RecordWriter &w, const SharedTexts &texts);

} // namespace tarvena::xls
