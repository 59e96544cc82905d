#pragma once
// Reads a GIS file back through gis_check.py (Python's standard library, no GIS library) and keeps
// what the tests compare: the reference system, the GeoPackage's extent, each feature's attributes
// and outer ring.
#include <array>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tarvena::testing {

struct GisValue
{
    bool null = true;
    bool number = false;
    std::string text; // UTF-8
    double value = 0;
};

struct GisFeature
{
    std::map<std::string, GisValue> values;
    std::vector<std::array<double, 2>> ring; // x (longitude, easting) first
    // The attribute's text, or "<null>" / "<missing>".
    std::string text(const std::string &name) const;
    std::optional<double> number(const std::string &name) const;
};

struct GisFile
{
    std::string crs;                             // "EPSG:4284", or a Shapefile's .prj text
    std::optional<std::array<double, 4>> extent; // GeoPackage: min x, min y, max x, max y
    std::vector<GisFeature> features;
};

// mode: "gpkg" (with the table), "geojson", "kml" or "shp". Throws std::runtime_error with the
// script's output when it fails.
GisFile readGisFile(const std::string &mode, const std::filesystem::path &file,
                    const std::string &table = {});

// The distance in metres between two points given in degrees (longitude, latitude), on a sphere: enough
// to tell a metre from a centimetre.
double metresBetween(const std::array<double, 2> &a, const std::array<double, 2> &b);

} // namespace tarvena::testing
