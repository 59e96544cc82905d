#pragma once
// Writing result files safely: the old file is replaced only by a complete new one.
#include <filesystem>
#include <functional>
#include <ostream>
#include <string>

namespace tarvena {

// File names are UTF-8 inside the program.
std::filesystem::path pathFromUtf8(const std::string &utf8);
std::string pathToUtf8(const std::filesystem::path &path);

// Writes a file through a temporary file in the same folder that is flushed to the disk and then
// renamed over fileName, so a failure never leaves a half-written file under that name. Throws Error
// naming the file.
void writeFileReplacing(const std::string &fileName, const std::function<void(std::ostream &)> &write);

// Moves a finished file to fileName, replacing it; also across file systems.
void moveFileReplacing(const std::filesystem::path &from, const std::string &fileName);

} // namespace tarvena
