#pragma once
// Vector files of GIS (GeoPackage, ESRI Shapefile, GeoJSON, KML) written through GDAL/OGR: layers
// of polygons or plain tables with typed attributes. A file appears under its name only when it is
// complete; an old file of that name stays until then.
#include "exchange/gis/gisformats.h"
#include "exchange/gis/placedcontour.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

namespace tarvena::gis {

const std::array<GisFormatInfo, 4> &gisFormats();
const GisFormatInfo &gisFormatInfo(GisFormat format);
// The four formats for a save dialog: "GeoPackage|*.gpkg|ESRI Shapefile|*.shp|…" (description and
// pattern pairs joined by "|"), in the order of gisFormats().
std::string gisFileFilter();
// By the driver's name (any letter case); throws Error naming the four.
GisFormat gisFormatByName(const std::string &name);
// By the extension of a file name; throws Error naming the four extensions.
GisFormat gisFormatOfPath(const std::string &path);

enum class AttributeType
{
    Text, // UTF-8
    Real,
    Integer
};

struct Attribute
{
    const char *name;
    const char *shortName; // at most 10 characters: the Shapefile name
    AttributeType type;
};

using AttributeValue = std::variant<std::monostate, std::string, double, std::int64_t>;

class VectorLayer;

class VectorFile
{
public:
    // Starts a file of the format at path (UTF-8), in a scratch folder beside it; nameAttribute
    // names the features where the format has names (KML placemarks). Throws Error.
    VectorFile(const std::string &path, GisFormat format, const char *nameAttribute = nullptr);
    ~VectorFile();
    VectorFile(const VectorFile &) = delete;
    VectorFile &operator=(const VectorFile &) = delete;

    // A layer of polygons in CRS epsg, or a table without geometry when epsg is empty. The layer
    // lives as long as the file. Throws Error.
    VectorLayer &addLayer(const std::string &name, std::optional<int> epsg,
                          std::vector<Attribute> attributes);
    // Closes the file and puts it (with a Shapefile's companion files) in place of the old one.
    void commit();

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

class VectorLayer
{
public:
    // The attributes of an OGRLayer of an open dataset: each is the field of its name (shortName
    // when shortNames), made when the layer lacks it. target names the layer in errors ("файл X").
    VectorLayer(void *layer, const std::vector<Attribute> &attributes, const std::string &target,
                bool shortNames = false);
    // One feature: a value per attribute of the layer, and a closed ring for a polygon layer.
    void add(std::span<const AttributeValue> values, const Ring *ring);

private:
    void *mLayer;             // OGRLayer
    std::vector<int> mFields; // the layer's field index of each attribute
    std::string mTarget;
};

} // namespace tarvena::gis
