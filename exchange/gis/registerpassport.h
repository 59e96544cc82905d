#pragma once
// What every kind of register takes from one passport file: its row, and its contours as polygons
// joined to the row by the file name.
#include "exchange/gis/passportfiles.h"
#include "exchange/gis/passportregister.h"
#include "exchange/gis/vectorfile.h"
#include "model/horizons.h"

#include <filesystem>
#include <string>
#include <vector>

namespace tarvena::gis {

// The columns of the passports' table and of the contours' table (FILENAME first).
std::vector<Attribute> registerLayerAttributes();
std::vector<Attribute> contourLayerAttributes();

// The CRS of the register's contours: the target CRS, else the geographic one.
int registerCrs(const CrsSettings &settings);

struct RegisterEntry
{
    std::vector<AttributeValue> row; // in the order of registerLayerAttributes()
    std::vector<ProductiveHorizon> horizons;
    bool read = false; // false: the row holds the file name and the error alone
};

// Opens the passport with dm; a file the scan already found unreadable is not opened, and a passport
// that fails to read gives a row with its error.
RegisterEntry readRegisterEntry(TDataModule2 &dm, const std::filesystem::path &folder,
                                const PassportFile &file);

// Adds the contours of the passport open in dm to layer (CRS crs); notes name the file. Returns the
// number of polygons added.
int addRegisterContours(VectorLayer &layer, int crs, const RegisterOptions &options, TDataModule2 &dm,
                        const std::string &fileName, const std::vector<ProductiveHorizon> &horizons);

} // namespace tarvena::gis
