#pragma once
// A workbook of one sheet written in one pass, for a sheet of a great many cells that come in row
// order: each cell's record goes straight into the sheet's stream and its text into the shared string
// table once. The stream is the one a SpreadsheetDocument of the same entries gives (engine 2), byte
// for byte, without the document's cell list and its sorting in between.
#include "exchange/workbooks/xlsworkbook.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tarvena::xls {

// Bytes appended at the end without being zeroed first, for the writer to fill.
class ByteRun
{
public:
    std::uint8_t *append(std::size_t count)
    {
        if (mSize + count > mCapacity)
            reserve(std::max(mSize + count, 2 * mCapacity));
        std::uint8_t *at = mData.get() + mSize;
        mSize += count;
        return at;
    }
    void insert(std::size_t at, const std::vector<std::uint8_t> &bytes);
    void reserve(std::size_t capacity);
    std::size_t size() const { return mSize; }
    const std::uint8_t *data() const { return mData.get(); }

private:
    std::unique_ptr<std::uint8_t[]> mData;
    std::size_t mSize = 0;
    std::size_t mCapacity = 0;
};

class StreamedSheet
{
public:
    // expectedCells sizes the buffers; the sheet takes any number of cells.
    explicit StreamedSheet(std::size_t expectedCells = 0);

    // A cell's text as the shared string table holds it, with the cell's format: another cell can
    // take the same text without it being looked up again.
    struct SharedText
    {
        static constexpr std::uint32_t None = 0xFFFFFFFF;
        std::uint32_t index = None; // None: the entry wrote nothing
        std::uint8_t flags = 0;     // SpreadsheetDocument::CellFlag bits
        std::uint16_t format = 0;   // the cell format of the flags
        int lines = 1;              // the lines the text takes in its column
    };

    // A text typed after an apostrophe into the cell at row and column (1-based, code page 1251), as
    // SpreadsheetDocument::setText takes it, bold or not; an empty text writes nothing. Cells come in
    // row order and, within a row, in column order: a cell before the last one throws.
    SharedText quotedText(int row, int column, std::string_view text, bool bold);
    // The cell at row and column gets a text quotedText wrote before, formatted as it was there.
    void sharedText(int row, int column, const SharedText &text);

    // The Workbook stream of the cells written so far.
    std::vector<std::uint8_t> stream();

private:
    // One sheet of the workbook: the document sheet is cut into parts of RowsPerSheet rows.
    struct Part
    {
        ByteRun cells; // the records between the sheet's DIMENSIONS and WINDOW2
        SheetExtent extent;
        bool empty = true;
    };

    void checkOrder(int row, int column) const;
    void place(int row, int column, const SharedText &text);
    std::uint32_t sharedIndex(std::string_view text);
    void growIndex();
    Part &partOf(std::uint32_t row);
    void finishRow();

    std::size_t mExpectedCells;
    std::size_t mCellCount = 0;
    std::vector<Part> mParts;

    // The row being written (0-based over the whole sheet) and what its row height needs.
    static constexpr std::uint32_t NoRow = 0xFFFFFFFF;
    std::uint32_t mRow = NoRow;
    Part *mPart = nullptr; // the part of mRow
    std::uint16_t mRowFirstColumn = 0, mRowLastColumn = 0;
    int mRowLines = 1;
    std::size_t mRowHeightsEnd = 0; // where the current block's next row height goes in its part

    // The shared string table: its texts one after another, their starts (and the end), and an open
    // addressing index (per slot: the hash in the high half, table index + 1 in the low half, 0 when
    // free).
    std::string mTextBytes;
    std::vector<std::uint32_t> mTextStarts{0};
    std::vector<std::uint64_t> mTextIndex;
    std::uint32_t mReferences = 0;
};

} // namespace tarvena::xls
