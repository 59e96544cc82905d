#include "tests/support/clirun.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <sys/wait.h>

namespace tarvena::testing {

CliRun runShell(const std::string &commandLine)
{
    const std::string command = commandLine + " 2>&1";
    CliRun run;
    std::FILE *pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return run;
    char buffer[65536];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        run.out.append(buffer, n);
    const int status = ::pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

std::string shellQuoted(const std::string &argument)
{
    std::string quoted = "'";
    for (char c : argument)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

CliRun runCliLine(const std::string &argumentLine)
{
    return runShell(std::string(TARVENA_BIN_DIR) + "/tarvena-cli " + argumentLine);
}

CliRun runCli(const std::vector<std::string> &arguments)
{
    std::string line;
    for (const std::string &argument : arguments)
        line += " " + shellQuoted(argument);
    return runCliLine(line);
}

std::string readFileBytes(const std::filesystem::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

} // namespace tarvena::testing
