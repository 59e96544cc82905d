#pragma once
// The register of many passports: every passport file under a folder becomes a row of a table, and
// in a GeoPackage every horizon's contour a polygon of a second layer joined to it by the file name.
#include "exchange/gis/contourfeatures.h"
#include "exchange/gis/crschoice.h"

#include <cstddef>
#include <functional>
#include <string>

namespace tarvena {
class TDataModule2;
}

namespace tarvena::gis {

struct RegisterOptions
{
    // The contours' CRS is the target CRS, else the geographic one: passports of many zones share it.
    CrsSettings crs;
    NoteSink note;                                                     // contours left out, and why
    std::function<void(std::size_t done, std::size_t total)> progress; // after each passport
};

struct RegisterResult
{
    std::size_t passports = 0;  // rows
    std::size_t unreadable = 0; // rows with an error
    int contours = 0;           // polygons written
};

// Opens each passport with dm (whose dictionaries are loaded) and writes the register to path
// (UTF-8): a GeoPackage (.gpkg) with the tables "passports" and "contours", or an Excel 97 workbook
// (.xls) with the table alone. A passport that cannot be read is a row with its error; the rest
// goes on. Throws Error when the folder or the file fails.
RegisterResult writePassportRegister(TDataModule2 &dm, const std::string &folder, const std::string &path,
                                     const RegisterOptions &options = {});

} // namespace tarvena::gis
