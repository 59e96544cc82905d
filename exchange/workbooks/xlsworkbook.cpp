#include "exchange/workbooks/xlsworkbook.h"

#include "exchange/workbooks/biffrecords.h"
#include "exchange/workbooks/compoundfile.h"
#include "exchange/workbooks/outputfile.h"
#include "exchange/workbooks/textlines.h"
#include "exchange/workbooks/xlssharedstrings.h"

#include <algorithm>
#include <cmath>
#include <span>

namespace tarvena::xls {

namespace {

constexpr std::uint16_t DefaultCellXf = 15;
// Cell formats 16 to 23: 16 + 1 for bold + 2 for wrapped lines + 4 for the apostrophe prefix.
constexpr std::uint16_t FirstCellXf = 16;
constexpr std::uint16_t BoldFont = 5; // the fifth font record; index 4 does not exist
constexpr int LineHeight = 255;       // twips per line of the 10-point default font
constexpr int MaxRowHeight = 8192;

void putBof(RecordWriter &w, std::uint16_t substream)
{
    w.record(record::Bof, {0x0600, substream, 0x0DBB, 0x07CC, 0, 0, 6, 0});
}

void putFont(RecordWriter &w, bool bold)
{
    w.begin(record::Font);
    w.u16(200);             // 10 points
    w.u16(bold ? 0x01 : 0); // the bold bit, for readers that do not look at the weight
    w.u16(0x7FFF);          // automatic colour
    w.u16(bold ? 700 : 400);
    w.u16(0);
    w.u8(0);   // no underline
    w.u8(0);   // family
    w.u8(204); // Cyrillic character set
    w.u8(0);
    putShortString(w, "Arial");
    w.end();
}

void putXf(RecordWriter &w, std::uint16_t font, std::uint16_t protection, std::uint8_t alignment,
           std::uint8_t usedAttributes)
{
    w.begin(record::Xf);
    w.u16(font);
    w.u16(0); // General number format
    w.u16(protection);
    w.u8(alignment);
    w.u8(0);
    w.u8(0);
    w.u8(usedAttributes);
    for (int i = 0; i < 8; ++i)
        w.u8(0);   // no borders, no fill
    w.u16(0x20C0); // default pattern colours
    w.end();
}

void putFormats(RecordWriter &w)
{
    for (int i = 0; i < 4; ++i)
        putFont(w, false);
    putFont(w, true);

    // Normal style, the fourteen outline styles, the default cell format.
    for (int i = 0; i < 15; ++i)
        putXf(w, 0, 0xFFF5, 0x20, i == 0 ? 0x00 : 0xF4);
    putXf(w, 0, 0x0001, 0x20, 0x00);
    for (int f = 0; f < 8; ++f) {
        const bool bold = f & 1, wrap = f & 2, prefix = f & 4;
        putXf(w, bold ? BoldFont : 0, prefix ? 0x0009 : 0x0001, wrap ? 0x28 : 0x20, 0xF8);
    }
    w.begin(record::Style);
    w.u16(0x8000); // built-in style on format 0
    w.u8(0);       // Normal
    w.u8(0xFF);
    w.end();
}

// Pixels of each column the sheet sets; the others have the default width.
int columnPixelsOf(const std::map<int, int> &widths, int column)
{
    const auto width = widths.find(column);
    return width == widths.end() ? DefaultColumnPixels : columnPixels(columnWidthUnits(width->second));
}

// Rows with wrapped text get a height for all their lines, since readers keep the stored height and
// do not fit rows on opening: the lines are those of the text's line breaks and of its wrapping at
// the column's width.
void putRowHeights(RecordWriter &w, const SpreadsheetDocument &doc, const SheetPart &part,
                   std::span<const SheetCell> block)
{
    const std::map<int, int> &widths = doc.columnWidths(part.sheet);
    for (std::size_t i = 0; i < block.size();) {
        std::size_t end = i;
        int lines = 1;
        while (end < block.size() && block[end].row == block[i].row) {
            const SheetCell &c = block[end++];
            if (c.flags & SpreadsheetDocument::HasText)
                lines =
                    std::max(lines, cellLines(doc.text(c.text), c.flags, columnPixelsOf(widths, c.column)));
        }
        if (lines > 1)
            putRowHeight(w, static_cast<std::uint16_t>(block[i].row - part.firstRow), block[i].column,
                         static_cast<std::uint16_t>(block[end - 1].column + 1), lines);
        i = end;
    }
}

void putCells(RecordWriter &w, std::span<const SheetCell> cells, std::uint32_t firstRow,
              const SharedStrings &sst)
{
    std::uint8_t data[10];
    for (const SheetCell &c : cells) {
        const bool text = c.flags & SpreadsheetDocument::HasText;
        RecordWriter::putLe16(data, static_cast<std::uint16_t>(c.row - firstRow));
        RecordWriter::putLe16(data + 2, c.column);
        RecordWriter::putLe16(data + 4, cellFormat(c.flags));
        if (text)
            RecordWriter::putLe32(data + 6, sst.indexOf[c.text]);
        w.record(text ? record::LabelSst : record::Blank, data, text ? 10 : 6);
    }
}

void putSheet(RecordWriter &w, const SpreadsheetDocument &doc, const SheetPart &part, bool active,
              const SharedStrings &sst)
{
    const std::span<const SheetCell> cells = doc.cells(part);
    SheetExtent extent;
    if (!cells.empty()) {
        auto [low, high] = std::minmax_element(cells.begin(), cells.end(),
                                               [](auto &a, auto &b) { return a.column < b.column; });
        extent = {cells.front().row - part.firstRow, cells.back().row - part.firstRow + 1, low->column,
                  static_cast<std::uint16_t>(high->column + 1)};
    }
    putSheetStart(w, doc.columnWidths(part.sheet), extent);

    for (std::size_t i = 0; i < cells.size();) {
        const std::uint32_t block = (cells[i].row - part.firstRow) / RowsPerBlock;
        std::size_t end = i;
        while (end < cells.size() && (cells[end].row - part.firstRow) / RowsPerBlock == block)
            ++end;
        putRowHeights(w, doc, part, cells.subspan(i, end - i));
        putCells(w, cells.subspan(i, end - i), part.firstRow, sst);
        i = end;
    }

    putSheetEnd(w, active);
}

} // namespace

std::uint16_t cellFormat(std::uint8_t flags)
{
    std::uint16_t f = FirstCellXf;
    if (flags & SpreadsheetDocument::Bold)
        f += 1;
    if (flags & SpreadsheetDocument::Wrap)
        f += 2;
    if ((flags & SpreadsheetDocument::QuotePrefix) && (flags & SpreadsheetDocument::HasText))
        f += 4;
    return f;
}

int cellLines(std::string_view text, std::uint8_t flags, int columnPixels)
{
    if (!(flags & SpreadsheetDocument::Wrap) || columnPixels <= CellPadding)
        return 1;
    return wrappedLineCount(text, columnPixels, (flags & SpreadsheetDocument::Bold) != 0);
}

void putRowHeight(RecordWriter &w, std::uint16_t row, std::uint16_t firstColumn, std::uint16_t endColumn,
                  int lines)
{
    w.begin(record::Row);
    w.u16(row);
    w.u16(firstColumn);
    w.u16(endColumn);
    w.u16(static_cast<std::uint16_t>(std::min(lines, MaxRowHeight / LineHeight) * LineHeight));
    w.u16(0);
    w.u16(0);
    w.u32(0x0140); // height set explicitly
    w.end();
}

void putSheetStart(RecordWriter &w, const std::map<int, int> &widths, const SheetExtent &extent)
{
    putBof(w, 0x0010);
    w.record(record::WsBool, {0x04C1});
    for (const auto &[column, width] : widths) {
        const std::uint16_t units = columnWidthUnits(width);
        const std::uint16_t c = static_cast<std::uint16_t>(column);
        // A width of 0 hides the column, as it does when a user sets it.
        w.record(record::ColInfo,
                 {c, c, units, DefaultCellXf, static_cast<std::uint16_t>(units ? 0x0002 : 0x0003), 0});
    }
    w.begin(record::Dimensions);
    w.u32(extent.firstRow);
    w.u32(extent.endRow);
    w.u16(extent.firstColumn);
    w.u16(extent.endColumn);
    w.u16(0);
    w.end();
}

void putSheetEnd(RecordWriter &w, bool active)
{
    // Grid, headers, zeros, default grid colour, outline symbols; the first sheet selected and shown.
    w.record(record::Window2,
             {static_cast<std::uint16_t>(active ? 0x06B6 : 0x00B6), 0, 0, 0x40, 0, 0, 0, 0, 0});
    w.record(record::Eof, {});
}

std::uint16_t columnWidthUnits(int hundredths)
{
    const long units = std::lround(std::max(hundredths, 0) * 2.56);
    return static_cast<std::uint16_t>(std::min<long>(units, 0xFFFF));
}

std::vector<std::uint8_t> workbookStream(const SpreadsheetDocument &doc)
{
    const std::vector<SheetPart> parts = doc.parts();
    const SharedStrings sst = sharedStrings(doc, parts);

    // Room for the cell records and the shared texts at their widest: the stream is hardly ever moved.
    std::size_t size = 4096 + 32 * parts.size();
    for (int s = 0; s < doc.sheetCount(); ++s)
        size += 14 * doc.cells(s).size();
    for (const std::uint32_t text : sst.order)
        size += 3 + 2 * doc.text(text).size();
    size += 8 * (size / MaxRecordData + 1) + 8 * (sst.order.size() / 8 + 1);
    std::vector<std::uint8_t> out;
    out.reserve(size);
    RecordWriter w(out);
    std::vector<std::string> names;
    for (const SheetPart &part : parts)
        names.push_back(part.name);
    const std::vector<std::size_t> sheetOffsets = putGlobals(w, names, sharedTexts(doc, sst));
    for (std::size_t i = 0; i < parts.size(); ++i) {
        w.patch32(sheetOffsets[i], static_cast<std::uint32_t>(w.position()));
        putSheet(w, doc, parts[i], i == 0, sst);
    }
    return out;
}

std::vector<std::size_t> putGlobals(RecordWriter &w, const std::vector<std::string> &sheetNames,
                                    const SharedTexts &texts)
{
    putBof(w, 0x0005);
    w.record(record::CodePage, {1200}); // UTF-16
    w.record(record::Window1, {0, 0, 0x4000, 0x2000, 0x0038, 0, 0, 1, 0x0258});
    w.record(record::HideObj, {0});
    w.record(record::DateMode, {0});
    putFormats(w);
    std::vector<std::size_t> sheetOffsets;
    for (const std::string &name : sheetNames) {
        w.begin(record::BoundSheet);
        sheetOffsets.push_back(w.position());
        w.u32(0); // the sheet's offset, known once the globals are complete
        w.u8(0);  // visible
        w.u8(0);  // worksheet
        putShortString(w, name);
        w.end();
    }
    w.record(record::Country, {7, 7});
    putSharedStrings(w, texts);
    w.record(record::Eof, {});
    return sheetOffsets;
}

void saveWorkbook(const SpreadsheetDocument &doc, const std::string &fileName)
{
    saveWorkbookStream(workbookStream(doc), fileName);
}

void saveWorkbookStream(const std::vector<std::uint8_t> &stream, const std::string &fileName)
{
    writeFileReplacing(fileName, [&](std::ostream &out) { writeCompoundFile(out, "Workbook", stream); });
}

} // namespace tarvena::xls
