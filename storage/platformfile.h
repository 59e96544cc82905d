#pragma once
// The few file services that differ between platforms: exclusive opening, flushing to the medium,
// replacing a file by another in one step.
#include <cstdio>
#include <filesystem>
#include <string>

namespace tarvena::platform {

// Opens path with fopen mode; the file is held with an exclusive advisory lock so that another copy
// of the program cannot open it meanwhile. Anything but a regular file (a folder, a pipe, a device) is
// refused without waiting on it. Returns nullptr and sets errorText (Russian) on failure.
std::FILE *openExclusive(const std::string &path, const char *mode, std::string &errorText);
// Flushes the C buffers and the operating system's buffers of file to the medium.
bool flushToDisk(std::FILE *file);
// Renames from over to (atomic on one file system). Returns false and sets errorText on failure.
bool replaceFile(const std::string &from, const std::string &to, std::string &errorText);
// File names on disk are UTF-8 in the program; these convert them to and from filesystem paths.
std::filesystem::path pathFromUtf8(const std::string &utf8);
std::string utf8FromPath(const std::filesystem::path &path);

// The running program's own file; argv0 (made absolute) where the system does not tell.
std::filesystem::path executablePath(const char *argv0);

// The running process's ID, and whether a process of that ID runs (one the caller may not signal runs).
long long currentProcessId();
bool processRunning(long long id);

// Makes a rename inside the folder durable (where the system needs that to be asked for).
void syncFolder(const std::string &path);

// A Russian reason for the last failed system call, or for an error code of the system.
std::string lastErrorText();
std::string errorText(int code);

} // namespace tarvena::platform
