// The GIS commands of tarvena-cli: a passport's contours to a GIS file, and the register of the
// passports of a folder in a file or a PostgreSQL database.
#include "cli/cliprompts.h"
#include "cli/commands.h"
#include "cli/gis/giscrs.h"
#include "cli/sha256.h"
#include "exchange/gis/databaseregister.h"
#include "exchange/gis/gisexport.h"
#include "exchange/gis/passportregister.h"
#include "model/datamodule.h"
#include "model/passportsession.h"

#include <chrono>
#include <functional>
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
    PassportSession(dm).open(options.positional.at(1));
    const gis::GisExportResult result = gis::exportGis(dm, options.positional.at(2), exportOptions);
    std::cerr << "Записано контуров: " << result.features << " (" << gis::epsgText(result.crs) << ").\n";
    return 0;
}

namespace {

// A count of the files done, at most once a second, for long runs.
std::function<void(std::size_t, std::size_t)> progressPrinter()
{
    using Clock = std::chrono::steady_clock;
    return [last = Clock::now()](std::size_t done, std::size_t total) mutable {
        if (Clock::now() - last < std::chrono::seconds(1))
            return;
        last = Clock::now();
        std::cerr << "Обработано файлов: " << done << " из " << total << "\n";
    };
}

int databaseRegisterCommand(const Options &options, TDataModule2 &dm)
{
    gis::DatabaseRegisterOptions registerOptions;
    registerOptions.base.crs = crsSettings(options);
    registerOptions.base.note = printNote;
    registerOptions.base.progress = progressPrinter();
    registerOptions.schema = options.schema;
    registerOptions.fileDigest = fileSha256Hex;
    const gis::DatabaseRegisterResult result =
        gis::updateDatabaseRegister(dm, options.positional.at(1), options.positional.at(2), registerOptions);
    std::cerr << "Реестр в схеме " << options.schema << ": добавлено " << result.added << ", изменено "
              << result.changed << ", удалено " << result.removed << ", без изменений " << result.unchanged
              << ", не прочитано " << result.unreadable << "; записано контуров: " << result.contours
              << ".\n";
    return 0;
}

} // namespace

int registerCommand(const Options &options)
{
    CliPrompts prompts;
    TDataModule2 dm(&prompts);
    dm.DataModuleCreate(options.dictionaries);
    if (gis::isDatabaseConnection(options.positional.at(2)))
        return databaseRegisterCommand(options, dm);
    gis::RegisterOptions registerOptions;
    registerOptions.crs = crsSettings(options);
    registerOptions.note = printNote;
    registerOptions.progress = progressPrinter();
    const gis::RegisterResult result =
        gis::writePassportRegister(dm, options.positional.at(1), options.positional.at(2), registerOptions);
    std::cerr << "Паспортов в реестре: " << result.passports << ", не прочитано: " << result.unreadable
              << ", контуров: " << result.contours << ".\n";
    return 0;
}

} // namespace tarvena::cli
