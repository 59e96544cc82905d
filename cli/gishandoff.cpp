#include "cli/gishandoff.h"

#include "storage/platformfile.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <process.h>
#else
#include <unistd.h>
#endif

namespace tarvena::cli {

bool isGisCommand(const char *name)
{
    for (const char *gis : {"summary", "export-gis", "register", "check"}) {
        if (std::strcmp(name, gis) == 0)
            return true;
    }
    return false;
}

int handOffToGisTool(int argc, char **argv)
{
    std::filesystem::path tool = platform::executablePath(argv[0]).parent_path() / "tarvena-gis";
#ifdef _WIN32
    tool += ".exe";
#endif
    const std::string path = tool.string();
    std::vector<char *> arguments(argv, argv + argc);
    arguments[0] = const_cast<char *>(path.c_str());
    arguments.push_back(nullptr);
#ifdef _WIN32
    _execv(path.c_str(), arguments.data());
#else
    ::execv(path.c_str(), arguments.data());
#endif
    std::cerr << "Не удалось запустить \"" << platform::utf8FromPath(tool) << "\": " << std::strerror(errno)
              << "\n";
    return 1;
}

} // namespace tarvena::cli
