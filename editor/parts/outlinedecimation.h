#pragma once
// A contour outline thinned to what a plot can show: of the points that follow each other within one
// pixel column only the first, the lowest, the highest and the last are drawn, so the outline looks
// the same while a chart of 100,000 points draws a few thousand.
#include <QList>
#include <QPointF>

#include <vector>

namespace tarvena::editor {

// The outline (x, y in order) for a plot `columns` pixels wide spanning minX to maxX. An outline of
// no more than two points per column is kept whole.
QList<QPointF> decimatedOutline(const std::vector<double> &x, const std::vector<double> &y, double minX,
                                double maxX, int columns);

} // namespace tarvena::editor
