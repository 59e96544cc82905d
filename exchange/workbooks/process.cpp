#include "exchange/workbooks/process.h"

#include <cerrno>
#include <thread>

#ifdef _WIN32
#include <cstdlib>
#else
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
extern char **environ;
#endif

namespace tarvena {

#ifdef _WIN32

namespace {

std::string quoted(const std::string &argument)
{
    std::string result = "\"";
    for (char c : argument)
        result += c == '"' ? std::string("\\\"") : std::string(1, c);
    return result + "\"";
}

} // namespace

ProcessResult runProcess(const std::filesystem::path &program, const std::vector<std::string> &arguments,
                         const std::filesystem::path &logFile, std::chrono::seconds)
{
    std::string command = "\"" + quoted(program.string());
    for (const std::string &argument : arguments)
        command += " " + quoted(argument);
    command += " > " + quoted(logFile.string()) + " 2>&1\"";
    ProcessResult result;
    result.exitCode = std::system(command.c_str());
    result.started = result.exitCode != -1;
    return result;
}

bool isExecutableFile(const std::filesystem::path &path)
{
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

#else

ProcessResult runProcess(const std::filesystem::path &program, const std::vector<std::string> &arguments,
                         const std::filesystem::path &logFile, std::chrono::seconds timeout)
{
    ProcessResult result;
    std::vector<std::string> strings{program.string()};
    strings.insert(strings.end(), arguments.begin(), arguments.end());
    std::vector<char *> argv;
    for (std::string &s : strings)
        argv.push_back(s.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, logFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    // A group of its own, so that a program that hangs is stopped with every helper it started.
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);

    pid_t pid = 0;
    const int error = posix_spawn(&pid, program.c_str(), &actions, &attributes, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    if (error != 0)
        return result;
    result.started = true;

    const auto deadline = std::chrono::steady_clock::now() + timeout;
    int status = 0;
    for (;;) {
        const pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid)
            break;
        if (done < 0 && errno != EINTR)
            return result;
        if (std::chrono::steady_clock::now() >= deadline) {
            kill(-pid, SIGKILL);
            waitpid(pid, &status, 0);
            result.timedOut = true;
            return result;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

bool isExecutableFile(const std::filesystem::path &path)
{
    std::error_code error;
    return std::filesystem::is_regular_file(path, error) && access(path.c_str(), X_OK) == 0;
}

#endif

} // namespace tarvena
