#include "exchange/gis/contourmeasure.h"

#include "exchange/gis/contourarea.h"
#include "exchange/gis/projections.h"
#include "storage/error.h"

#include <geodesic.h>

#include <cmath>

namespace tarvena::gis {

namespace {

struct PlacedPoint
{
    double longitude, latitude;
    Ellipsoid ellipsoid;
};

// A stored point in the geographic CRS of its datum; none when it has no place.
std::optional<PlacedPoint> placed(int system, const StoredPoint &point, const CrsSettings &settings)
{
    if (!point.x || !point.y)
        return std::nullopt;
    try {
        const PointCrs crs = pointCrs(system, *point.x, settings);
        Projections &projections = Projections::instance();
        projections.requireKnown(crs.crs);
        const int geographic = projections.geographicBase(crs.crs);
        PlacedPoint result{crs.x, *point.y, projections.ellipsoid(geographic)};
        if (crs.crs != geographic)
            projections.transform(crs.crs, geographic, &result.longitude, &result.latitude, 1);
        // A typed latitude past a pole has no place on the ellipsoid.
        if (!(std::abs(result.latitude) <= 90 && std::isfinite(result.longitude)))
            return std::nullopt;
        return result;
    } catch (const Error &) {
        return std::nullopt;
    }
}

} // namespace

std::optional<double> EllipsoidMeasure::distanceMetres(int fromSystem, const StoredPoint &from, int toSystem,
                                                       const StoredPoint &to)
{
    const std::optional<PlacedPoint> a = placed(fromSystem, from, mSettings);
    const std::optional<PlacedPoint> b = placed(toSystem, to, mSettings);
    if (!a || !b)
        return std::nullopt;
    geod_geodesic geodesic;
    geod_init(&geodesic, a->ellipsoid.semiMajor, a->ellipsoid.flattening);
    double metres = 0;
    geod_inverse(&geodesic, a->latitude, a->longitude, b->latitude, b->longitude, &metres, nullptr, nullptr);
    return metres;
}

std::optional<double> EllipsoidMeasure::areaKm2(const ProductiveHorizon &horizon)
{
    return contourArea(horizon, mSettings).computedKm2;
}

} // namespace tarvena::gis
