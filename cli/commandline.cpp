#include "cli/commandline.h"

#include "storage/platformfile.h"
#include "storage/shippedfiles.h"

#include <cstdlib>
#include <exception>
#include <iostream>
#include <string>

namespace tarvena::cli {

namespace {

std::string programDirectory(const char *argv0)
{
    return platform::utf8FromPath(platform::executablePath(argv0).parent_path());
}

} // namespace

int runCommandLine(int argc, char **argv, std::span<const Command> commands, const char *programName,
                   const char *usage)
{
    const auto wrong = [usage] {
        std::cerr << usage;
        return 2;
    };
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--version") {
            std::cout << programName << " " << TARVENA_VERSION << "\n";
            return 0;
        } else if (arg == "--dictionaries") {
            if (++i >= argc)
                return wrong();
            options.dictionaries = argv[i];
        } else if (arg == "--engine") {
            if (++i >= argc)
                return wrong();
            options.engine = argv[i];
            if (options.engine != "excel" && options.engine != "calc")
                return wrong();
        } else if (arg == "--format" || arg == "--geographic-crs" || arg == "--target-crs" ||
                   arg == "--schema") {
            if (++i >= argc)
                return wrong();
            (arg == "--format"           ? options.format
             : arg == "--geographic-crs" ? options.geographicCrs
             : arg == "--schema"         ? options.schema
                                         : options.targetCrs) = argv[i];
        } else if (isContourImportOption(arg)) {
            if (++i >= argc)
                return wrong();
            options.contourImport.emplace_back(arg, argv[i]);
        } else if (bool valued = false; isProbabilisticOption(arg, valued)) {
            if (valued && ++i >= argc)
                return wrong();
            options.probabilistic.emplace_back(arg, valued ? argv[i] : "");
        } else if (arg == "--raw") {
            options.raw = true;
        } else if (arg.size() > 1 && arg[0] == '-') {
            return wrong();
        } else {
            options.positional.push_back(arg);
        }
    }
    const char *environment = std::getenv("TARVENA_DICTIONARIES");
    options.dictionaries = platform::dictionaryFolder(options.dictionaries, environment ? environment : "",
                                                      programDirectory(argv[0]));

    if (options.positional.empty())
        return wrong();
    for (const Command &command : commands) {
        if (options.positional[0] != command.name)
            continue;
        const std::size_t given = options.positional.size() - 1;
        if (given < command.arguments || (given > command.arguments && !command.moreArguments))
            return wrong();
        try {
            return command.run(options);
        } catch (const std::exception &e) {
            std::cout.flush();
            std::cerr << e.what() << "\n";
            return 1;
        }
    }
    return wrong();
}

} // namespace tarvena::cli
