// tarvena-cli: the headless tool for batch work and tests. The commands that need the GIS libraries
// are run by its companion tarvena-gis.
#include "cli/commandline.h"
#include "cli/gishandoff.h"
#include "cli/gisusage.h"

#include <string>

namespace {

std::string usage()
{
    const auto gis = [](const char *command) { return tarvena::cli::gisUsageLines("tarvena-cli", command); };
    return "usage:\n"
           "  tarvena-cli --version\n"
           "  tarvena-cli dump [--raw] FILE.psp\n"
           "  tarvena-cli resave IN.psp OUT.psp\n" +
           gis("summary") + gis("check") + gis("diff") +
           "  tarvena-cli unpack FILE.psp DIR [--engine excel|calc]\n"
           "  tarvena-cli export-contour FILE.psp N OUT.xls\n"
           "  tarvena-cli import-contour FILE.psp N POINTS.txt --system K [--start L] [--count C] [--x COL]\n"
           "              [--y COL] [--zone Z]\n"
           "  tarvena-cli make-dictionaries SOURCE_DIR OUT_DIR\n"
           "  tarvena-cli make-sample SOURCE_DIR OUT.psp\n"
           "  tarvena-cli probabilistic FILE.psp [--samples N] [--seed S] [--triangular] [--figure "
           "mode|p50|mean]\n"
           "              [--write OUT.psp] [--json]\n" +
           gis("export-gis") + gis("register") + tarvena::cli::kCommonOptionsUsage;
}

} // namespace

int main(int argc, char **argv)
{
    using namespace tarvena::cli;
    // The command is the first word that is neither an option nor an option's value.
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        bool valued = true;
        if (arg == "--raw" || (isProbabilisticOption(arg, valued) && !valued))
            continue;
        if (arg.size() > 1 && arg[0] == '-') {
            ++i;
            continue;
        }
        if (isGisCommand(argv[i]))
            return handOffToGisTool(argc, argv);
        break;
    }
    const Command commands[] = {{"dump", 1, dumpCommand},
                                {"resave", 2, resaveCommand},
                                {"unpack", 2, unpackCommand},
                                {"export-contour", 3, exportContourCommand},
                                {"import-contour", 3, importContourCommand},
                                {"make-dictionaries", 2, makeDictionariesCommand},
                                {"make-sample", 2, makeSampleCommand},
                                {"probabilistic", 1, probabilisticCommand}};
    return runCommandLine(argc, argv, commands, "tarvena-cli", usage().c_str());
}
