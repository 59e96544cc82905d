#pragma once
// The passport files under a folder, and what keeps some of them from being read.
#include <string>
#include <vector>

namespace tarvena::gis {

struct PassportFile
{
    std::string path;  // relative to the folder, UTF-8, "/" between folders
    std::string error; // why it cannot be read (UTF-8); empty for a plain file
};

// The .psp names under folder (recursively, any letter case of the extension) in the order of their
// paths. A name that is no plain file (a pipe, a device, a link that leads nowhere or round in a
// loop) and a subfolder that cannot be listed come with their error, so a register can show them;
// none of them is opened. Links to folders are not followed. Throws Error when folder itself fails.
std::vector<PassportFile> passportFiles(const std::string &folder);

} // namespace tarvena::gis
