// tarvena-gis: the commands of tarvena-cli that need the GIS libraries (tarvena-cli hands them over).
#include "cli/commandline.h"
#include "cli/gis/giscrs.h"
#include "cli/gisusage.h"
#include "exchange/gis/contourmeasure.h"

#include <string>

namespace {

std::string usage()
{
    std::string text = "usage:\n";
    for (std::string_view command : tarvena::cli::kGisCommands)
        text += tarvena::cli::gisUsageLines("tarvena-gis", command);
    return text + tarvena::cli::kCommonOptionsUsage;
}

} // namespace

int main(int argc, char **argv)
{
    using namespace tarvena::cli;
    const Command commands[] = {{"summary", 1, summaryCommand},
                                {"export-gis", 2, exportGisCommand},
                                {"register", 2, registerCommand},
                                {"check", 1, checkCommand, true},
                                {"diff", 2, [](const Options &o) {
                                     tarvena::gis::EllipsoidMeasure measure(crsSettings(o));
                                     return diffCommand(o, &measure);
                                 }}};
    return runCommandLine(argc, argv, commands, "tarvena-gis", usage().c_str());
}
