#include "exchange/workbooks/streamedsheet.h"

#include "exchange/workbooks/textindex.h"
#include "exchange/workbooks/textlines.h"
#include "storage/error.h"

#include <algorithm>
#include <cstring>

namespace tarvena::xls {

namespace {

constexpr std::uint32_t RowsPerPart = SpreadsheetDocument::RowsPerSheet;
constexpr std::size_t LabelSstSize = 14; // a text cell's record: header, row, column, format, text
constexpr std::uint64_t HashBits = 0xFFFFFFFF00000000u;

// A hash of the short texts a large sheet is made of (numbers, coordinates), eight bytes at a time.
std::uint64_t textHash(std::string_view text)
{
    std::uint64_t h = 0x9E3779B97F4A7C15u ^ text.size();
    std::size_t i = 0;
    for (; i + 8 <= text.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, text.data() + i, 8);
        h = (h ^ word) * 0xBF58476D1CE4E5B9u;
        h ^= h >> 31;
    }
    // The last bytes as two overlapping words, or three single bytes: no byte-by-byte copy to a word.
    const char *rest = text.data() + i;
    const std::size_t left = text.size() - i;
    std::uint64_t tail = 0;
    if (left >= 4) {
        std::uint32_t first, last;
        std::memcpy(&first, rest, 4);
        std::memcpy(&last, rest + left - 4, 4);
        tail = (std::uint64_t(first) << 32) | last;
    } else if (left > 0) {
        const auto byte = [&](std::size_t k) { return std::uint64_t(static_cast<unsigned char>(rest[k])); };
        tail = (byte(0) << 16) | (byte(left / 2) << 8) | byte(left - 1);
    }
    h = (h ^ tail) * 0x94D049BB133111EBu;
    return h ^ (h >> 29);
}

// Whether an entry is stored as it is, as the texts of a large sheet mostly are: a short text without
// a line break in a cell within the sheet. SpreadsheetDocument::entry decides the others.
bool inSheet(int row, int column)
{
    return row >= 1 && row <= SpreadsheetDocument::MaxRows && column >= 1 &&
           column <= SpreadsheetDocument::MaxColumns;
}

bool plainEntry(int row, int column, std::string_view text)
{
    if (!inSheet(row, column) || text.size() > 64)
        return false;
    // Eight bytes at a time: a byte equal to CR or LF turns into a zero byte, which sets its top bit.
    constexpr std::uint64_t ones = 0x0101010101010101u, tops = 0x8080808080808080u;
    const auto hasBreak = [&](std::uint64_t word) {
        const std::uint64_t cr = word ^ (ones * '\r'), lf = word ^ (ones * '\n');
        return (((cr - ones) & ~cr) | ((lf - ones) & ~lf)) & tops;
    };
    std::size_t i = 0;
    for (; i + 8 <= text.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, text.data() + i, 8);
        if (hasBreak(word))
            return false;
    }
    for (; i < text.size(); ++i)
        if (text[i] == '\r' || text[i] == '\n')
            return false;
    return true;
}

} // namespace

void ByteRun::reserve(std::size_t capacity)
{
    if (capacity <= mCapacity)
        return;
    auto data = std::make_unique_for_overwrite<std::uint8_t[]>(capacity);
    std::copy_n(mData.get(), mSize, data.get());
    mData = std::move(data);
    mCapacity = capacity;
}

void ByteRun::insert(std::size_t at, const std::vector<std::uint8_t> &bytes)
{
    const std::size_t tail = mSize - at;
    append(bytes.size());
    std::copy_backward(mData.get() + at, mData.get() + at + tail, mData.get() + mSize);
    std::copy(bytes.begin(), bytes.end(), mData.get() + at);
}

StreamedSheet::StreamedSheet(std::size_t expectedCells) : mExpectedCells(expectedCells)
{
    mTextIndex.assign(64, 0);
}

StreamedSheet::Part &StreamedSheet::partOf(std::uint32_t row)
{
    const std::size_t k = row / RowsPerPart;
    while (mParts.size() <= k) {
        mParts.emplace_back();
        const std::size_t left = mExpectedCells > mCellCount ? mExpectedCells - mCellCount : 0;
        mParts.back().cells.reserve(std::min<std::size_t>(left, 2 * RowsPerPart) * LabelSstSize + 256);
    }
    return mParts[k];
}

// The row height of the row just written, when its wrapped text needs more than one line: it goes
// after the heights of the block's earlier rows, before the block's cells.
void StreamedSheet::finishRow()
{
    if (mRow == NoRow || mRowLines <= 1)
        return;
    std::vector<std::uint8_t> record;
    RecordWriter w(record);
    putRowHeight(w, static_cast<std::uint16_t>(mRow % RowsPerPart), mRowFirstColumn,
                 static_cast<std::uint16_t>(mRowLastColumn + 1), mRowLines);
    partOf(mRow).cells.insert(mRowHeightsEnd, record);
    mRowHeightsEnd += record.size();
}

StreamedSheet::SharedText StreamedSheet::quotedText(int row, int column, std::string_view text, bool bold)
{
    if (text.empty())
        return {};
    std::string normalised;
    SharedText shared;
    shared.flags = plainEntry(row, column, text)
                       ? SpreadsheetDocument::HasText | SpreadsheetDocument::QuotePrefix
                       : SpreadsheetDocument::entry(row, column, text, true, normalised);
    if (!shared.flags)
        return {};
    if (bold)
        shared.flags |= SpreadsheetDocument::Bold;
    shared.format = cellFormat(shared.flags);
    if (shared.flags & SpreadsheetDocument::Wrap)
        shared.lines = cellLines(text, shared.flags, DefaultColumnPixels);
    checkOrder(row, column);
    shared.index = sharedIndex(text);
    place(row, column, shared);
    return shared;
}

