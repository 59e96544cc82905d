// The four GIS formats by the names the command line takes and by the extensions a save dialog adds.
#include "exchange/gis/vectorfile.h"
#include "storage/error.h"

#include <gtest/gtest.h>

using namespace tarvena;
using namespace tarvena::gis;

namespace {

TEST(GisFormats, ByNameAndByExtension)
{
    const std::pair<const char *, GisFormat> names[] = {{"GPKG", GisFormat::GeoPackage},
                                                        {"esri shapefile", GisFormat::Shapefile},
                                                        {"GeoJSON", GisFormat::GeoJson},
                                                        {"kml", GisFormat::Kml}};
    for (const auto &[name, format] : names)
        EXPECT_EQ(gisFormatByName(name), format) << name;
    EXPECT_THROW(gisFormatByName("Shapefile"), Error);

    const std::pair<const char *, GisFormat> paths[] = {{"карта.gpkg", GisFormat::GeoPackage},
                                                        {"dir.v2/КОНТУРЫ.SHP", GisFormat::Shapefile},
                                                        {"a.geojson", GisFormat::GeoJson},
                                                        {"a.json", GisFormat::GeoJson},
                                                        {"a.b.Kml", GisFormat::Kml}};
    for (const auto &[path, format] : paths)
        EXPECT_EQ(gisFormatOfPath(path), format) << path;
    for (const char *path : {"contours", "contours.gpkg.tmp", "dir.gpkg/contours", ".gpkg"})
        EXPECT_THROW(gisFormatOfPath(path), Error) << path;

    // A save dialog offers the four with the extensions that name them again.
    EXPECT_EQ(gisFileFilter(), "GeoPackage|*.gpkg|ESRI Shapefile|*.shp|GeoJSON|*.geojson|KML|*.kml");
}

} // namespace
