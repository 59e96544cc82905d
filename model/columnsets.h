#pragma once
// The column sets of the horizon grids of pages 5 to 11: which field each column shows, under which
// title, and how the grid edits it. The editor's grids and the unpacked grid copies both use them, so
// the spreadsheet copy of a grid has exactly the grid's columns and titles.
#include "model/fieldkind.h"

#include <string>
#include <vector>

namespace tarvena {

struct ColumnSpec
{
    std::string fieldName; // the table field shown in the column
    std::string title;     // code page 1251, line breaks and blanks exactly as the grid shows them
    // How the grid edits the column; a cell takes a number as Text, through the field's rules.
    FieldKind kind = FieldKind::Text;

    bool editable() const { return isTypedKind(kind); }
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
