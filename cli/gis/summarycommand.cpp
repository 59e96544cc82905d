// The summary of a passport: the geology summary's labels, then each horizon's contour area from its
// coordinates beside the area typed into the passport.
#include "cli/cliprompts.h"
#include "cli/commands.h"
#include "cli/gis/giscrs.h"
#include "exchange/gis/contourarea.h"
#include "exchange/gis/horizonrecords.h"
#include "model/datamodule.h"
#include "model/geologysummary.h"
#include "model/passportsession.h"
#include "storage/codepage.h"

#include <iostream>

namespace tarvena::cli {

int summaryCommand(const Options &options)
{
    const gis::CrsSettings crs = crsSettings(options);
    gis::checkSettings(crs);
    CliPrompts prompts;
    auto dm = createDataModule(options, prompts);
    PassportSession(*dm).open(options.positional.at(1));
    for (const SummaryLabel &label : computeGeologySummary(*dm))
        std::cout << label.name << ": " << codepage::cp1251ToUtf8(label.text) << "\n";
    // Each horizon's contour area from its coordinates beside the area typed in.
    for (const gis::HorizonRecord &horizon : gis::readHorizonRecords(*dm)) {
        const gis::ContourArea area = gis::contourArea(horizon, crs);
        std::cout << "Horizon" << horizon.number << ": " << codepage::cp1251ToUtf8(horizon.name) << ": "
                  << gis::contourAreaText(area) << (area.differs() ? "; расхождение более 10 %" : "") << "\n";
    }
    return 0;
}

} // namespace tarvena::cli
