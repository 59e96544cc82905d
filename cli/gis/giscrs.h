#pragma once
// The reference-system options of the command line as the GIS layer takes them.
#include "cli/commands.h"
#include "exchange/gis/crschoice.h"

namespace tarvena::cli {

inline gis::CrsSettings crsSettings(const Options &options)
{
    gis::CrsSettings settings;
    if (!options.geographicCrs.empty())
        settings.geographicCrs = gis::parseEpsg(options.geographicCrs);
    if (!options.targetCrs.empty())
        settings.targetCrs = gis::parseEpsg(options.targetCrs);
    return settings;
}

} // namespace tarvena::cli
