#include "exchange/gis/contourshape.h"

#include <ogr_geometry.h>

#include <algorithm>

namespace tarvena::gis {

std::string contourShapeFault(const std::vector<double> &x, const std::vector<double> &y)
{
    const bool oneX = std::all_of(x.begin(), x.end(), [&](double v) { return v == x.front(); });
    const bool oneY = std::all_of(y.begin(), y.end(), [&](double v) { return v == y.front(); });
    if (x.empty() || (oneX && oneY))
        return "все точки контура совпадают";
    // GEOS finds a crossing of any two edges in n log n; the ring is closed as a line string.
    OGRLineString ring;
    ring.setNumPoints(static_cast<int>(x.size() + 1), false);
    for (std::size_t i = 0; i < x.size(); ++i)
        ring.setPoint(static_cast<int>(i), x[i], y[i]);
    ring.setPoint(static_cast<int>(x.size()), x.front(), y.front());
    return ring.IsSimple() ? std::string() : "контур пересекает сам себя";
}

} // namespace tarvena::gis
