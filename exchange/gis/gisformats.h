#pragma once
// The GIS formats the program writes and the names --format takes: one list for the writer, its
// messages and the usage lines of the command line. Header only, so that tarvena-cli, which loads no
// GIS library, lists them too.
#include <array>
#include <cstddef>
#include <string>

namespace tarvena::gis {

enum class GisFormat
{
    GeoPackage,
    Shapefile,
    GeoJson,
    Kml
};

struct GisFormatInfo
{
    GisFormat format;
    const char *name;        // the driver's name, as --format takes it
    const char *extension;   // with the dot
    const char *description; // for a file dialog's filter
    bool wgs84Only;          // the format's coordinates are WGS 84 degrees
};

inline constexpr std::array<GisFormatInfo, 4> kGisFormats = {{
    {GisFormat::GeoPackage, "GPKG", ".gpkg", "GeoPackage", false},
    {GisFormat::Shapefile, "ESRI Shapefile", ".shp", "ESRI Shapefile", false},
    {GisFormat::GeoJson, "GeoJSON", ".geojson", "GeoJSON", true},
    {GisFormat::Kml, "KML", ".kml", "KML", true},
}};

// A text of each format, in the order of the list, joined by separator and before the last by last:
// joinGisFormats(name, ", ", " и ") is "GPKG, ESRI Shapefile, GeoJSON и KML".
template <typename Part> std::string joinGisFormats(Part part, const char *separator, const char *last)
{
    std::string text;
    for (std::size_t i = 0; i < kGisFormats.size(); ++i) {
        if (i > 0)
            text += i + 1 == kGisFormats.size() ? last : separator;
        text += part(kGisFormats[i]);
    }
    return text;
}

} // namespace tarvena::gis
