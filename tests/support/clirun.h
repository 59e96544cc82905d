#pragma once
// Runs the built tarvena-cli as a user would, and reads files whole.
#include <filesystem>
#include <string>
#include <vector>

namespace tarvena::testing {

struct CliRun
{
    int exitCode = -1;
    std::string out; // standard output and standard error together
};

// Runs a command line through the shell.
CliRun runShell(const std::string &commandLine);
// An argument quoted for the shell.
std::string shellQuoted(const std::string &argument);

// Runs tarvena-cli with these arguments, each quoted for the shell.
CliRun runCli(const std::vector<std::string> &arguments);
// Runs tarvena-cli with an argument line as the shell splits it.
CliRun runCliLine(const std::string &argumentLine);
std::string readFileBytes(const std::filesystem::path &path);

} // namespace tarvena::testing
