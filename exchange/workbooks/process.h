#pragma once
// Running another program and waiting for it: the one place that differs between platforms.
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

namespace tarvena {

struct ProcessResult
{
    bool started = false;
    bool timedOut = false; // the program was stopped after the time allowed
    int exitCode = -1;
};

// Runs program with arguments (no shell in between), its output and errors going to logFile, and
// waits at most timeout for it and the processes it started in its group.
ProcessResult runProcess(const std::filesystem::path &program, const std::vector<std::string> &arguments,
                         const std::filesystem::path &logFile, std::chrono::seconds timeout);

// True for a regular file that this user may run.
bool isExecutableFile(const std::filesystem::path &path);

} // namespace tarvena
