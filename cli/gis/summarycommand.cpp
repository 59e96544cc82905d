// The summary of a passport: the geology summary's lines, then each horizon's contour area from its
// coordinates beside the area typed into the passport.
#include "cli/cliprompts.h"
#include "cli/commands.h"
#include "cli/gis/giscrs.h"
#include "exchange/gis/contourarea.h"
#include "model/datamodule.h"
#include "model/geologysummary.h"
#include "model/passportsession.h"
#include "storage/codepage.h"

#include <iostream>

namespace tarvena::cli {

namespace {

// The summary's lines by the names this command has always printed them under (those of the labels
// the geology page shows them in).
const std::pair<SummaryLine, const char *> kLineNames[] = {
    {SummaryLine::ProductiveHorizons, "Label29"},
    {SummaryLine::ReflectingHorizons, "Label71"},
    {SummaryLine::OilD0, "Label72"},
    {SummaryLine::DissolvedGasD0, "Label73"},
    {SummaryLine::GasD0, "Label74"},
    {SummaryLine::CondensateD0, "Label75"},
    {SummaryLine::OilProbable, "Label93"},
    {SummaryLine::OilRange, "Label95"},
    {SummaryLine::DissolvedGasProbable, "Label97"},
    {SummaryLine::DissolvedGasRange, "Label99"},
    {SummaryLine::GasProbable, "Label102"},
    {SummaryLine::GasRange, "Label101"},
    {SummaryLine::CondensateProbable, "Label106"},
    {SummaryLine::CondensateRange, "Label105"},
};

} // namespace

int summaryCommand(const Options &options)
{
    const gis::CrsSettings crs = crsSettings(options);
    gis::checkSettings(crs);
    CliPrompts prompts;
    auto dm = createDataModule(options, prompts);
    PassportSession(*dm).open(options.positional.at(1));
    const Horizons horizons = readHorizons(*dm);
    const ResourceSummary summary = summarizeResources(horizons);
    for (const auto &[line, name] : kLineNames)
        std::cout << name << ": " << codepage::cp1251ToUtf8(summaryText(summary, line)) << "\n";
    // Each horizon's contour area from its coordinates beside the area typed in.
    for (const ProductiveHorizon &horizon : horizons.productive) {
        const gis::ContourArea area = gis::contourArea(horizon, crs);
        std::cout << "Horizon" << horizon.number << ": " << codepage::cp1251ToUtf8(horizon.name) << ": "
                  << gis::contourAreaText(area) << (area.differs() ? "; расхождение более 10 %" : "") << "\n";
    }
    return 0;
}

} // namespace tarvena::cli
