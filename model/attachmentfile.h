#pragma once
// Reading a file to attach it to a passport: its bytes become one gzip member, read and compressed
// piece by piece, so memory use is the compressed size (reserved ahead from the file's size), not
// the file's size on top of it.
#include <string>

namespace tarvena {

// The content of the file at path (UTF-8) as one gzip member. Throws Error naming the file when it
// cannot be opened or read (missing, no access, a folder, a read failure midway); nothing is
// returned then.
std::string compressedFileContent(const std::string &path);

} // namespace tarvena
