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

// Runs tarvena-cli with these arguments, each quoted for the shell.
CliRun runCli(const std::vector<std::string> &arguments);
// Runs tarvena-cli with an argument line as the shell splits it.
CliRun runCliLine(const std::string &argumentLine);
// Runs a whole shell command line (a program of one's choice, variables before it).
CliRun runCommandLine(const std::string &commandLine);
std::string readFileBytes(const std::filesystem::path &path);

} // namespace tarvena::testing
