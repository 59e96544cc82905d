#include "storage/shippedfiles.h"

#include "storage/platformfile.h"

#include <filesystem>

namespace tarvena::platform {

namespace {

const char kDictionaryFile[] = "DICTIONARYS.BIN";

} // namespace

std::vector<std::string> shippedFolders(const std::string &programDir)
{
    const std::filesystem::path dir = pathFromUtf8(programDir);
    const std::filesystem::path installed = (dir / ".." / "share" / "tarvena").lexically_normal();
    return {programDir, utf8FromPath(installed)};
}

std::string findShippedFile(const std::vector<std::string> &folders, const std::string &fileName)
{
    for (const std::string &folder : folders) {
        std::error_code ec;
        if (std::filesystem::is_regular_file(pathFromUtf8(folder) / pathFromUtf8(fileName), ec))
            return folder;
    }
    return {};
}

std::string dictionaryFolder(const std::string &option, const std::string &environment,
                             const std::string &programDir)
{
    if (!option.empty())
        return option;
    if (!environment.empty())
        return environment;
    const std::string found = findShippedFile(shippedFolders(programDir), kDictionaryFile);
    return found.empty() ? programDir : found;
}

} // namespace tarvena::platform
