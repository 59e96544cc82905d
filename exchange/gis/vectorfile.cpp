#include "exchange/gis/vectorfile.h"

#include "exchange/workbooks/outputfile.h"
#include "storage/error.h"
#include "storage/platformfile.h"

#include "exchange/gis/quieterrors.h"

#include <cpl_error.h>
#include <gdal_priv.h>
#include <ogr_spatialref.h>
#include <ogrsf_frmts.h>

#include <cmath>
#include <filesystem>
#include <mutex>
#include <random>
#include <vector>

namespace tarvena::gis {

namespace fs = std::filesystem;

namespace {

std::string lowerAscii(std::string text)
{
    for (char &c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

// Only the four drivers: registering every driver GDAL has costs more than a small export.
void registerDrivers()
{
    static std::once_flag once;
    std::call_once(once, [] {
        RegisterOGRGeoPackage();
        RegisterOGRShape();
        RegisterOGRGeoJSON();
        RegisterOGRKML();
    });
}

// target: what was being written, "файл X" or a table of a database.
[[noreturn]] void failWriting(const std::string &target, const std::string &what = {})
{
    std::string reason = what;
    if (reason.empty() && CPLGetLastErrorType() >= CE_Failure)
        reason = CPLGetLastErrorMsg();
    throw Error("Не удалось записать " + target + (reason.empty() ? "" : ": " + reason) + ".");
}

[[noreturn]] void fail(const std::string &path, const std::string &what = {})
{
    failWriting("файл " + path, what);
}

fs::path scratchFolderBeside(const fs::path &target)
{
    std::random_device random;
    return target.parent_path() / pathFromUtf8("." + pathToUtf8(target.filename()) + "." +
                                               std::to_string(random() % 1000000) + ".tmp");
}

void flushFile(const fs::path &path)
{
    if (std::FILE *file = std::fopen(path.c_str(), "r+b")) {
        platform::flushToDisk(file);
        std::fclose(file);
    }
}

} // namespace

const std::array<GisFormatInfo, 4> &gisFormats()
{
    return kGisFormats;
}

const GisFormatInfo &gisFormatInfo(GisFormat format)
{
    return kGisFormats[static_cast<std::size_t>(format)];
}

std::string gisFileFilter()
{
    return joinGisFormats(
        [](const GisFormatInfo &info) { return std::string(info.description) + "|*" + info.extension; }, "|",
        "|");
}

GisFormat gisFormatByName(const std::string &name)
{
    for (const GisFormatInfo &info : kGisFormats)
        if (lowerAscii(name) == lowerAscii(info.name))
            return info.format;
    throw Error("Неизвестный формат ГИС «" + name + "»: возможны " +
                joinGisFormats([](const GisFormatInfo &info) { return info.name; }, ", ", " и ") + ".");
}

GisFormat gisFormatOfPath(const std::string &path)
{
    const std::string extension = lowerAscii(pathToUtf8(pathFromUtf8(path).extension()));
    for (const GisFormatInfo &info : kGisFormats)
        if (extension == info.extension)
            return info.format;
    if (extension == ".json")
        return GisFormat::GeoJson;
    throw Error("Формат файла " + path + " не определяется по расширению: укажите " +
                joinGisFormats([](const GisFormatInfo &info) { return info.extension; }, ", ", " или ") +
                ", или задайте --format.");
}

struct VectorFile::Impl
{
    std::string path;
    GisFormat format;
    fs::path target;
    fs::path scratch;
    GDALDataset *dataset = nullptr;
    bool transaction = false;
    std::vector<std::unique_ptr<VectorLayer>> layers;

    void close()
    {
        if (dataset) {
            GDALClose(dataset);
            dataset = nullptr;
        }
    }
    ~Impl()
    {
        QuietErrors quiet;
        close();
        std::error_code ignored;
        if (!scratch.empty())
            fs::remove_all(scratch, ignored);
    }
};

VectorFile::VectorFile(const std::string &path, GisFormat format, const char *nameAttribute)
    : d(std::make_unique<Impl>())
{
    registerDrivers();
    QuietErrors quiet;
    d->path = path;
    d->format = format;
    d->target = fs::absolute(pathFromUtf8(path));
    // Without it the driver would take the name for a folder of Shapefiles.
    if (format == GisFormat::Shapefile && lowerAscii(pathToUtf8(d->target.extension())) != ".shp")
        fail(path, "у файла Shapefile должно быть расширение .shp");
    std::error_code error;
    if (!fs::is_directory(d->target.parent_path(), error))
        fail(path, "нет папки " + pathToUtf8(d->target.parent_path()));
    const fs::path scratch = scratchFolderBeside(d->target);
    if (!fs::create_directory(scratch, error))
        fail(path, error.message());
    d->scratch = scratch;

    GDALDriver *driver = GetGDALDriverManager()->GetDriverByName(gisFormatInfo(format).name);
    if (!driver)
        fail(path, std::string("нет драйвера ") + gisFormatInfo(format).name);
    CPLStringList options;
    if (format == GisFormat::Kml && nameAttribute)
        options.SetNameValue("NameField", nameAttribute);
    const fs::path file = scratch / d->target.filename();
    d->dataset = driver->Create(file.c_str(), 0, 0, 0, GDT_Unknown, options.List());
    if (!d->dataset)
        fail(path);
    if (d->dataset->TestCapability(ODsCTransactions))
        d->transaction = d->dataset->StartTransaction() == OGRERR_NONE;
}

VectorFile::~VectorFile() = default;

VectorLayer &VectorFile::addLayer(const std::string &name, std::optional<int> epsg,
                                  std::vector<Attribute> attributes)
{
    QuietErrors quiet;
    OGRSpatialReference srs;
    if (epsg) {
        if (srs.importFromEPSG(*epsg) != OGRERR_NONE)
            fail(d->path, "система координат EPSG:" + std::to_string(*epsg) + " неизвестна");
        srs.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    }
    CPLStringList options;
    if (d->format == GisFormat::Shapefile)
        options.SetNameValue("ENCODING", "UTF-8");
    if (d->format == GisFormat::GeoJson)
        options.SetNameValue("COORDINATE_PRECISION", "9");
    OGRLayer *layer = d->dataset->CreateLayer(name.c_str(), epsg ? &srs : nullptr,
                                              epsg ? wkbPolygon : wkbNone, options.List());
    if (!layer)
        fail(d->path);
    d->layers.push_back(std::make_unique<VectorLayer>(layer, attributes, "файл " + d->path,
                                                      d->format == GisFormat::Shapefile));
    return *d->layers.back();
}

void VectorFile::commit()
{
    QuietErrors quiet;
    if (d->transaction && d->dataset->CommitTransaction() != OGRERR_NONE)
        fail(d->path);
    d->close();
    if (CPLGetLastErrorType() >= CE_Failure)
        fail(d->path);
    std::vector<fs::path> written;
    for (const fs::directory_entry &entry : fs::directory_iterator(d->scratch))
        written.push_back(entry.path());
    for (const fs::path &file : written) {
        flushFile(file);
        moveFileReplacing(file, pathToUtf8(d->target.parent_path() / file.filename()));
    }
}

VectorLayer::VectorLayer(void *layer, const std::vector<Attribute> &attributes, const std::string &target,
                         bool shortNames)
    : mLayer(layer), mTarget(target)
{
    QuietErrors quiet;
    auto *ogrLayer = static_cast<OGRLayer *>(layer);
    // A format may start a layer with fields of its own (KML: Name, Description): each attribute's
    // field is found by its name.
    for (const Attribute &attribute : attributes) {
        const char *name = shortNames ? attribute.shortName : attribute.name;
        int index = ogrLayer->GetLayerDefn()->GetFieldIndex(name);
        if (index < 0) {
            const OGRFieldType type = attribute.type == AttributeType::Text   ? OFTString
                                      : attribute.type == AttributeType::Real ? OFTReal
                                                                              : OFTInteger64;
            OGRFieldDefn field(name, type);
            if (shortNames && type == OFTString)
                field.SetWidth(254);
            if (ogrLayer->CreateField(&field) != OGRERR_NONE)
                failWriting(mTarget);
            index = ogrLayer->GetLayerDefn()->GetFieldIndex(name);
        }
        mFields.push_back(index);
    }
}

void VectorLayer::add(std::span<const AttributeValue> values, const Ring *ring)
{
    QuietErrors quiet;
    auto *layer = static_cast<OGRLayer *>(mLayer);
    OGRFeature feature(layer->GetLayerDefn());
    for (std::size_t i = 0; i < values.size() && i < mFields.size(); ++i) {
        const int index = mFields[i];
        const AttributeValue &value = values[i];
        if (const auto *text = std::get_if<std::string>(&value))
            feature.SetField(index, text->c_str());
        else if (const auto *real = std::get_if<double>(&value); real && std::isfinite(*real))
            feature.SetField(index, *real);
        else if (const auto *whole = std::get_if<std::int64_t>(&value))
            feature.SetField(index, static_cast<GIntBig>(*whole));
        else
            feature.SetFieldNull(index);
    }
    if (ring) {
        auto *linear = new OGRLinearRing;
        linear->setPoints(static_cast<int>(ring->x.size()), ring->x.data(), ring->y.data());
        auto *polygon = new OGRPolygon;
        polygon->addRingDirectly(linear);
        feature.SetGeometryDirectly(polygon);
    }
    if (layer->CreateFeature(&feature) != OGRERR_NONE)
        failWriting(mTarget);
}

} // namespace tarvena::gis
