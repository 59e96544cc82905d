#pragma once
// The column sets of the horizon grids of pages 5 to 11: which field each column shows, under which
// title, and how the grid edits it. The editor's grids and the unpacked grid copies both use them, so
// the spreadsheet copy of a grid has exactly the grid's columns and titles.
#include <string>
#include <vector>

namespace tarvena {

// How a grid edits a column.
enum class ColumnKind
{
    Text,        // typed through the field's text rules
    ReadOnly,    // a stored field shown here and edited on another page
    Calculated,  // computed from the row, never typed
    UnitButton,  // the stratigraphic unit's name; the cell's button opens the stratigraphy picker
    ScaleButton, // the scale's text; the cell's button opens the map scale editor
    List         // a drop-down over the lookup of the column's field; the pick stores the key
};

struct ColumnSpec
{
    std::string fieldName; // the table field shown in the column
    std::string title;     // code page 1251, line breaks and blanks exactly as the grid shows them
    ColumnKind kind = ColumnKind::Text;

    bool editable() const { return kind != ColumnKind::ReadOnly && kind != ColumnKind::Calculated; }
};

using ColumnSet = std::vector<ColumnSpec>;

// The column set of a horizon grid by its name: "JvDBGrid1" .. "JvDBGrid10", "JvDBGrid14".
// Throws Error for another name.
const ColumnSet &gridColumns(const std::string &gridName);
// The table a horizon grid shows: "REFLECT_HORIZONTS", "POSIB_PRODUCT_HOR" or "KONTUR".
const std::string &gridTableName(const std::string &gridName);
// Every grid that has a column set, in the order of the pages.
const std::vector<std::string> &gridNames();

} // namespace tarvena
