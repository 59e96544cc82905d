#include "exchange/workbooks/fodsdocument.h"

#include "storage/codepage.h"

#include <algorithm>
#include <span>

namespace tarvena {

namespace {

const char *const Prologue =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<office:document xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\""
    " xmlns:style=\"urn:oasis:names:tc:opendocument:xmlns:style:1.0\""
    " xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\""
    " xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\""
    " xmlns:fo=\"urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0\""
    " office:version=\"1.2\" office:mimetype=\"application/vnd.oasis.opendocument.spreadsheet\">\n";

// Cell styles by the document's flags: bold and wrapped lines.
const char *const CellStyles =
    "<style:style style:name=\"ceB\" style:family=\"table-cell\"><style:text-properties"
    " fo:font-weight=\"bold\" style:font-weight-asian=\"bold\" style:font-weight-complex=\"bold\"/>"
    "</style:style>\n"
    "<style:style style:name=\"ceW\" style:family=\"table-cell\"><style:table-cell-properties"
    " fo:wrap-option=\"wrap\"/></style:style>\n"
    "<style:style style:name=\"ceBW\" style:family=\"table-cell\"><style:table-cell-properties"
    " fo:wrap-option=\"wrap\"/><style:text-properties fo:font-weight=\"bold\""
    " style:font-weight-asian=\"bold\" style:font-weight-complex=\"bold\"/></style:style>\n";

std::string millimetres(int hundredths)
{
    hundredths = std::max(hundredths, 0);
    const int fraction = hundredths % 100;
    return std::to_string(hundredths / 100) + (fraction < 10 ? ".0" : ".") + std::to_string(fraction) + "mm";
}

std::string columnStyleName(int width)
{
    return "co" + std::to_string(std::max(width, 0));
}

void putEscaped(std::string &out, char c)
{
    switch (c) {
    case '&':
        out += "&amp;";
        break;
    case '<':
        out += "&lt;";
        break;
    case '>':
        out += "&gt;";
        break;
    case '"':
        out += "&quot;";
        break;
    default:
        out += c;
    }
}

void putAttribute(std::string &out, const char *name, const std::string &value)
{
    out += ' ';
    out += name;
    out += "=\"";
    for (char c : value)
        putEscaped(out, c);
    out += '"';
}

// One paragraph per line. XML readers collapse runs of spaces and drop them at the ends of a
// paragraph, so every space but a single one between two other characters is a space element.
void putText(std::string &out, const std::string &utf8)
{
    out += "<text:p>";
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const char c = utf8[i];
        if (c == '\n') {
            out += "</text:p><text:p>";
        } else if (c == ' ') {
            const bool between = i > 0 && i + 1 < utf8.size() && utf8[i - 1] != ' ' && utf8[i - 1] != '\n' &&
                                 utf8[i + 1] != ' ' && utf8[i + 1] != '\n';
            out += between ? " " : "<text:s/>";
        } else if (c == '\t') {
            out += "<text:tab/>";
        } else if (static_cast<unsigned char>(c) >= 0x20) {
            putEscaped(out, c);
        }
    }
    out += "</text:p>";
}

const char *cellStyle(std::uint8_t flags)
{
    const bool bold = flags & SpreadsheetDocument::Bold;
    const bool wrap = flags & SpreadsheetDocument::Wrap;
    return bold ? (wrap ? "ceBW" : "ceB") : (wrap ? "ceW" : nullptr);
}

void putRepeated(std::string &out, const char *element, const char *attribute, std::uint32_t count)
{
    out += '<';
    out += element;
    if (count > 1)
        putAttribute(out, attribute, std::to_string(count));
    out += "/>";
}

void putColumns(std::string &out, const std::map<int, int> &widths)
{
    if (widths.empty())
        return;
    const int last = widths.rbegin()->first;
    for (int c = 0; c <= last;) {
        auto it = widths.find(c);
        int run = 1;
        if (it == widths.end()) {
            while (c + run <= last && !widths.count(c + run))
                ++run;
            putRepeated(out, "table:table-column", "table:number-columns-repeated", run);
        } else {
            out += "<table:table-column";
            putAttribute(out, "table:style-name", columnStyleName(it->second));
            if (it->second <= 0)
                putAttribute(out, "table:visibility", "collapse");
            out += "/>";
        }
        c += run;
    }
    out += '\n';
}

void putRows(std::string &out, const SpreadsheetDocument &doc, std::span<const SheetCell> cells,
             std::uint32_t firstRow)
{
    std::uint32_t nextRow = firstRow;
    for (std::size_t i = 0; i < cells.size();) {
        const std::uint32_t row = cells[i].row;
        if (row > nextRow) {
            out += "<table:table-row";
            if (row - nextRow > 1)
                putAttribute(out, "table:number-rows-repeated", std::to_string(row - nextRow));
            out += "><table:table-cell/></table:table-row>\n";
        }
        out += "<table:table-row>";
        std::uint16_t nextColumn = 0;
        for (; i < cells.size() && cells[i].row == row; ++i) {
            const SheetCell &cell = cells[i];
            if (cell.column > nextColumn)
                putRepeated(out, "table:table-cell", "table:number-columns-repeated",
                            cell.column - nextColumn);
            out += "<table:table-cell";
            if (const char *style = cellStyle(cell.flags))
                putAttribute(out, "table:style-name", style);
            if (cell.flags & SpreadsheetDocument::HasText) {
                putAttribute(out, "office:value-type", "string");
                out += '>';
                putText(out, codepage::cp1251ToUtf8(doc.text(cell.text)));
                out += "</table:table-cell>";
            } else {
                out += "/>";
            }
            nextColumn = static_cast<std::uint16_t>(cell.column + 1);
        }
        out += "</table:table-row>\n";
        nextRow = row + 1;
    }
}

} // namespace

std::string fodsDocument(const SpreadsheetDocument &doc)
{
    std::string out = Prologue;
    out += "<office:automatic-styles>\n";
    out += CellStyles;
    std::map<int, bool> widthsSeen;
    for (int s = 0; s < doc.sheetCount(); ++s)
        for (const auto &[column, width] : doc.columnWidths(s))
            widthsSeen[std::max(width, 0)] = true;
    for (const auto &[width, seen] : widthsSeen) {
        out += "<style:style";
        putAttribute(out, "style:name", columnStyleName(width));
        out += " style:family=\"table-column\"><style:table-column-properties";
        putAttribute(out, "style:column-width", millimetres(width));
        out += "/></style:style>\n";
    }
    out += "</office:automatic-styles>\n<office:body><office:spreadsheet>\n";

    for (const SheetPart &part : doc.parts()) {
        const std::span<const SheetCell> cells = doc.cells(part);
        out += "<table:table";
        putAttribute(out, "table:name", codepage::cp1251ToUtf8(part.name));
        out += ">\n";
        putColumns(out, doc.columnWidths(part.sheet));
        if (cells.empty())
            out += "<table:table-row><table:table-cell/></table:table-row>\n";
        putRows(out, doc, cells, part.firstRow);
        out += "</table:table>\n";
    }
    out += "</office:spreadsheet></office:body></office:document>\n";
    return out;
}

} // namespace tarvena
