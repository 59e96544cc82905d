#include "exchange/unpacking/unpacktarget.h"

#include "exchange/workbooks/outputfile.h"
#include "storage/error.h"

#include <filesystem>

namespace tarvena {

namespace fs = std::filesystem;

namespace {

constexpr const char *kNothingWritten = "; паспорт не распакован, ничего не записано.";

fs::file_status statusOf(const std::string &path)
{
    std::error_code ignored;
    return fs::symlink_status(pathFromUtf8(path), ignored);
}

std::string quoted(const std::string &path)
{
    return "\"" + path + "\"";
}

} // namespace

void checkUnpackFolders(const std::vector<std::string> &folders)
{
    for (const std::string &folder : folders) {
        const fs::file_status status = statusOf(folder);
        if (fs::is_symlink(status))
            throw Error("Папка " + quoted(folder) + " является ссылкой на другое место" + kNothingWritten);
        if (fs::exists(status) && !fs::is_directory(status))
            throw Error(quoted(folder) + " не является папкой" + kNothingWritten);
    }
}

void checkUnpackFiles(const std::vector<std::string> &files)
{
    constexpr fs::perms anyWrite = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    for (const std::string &file : files) {
        const fs::file_status status = statusOf(file);
        // The permission bits are the owner's word, whoever runs the unpacking, as for a save.
        if (fs::is_regular_file(status) && (status.permissions() & anyWrite) == fs::perms::none)
            throw Error("Файл " + quoted(file) + " доступен только для чтения" + kNothingWritten);
    }
}

} // namespace tarvena
