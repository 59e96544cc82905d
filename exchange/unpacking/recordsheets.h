#pragma once
// The record sheets of an unpacked passport: tables 1 to 4 (geography, history, survey methods,
// geology) describe the single passport record as a list of labelled values, one workbook each.
#include "model/geologysummary.h"

#include <string>
#include <vector>

namespace tarvena {

class Field;
class SheetWriter;
class TDataModule2;

// Writes key-value sheet `table` (1..4) of the open passport to the workbook at path (UTF-8),
// title in A1, through the sheet writer (BeginSpreadsheet .. FinishSpreadsheet). Table 4 takes
// the geology summary's lines from summary. Throws Error for another table.
void writeRecordSheet(SheetWriter &writer, TDataModule2 &dm, int table, const std::string &path,
                      const ResourceSummary &summary);

// One labelled value of a record sheet; texts are code page 1251. A section heading has no value.
struct RecordSheetRow
{
    std::string label;
    std::string value;
    bool section = false;
};

// The rows of sheet `table` (1..4) as writeRecordSheet writes them under its header row.
std::vector<RecordSheetRow> recordSheetRows(TDataModule2 &dm, int table, const ResourceSummary &summary);

// What sheets 1 to 4 show for a field of the passport record (for a classified field, its key field:
// "FEDERALOKRUG_ID"), code page 1251. Throws Error for a field no sheet shows.
std::string recordFieldText(TDataModule2 &dm, const std::string &field);

// The file name ("Таблица 1 География.xls", UTF-8) and the A1 title of sheet 1..4.
std::string recordSheetFileName(int table);
std::string recordSheetTitle(int table); // code page 1251

// A number of the record sheets: "#########0.###", empty for an empty field.
std::string FormatNumber(const Field &field);

} // namespace tarvena
