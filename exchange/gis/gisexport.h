#pragma once
// The export of a passport's trap contours to a GIS file: one polygon per productive horizon with a
// contour, in one layer.
#include "exchange/gis/contourfeatures.h"
#include "exchange/gis/crschoice.h"
#include "exchange/gis/vectorfile.h"

#include <optional>
#include <string>

namespace tarvena {
class TDataModule2;
}

namespace tarvena::gis {

struct GisExportOptions
{
    std::optional<GisFormat> format; // empty: by the file's extension
    CrsSettings crs;
    NoteSink note; // horizons left out, and why
};

struct GisExportResult
{
    int features = 0; // polygons written
    int crs = 0;      // the CRS of the file
};

// Writes the contours of every horizon (in table order, whatever the horizons' filter) to path
// (UTF-8). GeoJSON and KML are written in WGS 84 degrees; GeoPackage and Shapefile in the target
// CRS of the options, else in the CRS of the first contour written. A horizon without a coordinate
// system or points is left out with a note. Throws Error, leaving an old file of that name as it
// was, when the options do not fit or no contour can be written.
GisExportResult exportGis(TDataModule2 &dm, const std::string &path, const GisExportOptions &options = {});

} // namespace tarvena::gis
