#pragma once
// A column set: the columns of a grid as plain data, shared by the editor's grids and by the
// spreadsheet copies of those grids.
#include <string>
#include <vector>

namespace tarvena {

struct ColumnSpec
{
    std::string fieldName; // the table field shown in the column
    std::string title;     // code page 1251, line breaks and spaces exactly as the grid shows them
    std::string notes;     // how the grid edits the column (read-only, calculated, a list, a button)
};

using ColumnSet = std::vector<ColumnSpec>;

} // namespace tarvena
