#pragma once
// The document a spreadsheet engine holds while one workbook is written: sheets of text cells, bold
// cells and column widths. Each engine saves it as an Excel 97 workbook in its own way.
#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tarvena {

// A cell as the savers read it; row and column are 0-based, the row counted over the whole sheet.
struct SheetCell
{
    std::uint32_t row = 0;
    std::uint16_t column = 0;
    std::uint8_t flags = 0; // SpreadsheetDocument::CellFlag bits
    std::uint32_t text = 0; // index into SpreadsheetDocument::text() when HasText is set
};

// One sheet of the saved workbook. A document sheet longer than RowsPerSheet rows is cut into
// several parts that follow each other in the workbook, so that no row is lost to the format's limit.
struct SheetPart
{
    int sheet = 0;              // index of the document sheet
    std::uint32_t firstRow = 0; // 0-based row of the document sheet that becomes the part's row 0
    std::uint32_t rowCount = 0;
    std::string name; // code page 1251: the sheet's name, then "name (2)", "name (3)", ...
};

class SpreadsheetDocument
{
public:
    static constexpr int RowsPerSheet = 65536;
    static constexpr int MaxRows = 1048576;
    static constexpr int MaxColumns = 256;
    static constexpr int MaxSheets = 255;
    static constexpr int MaxTextLength = 32767;

    enum CellFlag : std::uint8_t
    {
        Bold = 1,
        Wrap = 2,        // the text holds line breaks
        QuotePrefix = 4, // the text was entered after an apostrophe
        HasText = 8
    };

    // A new document holds one empty sheet, "Лист1".
    SpreadsheetDocument();
    ~SpreadsheetDocument();
    SpreadsheetDocument(SpreadsheetDocument &&) noexcept;
    SpreadsheetDocument &operator=(SpreadsheetDocument &&) noexcept;

    int sheetCount() const { return static_cast<int>(mSheets.size()); }
    // Appends empty sheets "ЛистN" until there are count sheets.
    void ensureSheets(int count);
    const std::string &sheetName(int sheet) const { return mSheets.at(sheet).name; }

    // Sheets are 0-based, rows and columns 1-based. The text is code page 1251 and is taken as an
    // entry typed into the cell: a leading apostrophe marks it as text and is not stored; line breaks
    // (CR LF, CR, LF) are kept as LF. An empty text clears the cell's text but not its format.
    void setFormula(int sheet, int row, int column, std::string_view text);
    // The text of an entry, without the apostrophe that quoted says it had.
    void setText(int sheet, int row, int column, std::string_view text, bool quoted);
    void setBold(int sheet, int row, int column);
    // The width is kept as given; what its unit is belongs to the engine that saves the document.
    void setColumnWidth(int sheet, int column, int width);

    // The cells of a sheet in row, then column order, one entry per cell.
    const std::vector<SheetCell> &cells(int sheet) const;
    // 0-based column -> width as given to setColumnWidth.
    const std::map<int, int> &columnWidths(int sheet) const { return mSheets.at(sheet).widths; }
    // The texts by number; equal texts may have more than one number.
    std::string_view text(std::uint32_t index) const
    {
        return std::string_view(mTextBytes).substr(mTexts[index].offset, mTexts[index].length);
    }
    std::size_t textCount() const { return mTexts.size(); }
    std::vector<SheetPart> parts() const;
    // "ЛистN", the name of sheet number (1-based) of a new document.
    static std::string defaultSheetName(int number);
    // The name of part k (0-based) of a sheet cut into parts.
    static std::string partName(const std::string &sheetName, std::uint32_t k);
    // What setText stores for an entry at row and column (1-based): its flags (HasText, QuotePrefix,
    // Wrap; 0 for an empty text), text changed to the stored text, which normalised holds when its
    // line breaks had to change. Throws Error for a cell outside the sheet or a text too long for it.
    static std::uint8_t entry(int row, int column, std::string_view &text, bool quoted,
                              std::string &normalised);
    // The cells of one part, rows still counted over the whole sheet.
    std::span<const SheetCell> cells(const SheetPart &part) const;

private:
    struct Sheet
    {
        std::string name;
        // Writes in the order they came; normalised into one entry per cell when read.
        mutable std::vector<SheetCell> cells;
        mutable bool normalised = true;
        std::map<int, int> widths;
    };
    Sheet &sheetAt(int sheet);
    void append(Sheet &s, SheetCell cell);
    void normalise(const Sheet &s) const;
    std::uint32_t addText(std::string_view text);
    void growTextIndex();

    std::vector<Sheet> mSheets;
    // The texts one after another in one buffer, so that a sheet of a hundred thousand rows stays a
    // few allocations. The first LookedUpTexts distinct texts are found again through an open
    // addressing table (per slot: the hash in the high half, text number + 1 in the low half, 0 when
    // free); a larger table would miss the cache on nearly every text, so later texts are appended
    // as they come and the workbook writer finds the equal ones at once when it saves.
    static constexpr std::size_t LookedUpTexts = 1 << 14;
    struct TextSpan
    {
        std::size_t offset;
        std::size_t length;
    };
    std::string mTextBytes;
    std::vector<TextSpan> mTexts;
    std::vector<std::uint64_t> mTextIndex;
};

} // namespace tarvena
