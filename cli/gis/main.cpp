// tarvena-gis: the commands of tarvena-cli that need the GIS libraries (tarvena-cli hands them over).
#include "cli/commandline.h"

namespace {

const char *const kUsage =
    "usage:\n"
    "  tarvena-gis summary FILE.psp\n"
    "  tarvena-gis check FILE.psp|DIR... [--json]\n"
    "  tarvena-gis export-gis FILE.psp OUT [--format GPKG|'ESRI Shapefile'|GeoJSON|KML] [--target-crs "
    "EPSG:N]\n"
    "  tarvena-gis register DIR OUT.gpkg|OUT.xls [--target-crs EPSG:N]\n"
    "  tarvena-gis register DIR PG:\"dbname=... host=... user=...\" [--target-crs EPSG:N] [--schema NAME]\n"
    "options (anywhere): --dictionaries DIR  where DICTIONARYS.BIN and GROUPS.BIN lie\n"
    "  (default: $TARVENA_DICTIONARIES, else beside the program, else ../share/tarvena)\n"
    "                    --geographic-crs EPSG:N  the CRS of coordinates in degrees (default EPSG:4284)\n";

} // namespace

int main(int argc, char **argv)
{
    using namespace tarvena::cli;
    const Command commands[] = {{"summary", 1, summaryCommand},
                                {"export-gis", 2, exportGisCommand},
                                {"register", 2, registerCommand},
                                {"check", 1, checkCommand, true}};
    return runCommandLine(argc, argv, commands, "tarvena-gis", kUsage);
}
