#include "exchange/gis/gisexport.h"

#include "model/datamodule.h"
#include "model/horizons.h"
#include "storage/error.h"

namespace tarvena::gis {

namespace {

void checkFormatCrs(const GisFormatInfo &format, const CrsSettings &settings)
{
    if (format.wgs84Only && settings.targetCrs && *settings.targetCrs != Wgs84)
        throw Error(std::string("Формат ") + format.name + " записывается только в WGS 84 (EPSG:4326): " +
                    epsgText(*settings.targetCrs) + " к нему не применяется.");
}

int outputCrs(const GisFormatInfo &format, const CrsSettings &settings,
              const std::vector<PlacedHorizon> &placed)
{
    if (format.wgs84Only)
        return Wgs84;
    return settings.targetCrs ? *settings.targetCrs : placed.front().contour.crs();
}

} // namespace

GisExportResult exportGis(TDataModule2 &dm, const std::string &path, const GisExportOptions &options)
{
    checkSettings(options.crs);
    const GisFormatInfo &format = gisFormatInfo(options.format ? *options.format : gisFormatOfPath(path));
    checkFormatCrs(format, options.crs);

    // The file holds what the user typed, the edits not yet posted included.
    dm.PostPendingEdits();
    const std::vector<ProductiveHorizon> horizons = readProductiveHorizons(dm);
    const std::vector<PlacedHorizon> placed = placeHorizons(horizons, options.crs, options.note);
    if (placed.empty())
        throw Error("В паспорте нет контуров с координатами: файл " + path + " не записан.");

    GisExportResult result;
    result.crs = outputCrs(format, options.crs, placed);
    VectorFile file(path, format.format, "STRATIGRSVIT");
    VectorLayer &layer = file.addLayer("contours", result.crs, contourAttributes());
    const std::string objectName = dm.PASPORTS.FieldByName("OBJECTNAME").AsString();
    result.features = addContourFeatures(layer, placed, result.crs, {}, objectName, options.note);
    if (result.features == 0)
        throw Error("Ни один контур не переводится в " + epsgText(result.crs) + ": файл " + path +
                    " не записан.");
    file.commit();
    return result;
}

} // namespace tarvena::gis
