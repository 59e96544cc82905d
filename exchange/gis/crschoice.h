#pragma once
// The coordinate reference systems of the contours' four coordinate systems: which EPSG system a
// stored point is given in, and the options that override the defaults.
#include <optional>
#include <string>

namespace tarvena::gis {

inline constexpr int Pulkovo1942 = 4284; // geographic: survey passports of the period use it
inline constexpr int Wgs84 = 4326;

struct CrsSettings
{
    // The geographic CRS of the systems in degrees (1 and 2).
    int geographicCrs = Pulkovo1942;
    // The CRS of GeoPackage and Shapefile output; empty: the CRS of the first exported contour.
    std::optional<int> targetCrs;
};

// Checks the codes of the settings against PROJ: the geographic CRS must be a two-dimensional
// geographic one, the target any CRS PROJ knows. Throws Error (UTF-8).
void checkSettings(const CrsSettings &settings);

// "EPSG:NNNN" (the prefix in any case) to NNNN; throws Error for any other text.
int parseEpsg(const std::string &text);
std::string epsgText(int epsg);

// The zone a projected X carries in its millions.
int zoneOf(double x);

// A stored point in a reference system: its CRS and the easting or longitude to give it.
struct PointCrs
{
    int crs = 0;
    double x = 0;
};

// Where a point (X as stored) of coordinate system `system` lies: systems 1 and 2 in the geographic
// CRS of the settings; 3 in WGS 84 / UTM of the zone in X's millions, with the zone taken off the
// easting; 4 in Pulkovo 1942 / Gauss-Kruger of the zone, whose false easting already holds it.
// Throws Error (UTF-8) for no system, a system of no known number or a zone the projection lacks.
PointCrs pointCrs(int system, double x, const CrsSettings &settings);

} // namespace tarvena::gis
