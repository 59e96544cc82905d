// tarvena-cli diff: what changed from one passport to another, line by line in the words of the
// pages, or as JSON for tools. Exit status 0: the same, 1: they differ, 2: one cannot be read.
#include "cli/cliprompts.h"
#include "cli/commands.h"
#include "model/datamodule.h"
#include "model/passportdiff.h"
#include "model/passportsession.h"
#include "storage/error.h"

#include <nlohmann/json.hpp>

#include <iostream>

namespace tarvena::cli {

namespace {

const char *kindKey(DiffLine::Kind kind)
{
    switch (kind) {
    case DiffLine::Kind::Added:
        return "added";
    case DiffLine::Kind::Removed:
        return "removed";
    case DiffLine::Kind::Replaced:
        return "replaced";
    case DiffLine::Kind::Contour:
        return "contour";
    case DiffLine::Kind::Changed:
        break;
    }
    return "changed";
}

void printJson(const PassportDiff &diff)
{
    using nlohmann::json;
    json lines = json::array();
    for (const DiffLine &line : diff.lines)
        lines.push_back({{"kind", kindKey(line.kind)},
                         {"page", line.path.front()},
                         {"path", line.path},
                         {"before", line.before},
                         {"after", line.after},
                         {"change", line.change},
                         {"text", line.text()}});
    std::cout << json{{"equal", diff.equal()}, {"differences", std::move(lines)}}.dump(2) << "\n";
}

bool wantsJson(const Options &options)
{
    bool json = false;
    for (const auto &[option, value] : options.probabilistic) {
        if (option != "--json")
            throw Error("Параметр " + option + " не относится к сравнению паспортов.");
        json = true;
    }
    return json;
}

} // namespace

int diffCommand(const Options &options, ContourMeasure *measure)
{
    bool json = false;
    try {
        json = wantsJson(options);
    } catch (const Error &e) {
        std::cerr << e.what() << "\n";
        return 2;
    }
    CliPrompts prompts;
    std::unique_ptr<TDataModule2> before;
    std::unique_ptr<TDataModule2> after;
    const std::string *reading = &options.positional.at(1);
    try {
        before = createDataModule(options, prompts);
        PassportSession(*before).open(*reading);
        reading = &options.positional.at(2);
        after = openPassportToCompare(*before, *reading);
    } catch (const std::exception &e) {
        std::cerr << "Не удалось прочитать паспорт \"" << *reading << "\": " << e.what() << "\n";
        return 2;
    }
    const PassportDiff diff = comparePassports(*before, *after, measure);
    if (json)
        printJson(diff);
    else if (diff.equal())
        std::cout << "Паспорта не различаются.\n";
    else
        for (const DiffLine &line : diff.lines)
            std::cout << line.text() << "\n";
    return diff.equal() ? 0 : 1;
}

} // namespace tarvena::cli
