#include "exchange/gis/placedcontour.h"

#include "exchange/gis/contourshape.h"
#include "exchange/gis/projections.h"
#include "storage/error.h"

#include <geodesic.h>

#include <cmath>

namespace tarvena::gis {

namespace {

// Metres: a projected point placed on the ellipsoid comes back this close (PROJ's transverse Mercator
// is good to millimetres well beyond a zone).
constexpr double kPlacedWithin = 0.01;

} // namespace

PlacedContour::PlacedContour(int system, const StoredContour &points, const CrsSettings &settings)
{
    std::size_t count = points.size();
    if (count > 1 && points.front().x == points.back().x && points.front().y == points.back().y)
        --count;
    if (count == 0)
        throw Error("нет точек контура");
    mX.reserve(count);
    mY.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const StoredPoint &point = points[i];
        if (!point.x || !point.y || !std::isfinite(*point.x) || !std::isfinite(*point.y))
            throw Error("у точки " + std::to_string(i + 1) + " нет координат");
        const PointCrs placed = pointCrs(system, *point.x, settings);
        if (mRuns.empty() || mRuns.back().crs != placed.crs)
            mRuns.push_back({placed.crs, i, i});
        ++mRuns.back().end;
        mX.push_back(placed.x);
        mY.push_back(*point.y);
    }
    if (count < 3)
        throw Error("в контуре меньше трех точек");
    Projections &projections = Projections::instance();
    for (const Run &run : mRuns)
        projections.requireKnown(run.crs);
    placeGeographic();
    mShapeFault = contourShapeFault(mGeographic.longitude, mGeographic.latitude);
}

void PlacedContour::placeGeographic()
{
    Projections &projections = Projections::instance();
    const int geographic = projections.geographicBase(crs());
    mGeographic = {projections.ellipsoid(geographic), mX, mY};
    std::vector<double> backX, backY;
    for (const Run &run : mRuns) {
        // Every run rests on one datum: the zones of a projection share it.
        const std::size_t n = run.end - run.begin;
        double *longitude = mGeographic.longitude.data() + run.begin;
        double *latitude = mGeographic.latitude.data() + run.begin;
        projections.transformEach(run.crs, geographic, longitude, latitude, n);
        if (run.crs == geographic)
            continue;
        // A projection folds points far outside its area onto some place; such a point does not come
        // back where it was.
        backX.assign(longitude, longitude + n);
        backY.assign(latitude, latitude + n);
        projections.transformEach(geographic, run.crs, backX.data(), backY.data(), n);
        for (std::size_t i = 0; i < n; ++i)
            if (!(std::abs(backX[i] - mX[run.begin + i]) <= kPlacedWithin &&
                  std::abs(backY[i] - mY[run.begin + i]) <= kPlacedWithin))
                longitude[i] = std::nan("");
    }
    for (std::size_t i = 0; i < mX.size(); ++i)
        if (!(std::abs(mGeographic.latitude[i]) <= 90 && std::abs(mGeographic.longitude[i]) <= 360))
            throw Error("точка " + std::to_string(i + 1) + " вне области системы координат");
}

Ring PlacedContour::ring(int target) const
{
    Ring ring{mX, mY};
    Projections &projections = Projections::instance();
    for (const Run &run : mRuns)
        projections.transform(run.crs, target, ring.x.data() + run.begin, ring.y.data() + run.begin,
                              run.end - run.begin);
    if (projections.isGeographic(target))
        unwrapLongitudes(ring.x);
    ring.x.push_back(ring.x.front());
    ring.y.push_back(ring.y.front());
    return ring;
}

double PlacedContour::areaKm2() const
{
    return geodesicAreaKm2(mGeographic);
}

void unwrapLongitudes(std::vector<double> &longitudes)
{
    for (std::size_t i = 1; i < longitudes.size(); ++i)
        longitudes[i] -= 360 * std::round((longitudes[i] - longitudes[i - 1]) / 360);
}

double geodesicAreaKm2(const GeographicRing &ring)
{
    geod_geodesic geodesic;
    geod_init(&geodesic, ring.ellipsoid.semiMajor, ring.ellipsoid.flattening);
    double area = 0;
    double perimeter = 0;
    // geod_polygonarea takes mutable arrays but does not change them.
    geod_polygonarea(&geodesic, const_cast<double *>(ring.latitude.data()),
                     const_cast<double *>(ring.longitude.data()), static_cast<int>(ring.latitude.size()),
                     &area, &perimeter);
    return std::abs(area) / 1e6;
}

} // namespace tarvena::gis
