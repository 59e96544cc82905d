#include "exchange/workbooks/spreadsheetdocument.h"

#include "exchange/workbooks/textindex.h"
#include "storage/codepage.h"
#include "storage/error.h"

#include <algorithm>

namespace tarvena {

namespace {

// Marks a write that replaces the cell's text; a bold-only write leaves the text alone.
constexpr std::uint8_t SetsText = 0x80;
constexpr std::uint8_t Format = SpreadsheetDocument::Bold | SpreadsheetDocument::Wrap;

bool sameCell(const SheetCell &a, const SheetCell &b)
{
    return a.row == b.row && a.column == b.column;
}

bool before(const SheetCell &a, const SheetCell &b)
{
    return a.row != b.row ? a.row < b.row : a.column < b.column;
}

// Applies a later write to a cell: format only accumulates, as when a user enters a new value into a
// bold cell; the text and its apostrophe come from the latest text write.
void merge(SheetCell &into, const SheetCell &later)
{
    if (later.flags & SetsText) {
        into.flags = static_cast<std::uint8_t>((into.flags & Format) | later.flags);
        into.text = later.text;
    } else {
        into.flags |= later.flags;
    }
}

bool isEmpty(const SheetCell &cell)
{
    return (cell.flags & (SpreadsheetDocument::HasText | Format)) == 0;
}

void checkPosition(int row, int column)
{
    if (row < 1 || row > SpreadsheetDocument::MaxRows)
        throw Error("Номер строки " + std::to_string(row) + " вне допустимых пределов (1.." +
                    std::to_string(SpreadsheetDocument::MaxRows) + ").");
    if (column < 1 || column > SpreadsheetDocument::MaxColumns)
        throw Error("Номер столбца " + std::to_string(column) + " вне допустимых пределов (1.." +
                    std::to_string(SpreadsheetDocument::MaxColumns) + ").");
}

// CR LF and a lone CR become LF: the one line break both spreadsheet applications show.
std::string normaliseLineBreaks(std::string_view text)
{
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            result += '\n';
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            result += text[i];
        }
    }
    return result;
}

} // namespace

SpreadsheetDocument::SpreadsheetDocument()
{
    ensureSheets(1);
}

SpreadsheetDocument::~SpreadsheetDocument() = default;
SpreadsheetDocument::SpreadsheetDocument(SpreadsheetDocument &&) noexcept = default;
SpreadsheetDocument &SpreadsheetDocument::operator=(SpreadsheetDocument &&) noexcept = default;

void SpreadsheetDocument::ensureSheets(int count)
{
    if (count > MaxSheets)
        throw Error("Номер листа " + std::to_string(count) + " вне допустимых пределов (1.." +
                    std::to_string(MaxSheets) + ").");
    while (sheetCount() < count)
        mSheets.push_back(Sheet{defaultSheetName(sheetCount() + 1), {}, true, {}});
}

SpreadsheetDocument::Sheet &SpreadsheetDocument::sheetAt(int sheet)
{
    if (sheet < 0 || sheet >= sheetCount())
        throw Error("Листа с номером " + std::to_string(sheet + 1) + " нет в книге.");
    return mSheets[sheet];
}

void SpreadsheetDocument::setFormula(int sheet, int row, int column, std::string_view text)
{
    const bool quoted = !text.empty() && text.front() == '\'';
    if (quoted)
        text.remove_prefix(1);
    setText(sheet, row, column, text, quoted);
}

void SpreadsheetDocument::setText(int sheet, int row, int column, std::string_view text, bool quoted)
{
    Sheet &s = sheetAt(sheet);
    std::string normalised;
    const std::uint8_t flags = entry(row, column, text, quoted, normalised);
    SheetCell cell{static_cast<std::uint32_t>(row - 1), static_cast<std::uint16_t>(column - 1),
                   static_cast<std::uint8_t>(SetsText | flags), 0};
    if (flags & HasText)
        cell.text = addText(text);
    append(s, cell);
}

std::uint8_t SpreadsheetDocument::entry(int row, int column, std::string_view &text, bool quoted,
                                        std::string &normalised)
{
    checkPosition(row, column);
    if (text.find('\r') != std::string_view::npos)
        text = normalised = normaliseLineBreaks(text);
    // Code page 1251 has no character outside the basic plane: one byte is one UTF-16 unit.
    if (text.size() > static_cast<std::size_t>(MaxTextLength))
        throw Error("Текст для ячейки (строка " + std::to_string(row) + ", столбец " +
                    std::to_string(column) + ") длиннее " + std::to_string(MaxTextLength) +
                    " знаков и не помещается в ячейку книги Excel 97.");
    if (text.empty())
        return 0;
    std::uint8_t flags = HasText;
    if (quoted)
        flags |= QuotePrefix;
    if (text.find('\n') != std::string::npos)
        flags |= Wrap;
    return flags;
}

