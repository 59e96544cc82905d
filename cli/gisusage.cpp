#include "cli/gisusage.h"

#include "exchange/gis/gisformats.h"

namespace tarvena::cli {

namespace {

// "GPKG|'ESRI Shapefile'|GeoJSON|KML": the names --format takes, quoted for the shell where needed.
std::string formatChoices()
{
    return gis::joinGisFormats(
        [](const gis::GisFormatInfo &info) {
            const std::string name = info.name;
            return name.find(' ') == std::string::npos ? name : "'" + name + "'";
        },
        "|", "|");
}

} // namespace

std::string gisUsageLines(std::string_view program, std::string_view command)
{
    const auto line = [&](const std::string &arguments) {
        return "  " + std::string(program) + " " + std::string(command) + " " + arguments + "\n";
    };
    if (command == "summary")
        return line("FILE.psp");
    if (command == "check")
        return line("FILE.psp|DIR... [--json]");
    if (command == "diff")
        return line("A.psp B.psp [--json]");
    if (command == "export-gis")
        return line("FILE.psp OUT [--format " + formatChoices() + "] [--target-crs EPSG:N]");
    if (command == "register")
        return line("DIR OUT.gpkg|OUT.xls [--target-crs EPSG:N]") +
               line("DIR PG:\"dbname=... host=... user=...\" [--target-crs EPSG:N] [--schema NAME]");
    return {};
}

const char *const kCommonOptionsUsage =
    "options (anywhere): --dictionaries DIR  where DICTIONARYS.BIN and GROUPS.BIN lie\n"
    "  (default: $TARVENA_DICTIONARIES, else beside the program, else ../share/tarvena)\n"
    "                    --geographic-crs EPSG:N  the CRS of coordinates in degrees (default EPSG:4284)\n";

} // namespace tarvena::cli
