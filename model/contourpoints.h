#pragma once
// The contour page's changes to the current horizon's contour: an import replaces it by the points
// read from text, clear empties it. Both leave the horizon's point count true and the passport marked
// modified. The contour table's views hear one notice when the change is done.
#include "model/contourimport.h"

#include <string_view>
#include <vector>

namespace tarvena {

class TDataModule2;

// The points of the current productive horizon become points, in order, after the points of the other
// horizons; the old points are gone. A point being typed is posted first (or dropped when nothing was
// typed into it). Throws Error when there is no current horizon to hold a contour.
void replaceContour(TDataModule2 &dm, const std::vector<ContourPoint> &points);
void clearContour(TDataModule2 &dm);

// Reads text (code page 1251) in the current horizon's coordinate system and, when every line in
// range was read, replaces its contour; a stopped import changes nothing. Throws Error for settings
// that cannot be read (start line below 1) or when there is no current horizon.
ContourImportResult importContour(TDataModule2 &dm, std::string_view text, ContourImportSettings settings);

} // namespace tarvena
