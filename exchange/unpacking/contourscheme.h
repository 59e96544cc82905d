#pragma once
// The scheme of the trap contours that the contour page draws: one closed outline per productive
// horizon and the extent of all points. Gathering it recounts every horizon's points.
#include "model/horizons.h"

#include <string>
#include <vector>

namespace tarvena {

class TDataModule2;

struct ContourOutline
{
    std::string title; // the horizon's STRATIGRSVIT text (code page 1251)
    int system = 0;    // KONTURKOORDTYPE, 0 when empty
    // The contour's points in order, the first once more at the end; empty for a horizon without. An
    // empty coordinate is drawn as 0.
    StoredContour points;
};

struct ContourScheme
{
    std::vector<ContourOutline> outlines; // one per horizon, in the horizons' current order
    // The extent of every point of every horizon; all 0 when there is no point.
    double minX = 0, maxX = 0, minY = 0, maxY = 0;
};

// Walks the productive horizons from the first, gathering each one's contour (an empty coordinate
// counts as 0 in the extent); a horizon whose KONTURNUMPOINTS differs from its number of points is edited to
// the true number and posted. Leaves the first horizon current.
ContourScheme redrawContours(TDataModule2 &dm);

} // namespace tarvena
