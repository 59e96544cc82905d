#pragma once
// The scheme of the trap contours in geographic degrees, so that contours of every coordinate system
// share one pair of axes: degrees as they are, projected points transformed with the reference
// systems of the GIS export.
#include "exchange/gis/crschoice.h"
#include "exchange/unpacking/contourscheme.h"

#include <string>
#include <vector>

namespace tarvena::gis {

struct DegreeOutline
{
    std::string title;                       // code page 1251, as the horizon holds it
    std::vector<double> longitude, latitude; // closed; empty for a horizon without points
};

struct DegreeScheme
{
    std::vector<DegreeOutline> outlines; // the horizons that could be placed, in order
    // "Горизонт N «name»: reason" (UTF-8) for each horizon with points that could not be placed.
    std::vector<std::string> notPlaced;
    // The extent of every placed point; empty is true when there is none.
    bool empty = true;
    double minX = 0, maxX = 0, minY = 0, maxY = 0;
};

// Places every outline of the scheme in the geographic CRS of the settings (Pulkovo 1942 unless said
// otherwise). A horizon without a system, with a point without coordinates or in a zone the
// projection lacks is left out and named in notPlaced.
DegreeScheme schemeInDegrees(const ContourScheme &scheme, const CrsSettings &settings = {});

} // namespace tarvena::gis
