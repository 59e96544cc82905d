#pragma once
// The geodesic areas of many contours at once, on every core of the machine: PROJ's geodesic
// polygon area is the costly part of writing a large passport to a GIS file.
#include "exchange/gis/placedcontour.h"

#include <vector>

namespace tarvena::gis {

// geodesicAreaKm2 of each ring, in the order of the rings.
std::vector<double> geodesicAreasKm2(const std::vector<GeographicRing> &rings);

} // namespace tarvena::gis