std::string SpreadsheetDocument::defaultSheetName(int number)
{
    return codepage::utf8ToCp1251("Лист") + std::to_string(number);
}

std::string SpreadsheetDocument::partName(const std::string &sheetName, std::uint32_t k)
{
    return k == 0 ? sheetName : sheetName + " (" + std::to_string(k + 1) + ")";
}

void SpreadsheetDocument::setBold(int sheet, int row, int column)
{
    Sheet &s = sheetAt(sheet);
    checkPosition(row, column);
    append(s,
           SheetCell{static_cast<std::uint32_t>(row - 1), static_cast<std::uint16_t>(column - 1), Bold, 0});
}

void SpreadsheetDocument::setColumnWidth(int sheet, int column, int width)
{
    Sheet &s = sheetAt(sheet);
    checkPosition(1, column);
    s.widths[column - 1] = width;
}

void SpreadsheetDocument::append(Sheet &s, SheetCell cell)
{
    // Writes mostly come in row order, and bold follows the text of the same cell: both stay cheap.
    if (!s.cells.empty() && sameCell(s.cells.back(), cell)) {
        merge(s.cells.back(), cell);
        if (isEmpty(s.cells.back()))
            s.normalised = false;
        return;
    }
    if (!s.cells.empty() && before(cell, s.cells.back()))
        s.normalised = false;
    if (isEmpty(cell))
        s.normalised = false;
    s.cells.push_back(cell);
}

void SpreadsheetDocument::normalise(const Sheet &s) const
{
    std::stable_sort(s.cells.begin(), s.cells.end(), before);
    std::vector<SheetCell> merged;
    merged.reserve(s.cells.size());
    for (const SheetCell &cell : s.cells) {
        if (!merged.empty() && sameCell(merged.back(), cell))
            merge(merged.back(), cell);
        else
            merged.push_back(cell);
    }
    std::erase_if(merged, isEmpty);
    s.cells = std::move(merged);
    s.normalised = true;
}

const std::vector<SheetCell> &SpreadsheetDocument::cells(int sheet) const
{
    const Sheet &s = mSheets.at(sheet);
    if (!s.normalised)
        normalise(s);
    return s.cells;
}

std::uint32_t SpreadsheetDocument::addText(std::string_view value)
{
    const auto index = static_cast<std::uint32_t>(mTexts.size());
    // While the lookup table is small enough to stay in the cache, an equal text is found again; past
    // that texts are only appended.
    std::size_t freeSlot = 0;
    std::uint64_t hash = 0;
    const bool lookUp = mTexts.size() < LookedUpTexts;
    if (lookUp) {
        if (2 * (mTexts.size() + 1) > mTextIndex.size())
            growTextIndex();
        hash = std::hash<std::string_view>()(value) & 0xFFFFFFFF00000000u;
        const std::size_t mask = mTextIndex.size() - 1;
        for (freeSlot = (hash >> 32) & mask; mTextIndex[freeSlot] != 0; freeSlot = (freeSlot + 1) & mask) {
            const std::uint64_t entry = mTextIndex[freeSlot];
            const auto found = static_cast<std::uint32_t>(entry) - 1;
            if ((entry & 0xFFFFFFFF00000000u) == hash && text(found) == value)
                return found;
        }
    }
    mTexts.push_back({mTextBytes.size(), value.size()});
    mTextBytes.append(value);
    if (lookUp)
        mTextIndex[freeSlot] = hash | (index + 1);
    return index;
}

void SpreadsheetDocument::growTextIndex()
{
    xls::resizeTextIndex(mTextIndex, std::max<std::size_t>(64, 2 * mTextIndex.size()));
}

std::vector<SheetPart> SpreadsheetDocument::parts() const
{
    std::vector<SheetPart> result;
    for (int sheet = 0; sheet < sheetCount(); ++sheet) {
        const std::vector<SheetCell> &list = cells(sheet);
        const std::uint32_t rows = list.empty() ? 0 : list.back().row + 1;
        const std::uint32_t count = rows == 0 ? 1 : (rows - 1) / RowsPerSheet + 1;
        for (std::uint32_t k = 0; k < count; ++k) {
            SheetPart part;
            part.sheet = sheet;
            part.firstRow = k * RowsPerSheet;
            part.rowCount = std::min<std::uint32_t>(RowsPerSheet, rows - std::min(rows, part.firstRow));
            part.name = partName(mSheets[sheet].name, k);
            result.push_back(std::move(part));
        }
    }
    return result;
}

std::span<const SheetCell> SpreadsheetDocument::cells(const SheetPart &part) const
{
    const std::vector<SheetCell> &all = cells(part.sheet);
    auto rowBelow = [](const SheetCell &c, std::uint32_t row) { return c.row < row; };
    auto first = std::lower_bound(all.begin(), all.end(), part.firstRow, rowBelow);
    auto last = std::lower_bound(first, all.end(), part.firstRow + part.rowCount, rowBelow);
    return {first, last};
}

} // namespace tarvena
