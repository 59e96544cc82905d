// The GIS commands of tarvena-cli: a passport's contours to a GIS file, and the register of the
// passports of a folder.
#include "cli/cliprompts.h"
#include "cli/commands.h"
#include "cli/gis/giscrs.h"
#include "exchange/gis/gisexport.h"
#include "exchange/gis/passportregister.h"
#include "model/datamodule.h"

#include <chrono>
#include <iostream>

namespace tarvena::cli {

namespace {

void printNote(const std::string &text)
{
    std::cout.flush();
    std::cerr << text << "\n";
}

} // namespace

int exportGisCommand(const Options &options)
{
    gis::GisExportOptions exportOptions;
    exportOptions.crs = crsSettings(options);
    if (!options.format.empty())
        exportOptions.format = gis::gisFormatByName(options.format);
    exportOptions.note = printNote;
    CliPrompts prompts;
    TDataModule2 dm(&prompts);
    dm.DataModuleCreate(options.dictionaries);
    dm.OpenPassport(options.positional.at(1));
    const gis::GisExportResult result = gis::exportGis(dm, options.positional.at(2), exportOptions);
    std::cerr << "Записано контуров: " << result.features << " (" << gis::epsgText(result.crs) << ").\n";
    return 0;
}

int registerCommand(const Options &options)
{
    gis::RegisterOptions registerOptions;
    registerOptions.crs = crsSettings(options);
    registerOptions.note = printNote;
    // A count of the files done, at most once a second, for long runs.
    using Clock = std::chrono::steady_clock;
    Clock::time_point last = Clock::now();
    registerOptions.progress = [&](std::size_t done, std::size_t total) {
        if (Clock::now() - last < std::chrono::seconds(1))
            return;
        last = Clock::now();
        std::cerr << "Обработано файлов: " << done << " из " << total << "\n";
    };
    CliPrompts prompts;
    TDataModule2 dm(&prompts);
    dm.DataModuleCreate(options.dictionaries);
    const gis::RegisterResult result =
        gis::writePassportRegister(dm, options.positional.at(1), options.positional.at(2), registerOptions);
    std::cerr << "Паспортов в реестре: " << result.passports << ", не прочитано: " << result.unreadable
              << ", контуров: " << result.contours << ".\n";
    return 0;
}

} // namespace tarvena::cli
