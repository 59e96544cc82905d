// tarvena-cli check: the passport check before submission over passports and folders of them, one line
// per finding and a summary per file, or JSON. The exit status says whether any passport has errors (1)
// or could not be read (2).
#include "cli/cliprompts.h"
#include "cli/commands.h"
#include "cli/gis/giscrs.h"
#include "exchange/gis/contourarea.h"
#include "exchange/gis/passportfiles.h"
#include "model/completeness.h"
#include "model/datamodule.h"
#include "storage/error.h"
#include "storage/platformfile.h"

#include <nlohmann/json.hpp>

#include <filesystem>
#include <iostream>

namespace tarvena::cli {

namespace {

using namespace completeness;

struct CheckedFile
{
    std::string path;  // as given, or the folder and the path under it
    std::string error; // why it was not read; empty when it was
    std::vector<Finding> findings;
};

// The passports the arguments name: a file as it is, a folder by the passports under it.
std::vector<CheckedFile> namedPassports(const std::vector<std::string> &arguments)
{
    std::vector<CheckedFile> files;
    for (const std::string &argument : arguments) {
        if (!std::filesystem::is_directory(platform::pathFromUtf8(argument))) {
            files.push_back({argument, {}, {}});
            continue;
        }
        const std::string folder = argument.ends_with('/') ? argument : argument + "/";
        for (const gis::PassportFile &file : gis::passportFiles(argument))
            files.push_back({folder + file.path, file.error, {}});
    }
    return files;
}

const char *severityWord(Severity severity)
{
    return severity == Severity::Error ? "ошибка" : "предупреждение";
}

void printText(const CheckedFile &file)
{
    std::cout << file.path << "\n";
    if (!file.error.empty()) {
        std::cout << file.path << ": не прочитан: " << file.error << "\n";
        return;
    }
    for (const Finding &finding : file.findings)
        std::cout << severityWord(finding.severity) << ": " << placeText(finding.place) << ": "
                  << finding.message << "\n";
    std::cout << file.path << ": " << summaryLine(countFindings(file.findings)) << "\n";
}

nlohmann::json placeJson(const Place &place)
{
    nlohmann::json json = {{"page", pageTitle(place)}, {"text", placeText(place)}};
    const std::string detail = placeDetail(place);
    if (!detail.empty())
        json["detail"] = detail;
    if (place.kind == PlaceKind::Control)
        json["control"] = place.object;
    if (place.kind == PlaceKind::GridCell) {
        json["grid"] = place.object;
        json["field"] = place.field;
    }
    if (place.row >= 0)
        json["row"] = place.row + 1;
    return json;
}

nlohmann::json fileJson(const CheckedFile &file)
{
    nlohmann::json json = {{"file", file.path}};
    if (!file.error.empty()) {
        json["error"] = file.error;
        return json;
    }
    const Counts counts = countFindings(file.findings);
    json["errors"] = counts.errors;
    json["warnings"] = counts.warnings;
    json["findings"] = nlohmann::json::array();
    for (const Finding &finding : file.findings)
        json["findings"].push_back({{"severity", severityWord(finding.severity)},
                                    {"message", finding.message},
                                    {"place", placeJson(finding.place)}});
    return json;
}

} // namespace

int checkCommand(const Options &options)
{
    bool json = false;
    // --json is read with the probabilistic command's flags.
    for (const auto &[option, value] : options.probabilistic) {
        if (option != "--json")
            throw tarvena::Error("Команда check не знает параметра " + option + ".");
        json = true;
    }
    CliPrompts prompts;
    TDataModule2 dm(&prompts);
    dm.DataModuleCreate(options.dictionaries);
    const completeness::ContourMeasure measure = gis::contourMeasure(crsSettings(options));

    std::vector<CheckedFile> files =
        namedPassports({options.positional.begin() + 1, options.positional.end()});
    bool unreadable = false, errors = false;
    nlohmann::json list = nlohmann::json::array();
    for (CheckedFile &file : files) {
        if (file.error.empty()) {
            try {
                dm.OpenPassport(file.path);
                file.findings = checkPassport(dm, measure);
            } catch (const std::exception &e) {
                file.error = e.what();
            }
        }
        unreadable = unreadable || !file.error.empty();
        errors = errors || countFindings(file.findings).errors > 0;
        if (json)
            list.push_back(fileJson(file));
        else
            printText(file);
    }
    if (json)
        std::cout << list.dump(2) << "\n";
    return unreadable ? 2 : errors ? 1 : 0;
}

} // namespace tarvena::cli
