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

// A new name for a temporary file in the folder of fileName (UTF-8), short whatever fileName's length.
std::filesystem::path temporaryBeside(const std::string &fileName);

// Writes a file through a temporary file in the same folder that is then renamed over fileName, so a
// failure never leaves a half-written file under that name. The result files can be made again from
// the passport, so they are not forced to the disk. Throws Error naming the file.
void writeFileReplacing(const std::string &fileName, const std::function<void(std::ostream &)> &write);

// Moves a finished file to fileName, replacing it; also across file systems.
void moveFileReplacing(const std::filesystem::path &from, const std::string &fileName);

} // namespace tarvena
