// tarvena-cli: the headless tool for batch work and tests.
#include "cli/commands.h"
#include "storage/platformfile.h"
#include "storage/shippedfiles.h"

#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
#include <iostream>

namespace {

const char *const kUsage =
    "usage:\n"
    "  tarvena-cli --version\n"
    "  tarvena-cli dump [--raw] FILE.psp\n"
    "  tarvena-cli resave IN.psp OUT.psp\n"
    "  tarvena-cli summary FILE.psp\n"
    "  tarvena-cli unpack FILE.psp DIR [--engine excel|calc]\n"
    "  tarvena-cli export-contour FILE.psp N OUT.xls\n"
    "  tarvena-cli make-dictionaries SOURCE_DIR OUT_DIR\n"
    "  tarvena-cli make-sample SOURCE_DIR OUT.psp\n"
    "  tarvena-cli export-gis FILE.psp OUT [--format GPKG|'ESRI Shapefile'|GeoJSON|KML] [--target-crs "
    "EPSG:N]\n"
    "  tarvena-cli register DIR OUT.gpkg|OUT.xls [--target-crs EPSG:N]\n"
    "options (anywhere): --dictionaries DIR  where DICTIONARYS.BIN and GROUPS.BIN lie\n"
    "  (default: $TARVENA_DICTIONARIES, else beside the program, else ../share/tarvena)\n"
    "                    --geographic-crs EPSG:N  the CRS of coordinates in degrees (default EPSG:4284)\n";

int usage()
{
    std::cerr << kUsage;
    return 2;
}

std::string programDirectory(const char *argv0)
{
    std::error_code ec;
    std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec)
        self = std::filesystem::absolute(argv0, ec);
    return tarvena::platform::utf8FromPath(self.parent_path());
}

} // namespace

int main(int argc, char **argv)
{
    using namespace tarvena::cli;
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--version") {
            std::cout << "tarvena-cli " << TARVENA_VERSION << "\n";
            return 0;
        } else if (arg == "--dictionaries") {
            if (++i >= argc)
                return usage();
            options.dictionaries = argv[i];
        } else if (arg == "--engine") {
            if (++i >= argc)
                return usage();
            options.engine = argv[i];
            if (options.engine != "excel" && options.engine != "calc")
                return usage();
        } else if (arg == "--format" || arg == "--geographic-crs" || arg == "--target-crs") {
            if (++i >= argc)
                return usage();
            (arg == "--format"           ? options.format
             : arg == "--geographic-crs" ? options.geographicCrs
                                         : options.targetCrs) = argv[i];
        } else if (arg == "--raw") {
            options.raw = true;
        } else if (arg.size() > 1 && arg[0] == '-') {
            return usage();
        } else {
            options.positional.push_back(arg);
        }
    }
    const char *environment = std::getenv("TARVENA_DICTIONARIES");
    options.dictionaries = tarvena::platform::dictionaryFolder(
        options.dictionaries, environment ? environment : "", programDirectory(argv[0]));

    struct Command
    {
        const char *name;
        std::size_t arguments;
        int (*run)(const Options &);
    };
    const Command commands[] = {{"dump", 1, dumpCommand},
                                {"resave", 2, resaveCommand},
                                {"summary", 1, summaryCommand},
                                {"unpack", 2, unpackCommand},
                                {"export-contour", 3, exportContourCommand},
                                {"make-dictionaries", 2, makeDictionariesCommand},
                                {"make-sample", 2, makeSampleCommand},
                                {"export-gis", 2, exportGisCommand},
                                {"register", 2, registerCommand}};
    if (options.positional.empty())
        return usage();
    for (const Command &command : commands) {
        if (options.positional[0] != command.name)
            continue;
        if (options.positional.size() != command.arguments + 1)
            return usage();
        try {
            return command.run(options);
        } catch (const std::exception &e) {
            std::cout.flush();
            std::cerr << e.what() << "\n";
            return 1;
        }
    }
    return usage();
}
