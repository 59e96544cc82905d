#include "exchange/workbooks/sheetwriter.h"

#include "exchange/workbooks/calcengine.h"
#include "exchange/workbooks/outputfile.h"
#include "exchange/workbooks/topofcalc.h"
#include "exchange/workbooks/xlsworkbook.h"
#include "model/memtable.h"
#include "storage/error.h"

#include <filesystem>

namespace tarvena {

SheetWriter::SheetWriter() = default;
SheetWriter::~SheetWriter()
{
    // Spreadsheets finished in a batch that an error cut short still appear, as they would have
    // when saved one by one; the error that ended the run is the one reported.
    if (mBatch) {
        try {
            mBatch->convert();
        } catch (...) {
        }
    }
}

namespace {

// The old file stays until the saved one takes its place, so a failed save loses nothing; a folder
// of that name is never replaced by a workbook.
void checkNotFolder(const std::string &fileName)
{
    std::error_code ignored;
    if (std::filesystem::is_directory(pathFromUtf8(fileName), ignored))
        throw Error("Не удалось записать файл " + fileName + ": по этому пути находится папка.");
}

} // namespace

void SheetWriter::BeginSpreadsheet(const std::string &fileName)
{
    mSpreadsheet.reset();
    checkNotFolder(fileName);
    mFileName = fileName;
    const int engine = UseExcel ? TopofCalc::Excel : TopofCalc::OpenOffice;
    mSpreadsheet = std::make_unique<TopofCalc>(engine, false, mStarter ? mStarter : installedEngines(mBatch));
}

void SheetWriter::FinishSpreadsheet()
{
    if (!mSpreadsheet)
        return;
    std::unique_ptr<TopofCalc> spreadsheet = std::move(mSpreadsheet);
    spreadsheet->SaveDocument(mFileName);
}

void SheetWriter::SaveWorkbookStream(const std::string &fileName, const std::vector<std::uint8_t> &stream)
{
    mSpreadsheet.reset();
    checkNotFolder(fileName);
    mFileName = fileName;
    xls::saveWorkbookStream(stream, fileName);
}

TopofCalc &SheetWriter::spreadsheet() const
{
    if (!mSpreadsheet)
        throw Error("Электронная таблица для записи не начата.");
    return *mSpreadsheet;
}

void SheetWriter::WriteCell(int column, int row, std::string_view text, bool bold)
{
    if (text.empty())
        return;
    TopofCalc &sheet = spreadsheet();
    sheet.SetCellQuotedText(row, column, text);
    if (bold) {
        try {
            sheet.SetCellBold(row, column);
        } catch (const std::exception &) {
            // The text is written; a cell that cannot be made bold stays plain.
        }
    }
}

void SheetWriter::WritePair(const std::string &label, const std::string &value, bool labelBold,
                            bool valueBold)
{
    WriteCell(1, CurrentRow, label, labelBold);
    WriteCell(2, CurrentRow, value, valueBold);
    ++CurrentRow;
}

void SheetWriter::WriteTextPair(std::string_view label, std::string_view value)
{
    TopofCalc &sheet = spreadsheet();
    if (!label.empty())
        sheet.SetCellQuotedText(CurrentRow, 1, label);
    if (!value.empty())
        sheet.SetCellQuotedText(CurrentRow, 2, value);
    ++CurrentRow;
}

void SheetWriter::WriteNext(const std::string &text, bool bold)
{
    WriteCell(CurrentColumn, CurrentRow, text, bold);
    ++CurrentColumn;
}

void SheetWriter::SetColumnWidthChars(int column, int width)
{
    spreadsheet().SetColumnWidth(column, width * 100);
}

void SheetWriter::WriteGrid(const ColumnSet &columns, MemTable &table)
{
    std::vector<Field *> fields;
    fields.reserve(columns.size());
    for (const ColumnSpec &column : columns)
        fields.push_back(&table.FieldByName(column.fieldName));

    CurrentColumn = 1;
    for (const ColumnSpec &column : columns)
        WriteNext(column.title, true);
    ++CurrentRow;

    ControlsDisabledScope quiet(table); // views hear one notice when the walk ends
    for (table.First(); !table.Eof(); table.Next()) {
        CurrentColumn = 1;
        for (Field *field : fields)
            WriteNext(field->AsString(), false);
        ++CurrentRow;
    }
    CurrentColumn = 1;
}

void SheetWriter::beginBatch()
{
    if (mBatch)
        finishBatch();
    std::filesystem::path program = findOfficeProgram();
    mBatch = program.empty() ? nullptr : std::make_shared<CalcSession>(program);
}

void SheetWriter::finishBatch()
{
    std::shared_ptr<CalcSession> batch = std::move(mBatch);
    if (batch)
        batch->convert();
}

} // namespace tarvena