void StreamedSheet::sharedText(int row, int column, const SharedText &text)
{
    if (text.index == SharedText::None)
        return;
    if (!inSheet(row, column)) {
        std::string_view none;
        std::string normalised;
        SpreadsheetDocument::entry(row, column, none, true, normalised); // throws for the position
    }
    checkOrder(row, column);
    place(row, column, text);
}

void StreamedSheet::checkOrder(int row, int column) const
{
    const auto r = static_cast<std::uint32_t>(row - 1);
    if (mRow != NoRow &&
        (r < mRow || (r == mRow && static_cast<std::uint16_t>(column - 1) <= mRowLastColumn)))
        throw Error("Ячейки листа записываются по порядку строк и столбцов.");
}

void StreamedSheet::place(int row, int column, const SharedText &text)
{
    const auto r = static_cast<std::uint32_t>(row - 1);
    const auto c = static_cast<std::uint16_t>(column - 1);
    if (r != mRow) {
        Part &part = partOf(r);
        finishRow();
        if (mRow == NoRow || r / RowsPerBlock != mRow / RowsPerBlock)
            mRowHeightsEnd = part.cells.size();
        mRow = r;
        mPart = &part;
        mRowFirstColumn = c;
        mRowLines = 1;
    }
    Part &part = *mPart;
    mRowLastColumn = c;
    mRowLines = std::max(mRowLines, text.lines);

    const std::uint32_t partRow = r % RowsPerPart;
    if (part.empty) {
        part.extent = {partRow, partRow + 1, c, static_cast<std::uint16_t>(c + 1)};
        part.empty = false;
    } else {
        part.extent.endRow = partRow + 1;
        part.extent.firstColumn = std::min(part.extent.firstColumn, c);
        part.extent.endColumn = std::max(part.extent.endColumn, static_cast<std::uint16_t>(c + 1));
    }

    ++mReferences;
    ++mCellCount;
    std::uint8_t *p = part.cells.append(LabelSstSize);
    RecordWriter::putLe16(p, record::LabelSst);
    RecordWriter::putLe16(p + 2, LabelSstSize - 4);
    RecordWriter::putLe16(p + 4, static_cast<std::uint16_t>(partRow));
    RecordWriter::putLe16(p + 6, c);
    RecordWriter::putLe16(p + 8, text.format);
    RecordWriter::putLe32(p + 10, text.index);
}

std::uint32_t StreamedSheet::sharedIndex(std::string_view text)
{
    const std::uint64_t hash = textHash(text) & HashBits;
    const std::size_t mask = mTextIndex.size() - 1;
    std::size_t slot = (hash >> 32) & mask;
    for (; mTextIndex[slot] != 0; slot = (slot + 1) & mask) {
        const std::uint64_t entry = mTextIndex[slot];
        if ((entry & HashBits) != hash)
            continue;
        const auto found = static_cast<std::uint32_t>(entry) - 1;
        const std::size_t start = mTextStarts[found];
        if (std::string_view(mTextBytes).substr(start, mTextStarts[found + 1] - start) == text)
            return found;
    }
    const auto index = static_cast<std::uint32_t>(mTextStarts.size() - 1);
    mTextBytes.append(text);
    mTextStarts.push_back(static_cast<std::uint32_t>(mTextBytes.size()));
    mTextIndex[slot] = hash | (index + 1);
    if (2 * (index + 1) > mTextIndex.size())
        growIndex();
    return index;
}

void StreamedSheet::growIndex()
{
    resizeTextIndex(mTextIndex, 2 * mTextIndex.size());
}

std::vector<std::uint8_t> StreamedSheet::stream()
{
    finishRow();
    mRow = NoRow;
    mPart = nullptr;
    if (mParts.empty())
        partOf(0);

    const std::size_t texts = mTextStarts.size() - 1;
    std::size_t size = 4096 + 3 * texts + 2 * mTextBytes.size() + 8 * (texts / 8 + 1);
    for (const Part &part : mParts)
        size += 128 + part.cells.size();
    size += 8 * (size / MaxRecordData + 1);
    std::vector<std::uint8_t> out;
    out.reserve(size);
    RecordWriter w(out);

    const std::string sheetName = SpreadsheetDocument::defaultSheetName(1);
    std::vector<std::string> names;
    for (std::size_t k = 0; k < mParts.size(); ++k)
        names.push_back(SpreadsheetDocument::partName(sheetName, static_cast<std::uint32_t>(k)));
    const SharedTexts shared{
        mReferences, texts, [this](std::size_t i) {
            return std::string_view(mTextBytes).substr(mTextStarts[i], mTextStarts[i + 1] - mTextStarts[i]);
        }};
    const std::vector<std::size_t> sheetOffsets = putGlobals(w, names, shared);
    for (std::size_t k = 0; k < mParts.size(); ++k) {
        w.patch32(sheetOffsets[k], static_cast<std::uint32_t>(w.position()));
        putSheetStart(w, {}, mParts[k].extent);
        const ByteRun &cells = mParts[k].cells;
        w.bytes(cells.data(), cells.size());
        putSheetEnd(w, k == 0);
    }
    return out;
}

} // namespace tarvena::xls
