#pragma once
// The commands of tarvena-cli. Each returns the process exit code; errors throw tarvena::Error.
#include <string>
#include <vector>

namespace tarvena::cli {

struct Options
{
    std::string dictionaries;            // folder of DICTIONARYS.BIN and GROUPS.BIN
    bool raw = false;                    // dump: tables as stored in the file
    std::string engine = "excel";        // unpack: spreadsheet engine, "excel" or "calc"
    std::string format;                  // export-gis: GIS format; empty: by the extension
    std::string geographicCrs;           // EPSG:NNNN of the coordinates in degrees; empty: the default
    std::string targetCrs;               // export-gis, register: EPSG:NNNN of the file
    std::vector<std::string> positional; // command and its arguments
};

int dumpCommand(const Options &options);
int resaveCommand(const Options &options);
int makeDictionariesCommand(const Options &options);
int summaryCommand(const Options &options);
int unpackCommand(const Options &options);        // unpack FILE.psp DIR
int exportContourCommand(const Options &options); // export-contour FILE.psp N OUT.xls
int makeSampleCommand(const Options &options);    // make-sample SOURCE_DIR OUT.psp
int exportGisCommand(const Options &options);     // export-gis FILE.psp OUT
int registerCommand(const Options &options);      // register DIR OUT.gpkg|OUT.xls

} // namespace tarvena::cli
