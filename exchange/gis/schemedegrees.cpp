#include "exchange/gis/schemedegrees.h"

#include "exchange/gis/placedcontour.h"
#include "exchange/gis/projections.h"
#include "storage/codepage.h"
#include "storage/error.h"

#include <algorithm>
#include <cmath>

namespace tarvena::gis {

namespace {

// The outline's points in degrees of `target`; throws Error (UTF-8, the reason alone).
DegreeOutline placed(const ContourOutline &outline, int target, const CrsSettings &settings)
{
    DegreeOutline result{outline.title, {}, {}};
    const std::size_t count = outline.points.size();
    result.longitude.reserve(count);
    result.latitude.reserve(count);
    // Consecutive points in one CRS are transformed together (a projected contour may cross zones).
    std::vector<std::pair<int, std::size_t>> runs; // CRS and the first point of its run
    for (std::size_t i = 0; i < count; ++i) {
        const StoredPoint &point = outline.points[i];
        if (!point.x || !point.y || !std::isfinite(*point.x) || !std::isfinite(*point.y))
            throw Error("у точки " + std::to_string(i + 1) + " нет координат");
        const PointCrs crs = pointCrs(outline.system, *point.x, settings);
        if (runs.empty() || runs.back().first != crs.crs)
            runs.emplace_back(crs.crs, i);
        result.longitude.push_back(crs.x);
        result.latitude.push_back(*point.y);
    }
    // Degrees in the target system stay as they were typed.
    if (runs.size() <= 1 && (runs.empty() || runs.front().first == target))
        return result;
    Projections &projections = Projections::instance();
    for (std::size_t r = 0; r < runs.size(); ++r) {
        const auto [crs, begin] = runs[r];
        const std::size_t end = r + 1 < runs.size() ? runs[r + 1].second : count;
        if (crs != target)
            projections.transform(crs, target, result.longitude.data() + begin,
                                  result.latitude.data() + begin, end - begin);
    }
    unwrapLongitudes(result.longitude);
    return result;
}

} // namespace

DegreeScheme schemeInDegrees(const ContourScheme &scheme, const CrsSettings &settings)
{
    DegreeScheme result;
    const int target = settings.geographicCrs;
    int number = 0;
    for (const ContourOutline &outline : scheme.outlines) {
        ++number;
        DegreeOutline degrees;
        try {
            degrees = placed(outline, target, settings);
        } catch (const Error &error) {
            result.notPlaced.push_back("Горизонт " + std::to_string(number) + " «" +
                                       codepage::cp1251ToUtf8(outline.title) + "»: " + error.what());
            continue;
        }
        for (std::size_t i = 0; i < degrees.longitude.size(); ++i) {
            const double x = degrees.longitude[i];
            const double y = degrees.latitude[i];
            if (result.empty) {
                result.minX = result.maxX = x;
                result.minY = result.maxY = y;
                result.empty = false;
            }
            result.minX = std::min(result.minX, x);
            result.maxX = std::max(result.maxX, x);
            result.minY = std::min(result.minY, y);
            result.maxY = std::max(result.maxY, y);
        }
        result.outlines.push_back(std::move(degrees));
    }
    return result;
}

} // namespace tarvena::gis
