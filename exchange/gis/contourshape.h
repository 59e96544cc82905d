#pragma once
// Whether a contour's points make a ring that has an area: a ring whose edges cross or overlap, or
// whose points all coincide, gives a figure (often 0) that would read as a measurement.
#include <string>
#include <vector>

namespace tarvena::gis {

// Of a ring (not closed: the last edge runs back to the first point) of at least three points:
// "все точки контура совпадают", "контур пересекает сам себя" (UTF-8), or empty when the ring is a
// simple one. Points repeated one after another are no crossing.
std::string contourShapeFault(const std::vector<double> &x, const std::vector<double> &y);

} // namespace tarvena::gis
