#pragma once
// The command line of tarvena-cli and of its GIS companion tarvena-gis: the options, which may stand
// anywhere, and the dispatch to the command named first.
#include "cli/commands.h"

#include <cstddef>
#include <span>

namespace tarvena::cli {

struct Command
{
    const char *name;
    std::size_t arguments;
    int (*run)(const Options &);
    bool moreArguments = false; // arguments is the least count, any more may follow
};

// Parses the options and runs the command; returns the exit code: 2 (and the usage text on standard
// error) for a wrong command line, 1 for an error of the command, whose text goes to standard error.
int runCommandLine(int argc, char **argv, std::span<const Command> commands, const char *programName,
                   const char *usage);

} // namespace tarvena::cli
