#include "exchange/gis/registerpassport.h"

#include "exchange/gis/registerrow.h"
#include "exchange/workbooks/outputfile.h"
#include "model/datamodule.h"

namespace tarvena::gis {

std::vector<Attribute> registerLayerAttributes()
{
    std::vector<Attribute> attributes;
    for (const RegisterColumn &column : registerColumns())
        attributes.push_back(column.attribute);
    return attributes;
}

std::vector<Attribute> contourLayerAttributes()
{
    std::vector<Attribute> attributes = {{"FILENAME", "FILENAME", AttributeType::Text}};
    for (const Attribute &attribute : contourAttributes())
        attributes.push_back(attribute);
    return attributes;
}

int registerCrs(const CrsSettings &settings)
{
    return settings.targetCrs ? *settings.targetCrs : settings.geographicCrs;
}

RegisterEntry readRegisterEntry(TDataModule2 &dm, const std::filesystem::path &folder,
                                const PassportFile &file)
{
    RegisterEntry entry;
    if (!file.error.empty()) {
        entry.row = registerErrorRow(file.path, file.error);
        return entry;
    }
    try {
        dm.OpenPassport(pathToUtf8(folder / pathFromUtf8(file.path)));
        entry.horizons = readProductiveHorizons(dm);
        entry.row = registerRow(dm, file.path, entry.horizons);
        entry.read = true;
    } catch (const std::exception &e) {
        entry.row = registerErrorRow(file.path, e.what());
        entry.horizons.clear();
    }
    return entry;
}

int addRegisterContours(VectorLayer &layer, int crs, const RegisterOptions &options, TDataModule2 &dm,
                        const std::string &fileName, const std::vector<ProductiveHorizon> &horizons)
{
    const NoteSink note = [&](const std::string &text) {
        if (options.note)
            options.note(fileName + ": " + text);
    };
    const std::vector<PlacedHorizon> placed = placeHorizons(horizons, options.crs, note);
    return addContourFeatures(layer, placed, crs, {fileName},
                              dm.PASPORTS.FieldByName("OBJECTNAME").AsString(), note);
}

} // namespace tarvena::gis
