#pragma once
// A horizon's trap contour placed in coordinate reference systems: the ring in any CRS, and its
// area on the ellipsoid.
#include "exchange/gis/crschoice.h"
#include "exchange/gis/projections.h"
#include "model/horizons.h"

#include <string>
#include <vector>

namespace tarvena::gis {

// A closed ring: the last point repeats the first.
struct Ring
{
    std::vector<double> x, y;
};

// A ring in geographic coordinates (degrees) with the ellipsoid they are measured on.
struct GeographicRing
{
    Ellipsoid ellipsoid;
    std::vector<double> longitude, latitude;
};

class PlacedContour
{
public:
    // The points of a contour in coordinate system `system`, in stored order; a repeated first point
    // at the end is dropped. Throws Error (UTF-8, the reason alone) when the contour cannot be
    // placed: no coordinate system or an unknown one, fewer than three points, an empty coordinate,
    // a point outside the area of its system (a latitude past a pole, a projected point that the
    // projection does not give back where it was), a zone the projection lacks, a CRS that PROJ
    // does not know.
    PlacedContour(int system, const StoredContour &points, const CrsSettings &settings);

    // The CRS of the first point: the contour's own.
    int crs() const { return mRuns.front().crs; }
    std::size_t size() const { return mX.size(); }

    // The closed ring in CRS `target`; throws Error when a point has no place there.
    Ring ring(int target) const;
    // The points in the geographic CRS of their datum: geographic coordinates as they are, projected
    // ones projected back. Throws Error when a point has no place there.
    const GeographicRing &geographicRing() const { return mGeographic; }
    // The area in km² on the ellipsoid of geographicRing(); the edges are geodesics.
    double areaKm2() const;
    // Why the ring has no area to speak of (its points all coincide, or it crosses itself), UTF-8;
    // empty for a simple ring.
    const std::string &shapeFault() const { return mShapeFault; }

private:
    void placeGeographic();

    // Consecutive points in one CRS (a projected contour may cross into the next zone).
    struct Run
    {
        int crs;
        std::size_t begin, end;
    };
    std::vector<double> mX, mY;
    std::vector<Run> mRuns;
    GeographicRing mGeographic;
    std::string mShapeFault;
};

// Keeps a line of longitudes in one piece across the 180th meridian (the country reaches 191° east):
// each longitude within half a turn of the one before, where a transformation wraps it to -180..180.
void unwrapLongitudes(std::vector<double> &longitudes);

// PROJ's geodesic polygon area of a ring, closed or not, in km². Touches no PROJ context, so
// several threads may measure rings at once.
double geodesicAreaKm2(const GeographicRing &ring);

} // namespace tarvena::gis
