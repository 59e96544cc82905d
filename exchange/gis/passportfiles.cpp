#include "exchange/gis/passportfiles.h"

#include "exchange/workbooks/outputfile.h"
#include "storage/error.h"

#include <algorithm>
#include <filesystem>

namespace tarvena::gis {

namespace fs = std::filesystem;

namespace {

bool hasPassportExtension(const fs::path &path)
{
    std::string extension = pathToUtf8(path.extension());
    for (char &c : extension)
        c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    return extension == ".psp";
}

// Why a file of this type is no passport; the type is read from the directory, never by opening it.
std::string typeError(fs::file_type type)
{
    switch (type) {
    case fs::file_type::regular:
        return {};
    case fs::file_type::fifo:
        return "это не файл, а канал (FIFO); он не открывался";
    case fs::file_type::socket:
        return "это не файл, а сокет; он не открывался";
    case fs::file_type::block:
    case fs::file_type::character:
        return "это не файл, а устройство; оно не открывалось";
    case fs::file_type::directory:
        return "это папка";
    default:
        return "это не обычный файл; он не открывался";
    }
}

class Scan
{
public:
    explicit Scan(const fs::path &root) : mRoot(root) {}

    void folder(const fs::path &path)
    {
        std::error_code error;
        fs::directory_iterator it(path, error);
        for (; !error && it != fs::directory_iterator(); it.increment(error))
            entry(*it);
        if (error) {
            if (path == mRoot)
                throw Error("Не удалось прочитать папку " + pathToUtf8(path) + ": " + error.message() + ".");
            add(path, "не удалось прочитать папку: " + error.message());
        }
    }

    std::vector<PassportFile> files;

private:
    void entry(const fs::directory_entry &item)
    {
        std::error_code error;
        const fs::file_status own = item.symlink_status(error);
        if (!error && own.type() == fs::file_type::directory) {
            folder(item.path());
            return;
        }
        if (!hasPassportExtension(item.path()))
            return;
        // A link is judged by what it leads to; a loop or a missing target is the error itself.
        const fs::file_status target = error ? own : fs::status(item.path(), error);
        if (error)
            add(item.path(), "не удалось прочитать файл: " + error.message());
        else if (target.type() == fs::file_type::directory)
            return; // a link to a folder named like a passport: neither followed nor a passport
        else
            add(item.path(), typeError(target.type()));
    }

    void add(const fs::path &path, std::string error)
    {
        files.push_back(
            {pathToUtf8(fs::path(path.lexically_relative(mRoot).generic_u8string())), std::move(error)});
    }

    fs::path mRoot;
};

} // namespace

std::vector<PassportFile> passportFiles(const std::string &folder)
{
    const fs::path root = pathFromUtf8(folder);
    std::error_code error;
    if (!fs::is_directory(root, error))
        throw Error("Папка " + folder + " не найдена.");
    Scan scan(root);
    scan.folder(root);
    std::sort(scan.files.begin(), scan.files.end(),
              [](const PassportFile &a, const PassportFile &b) { return a.path < b.path; });
    return std::move(scan.files);
}

} // namespace tarvena::gis
