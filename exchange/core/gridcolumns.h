#pragma once
// The column sets of the horizon grids of pages 5 to 11: which field each column shows, under which
// title, and how the grid edits it. The editor's grids and the unpacked grid copies both use them.
//
// Notes hold "; "-separated marks: "read-only" (edited on another page), "calculated" (computed from
// the row, never typed), "unit button" (stratigraphy picker), "scale button" (map scale editor),
// "list DictN" (drop-down over that dictionary view, stores the entry's ID in the key field),
// "list REFLECT_HORIZONTS.INDEXOG" (drop-down of the reflecting horizons, stores the horizon's ID),
// "name from TCoords" (the name of the coordinate system).
#include "exchange/core/columnset.h"

#include <string>

namespace tarvena {

// The column set of a horizon grid by its name: "JvDBGrid1" .. "JvDBGrid10", "JvDBGrid14".
// Throws Error for another name.
const ColumnSet &gridColumns(const std::string &gridName);

} // namespace tarvena
