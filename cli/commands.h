#pragma once
// The commands of tarvena-cli. Each returns the process exit code; errors throw tarvena::Error.
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace tarvena {
class ContourMeasure;
class Prompts;
class TDataModule2;
} // namespace tarvena

namespace tarvena::cli {

struct Options
{
    std::string dictionaries;            // folder of DICTIONARYS.BIN and GROUPS.BIN
    bool raw = false;                    // dump: tables as stored in the file
    std::string engine = "excel";        // unpack: spreadsheet engine, "excel" or "calc"
    std::string format;                  // export-gis: GIS format; empty: by the extension
    std::string geographicCrs;           // EPSG:NNNN of the coordinates in degrees; empty: the default
    std::string targetCrs;               // export-gis, register: EPSG:NNNN of the file
    std::string schema = "tarvena";      // register into a database: the schema of its tables
    std::vector<std::string> positional; // command and its arguments
    // import-contour: its options with their values (--system K and the like), as given
    std::vector<std::pair<std::string, std::string>> contourImport;
    // probabilistic: its options with their values (empty for a flag), as given
    std::vector<std::pair<std::string, std::string>> probabilistic;
};

// The data module with the dictionaries the options name.
std::unique_ptr<TDataModule2> createDataModule(const Options &options, Prompts &prompts);

int dumpCommand(const Options &options);
int resaveCommand(const Options &options);
int makeDictionariesCommand(const Options &options);
int summaryCommand(const Options &options);       // summary FILE.psp (tarvena-gis)
int unpackCommand(const Options &options);        // unpack FILE.psp DIR
int exportContourCommand(const Options &options); // export-contour FILE.psp N OUT.xls
int makeSampleCommand(const Options &options);    // make-sample SOURCE_DIR OUT.psp
int exportGisCommand(const Options &options);     // export-gis FILE.psp OUT (tarvena-gis)
int registerCommand(const Options &options);      // register DIR OUT.gpkg|OUT.xls (tarvena-gis)
int checkCommand(const Options &options);         // check FILE.psp|DIR... [--json] (tarvena-gis)
// import-contour FILE.psp N POINTS.txt --system K [--start L] [--count C] [--x COL] [--y COL] [--zone Z]
int importContourCommand(const Options &options);
bool isContourImportOption(const std::string &arg);
// probabilistic FILE.psp [--samples N] [--seed S] [--triangular] [--figure mode|p50|mean] [--write OUT.psp]
// [--json]
int probabilisticCommand(const Options &options);
// diff A.psp B.psp [--json] (tarvena-gis, which measures the contours): 0 the same, 1 they differ, 2
// unreadable
int diffCommand(const Options &options, ContourMeasure *measure);
// Whether arg is an option of probabilistic; valued: whether a value follows it.
bool isProbabilisticOption(const std::string &arg, bool &valued);

} // namespace tarvena::cli
