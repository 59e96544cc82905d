#include "exchange/core/outputfile.h"

#include "storage/error.h"
#include "storage/platformfile.h"

#include <cstdio>
#include <fstream>
#include <random>

namespace tarvena {

namespace {

std::filesystem::path temporaryBeside(const std::filesystem::path &target)
{
    std::random_device random;
    std::filesystem::path name = target;
    name += "." + std::to_string(random() % 1000000) + ".tmp";
    return name;
}

[[noreturn]] void fail(const std::string &fileName, const std::string &reason)
{
    throw Error("Не удалось записать файл " + fileName + (reason.empty() ? "" : ": " + reason) + ".");
}

// Pushes the temporary file's data to the medium before it takes the place of the old file.
bool flushFile(const std::filesystem::path &path)
{
    std::FILE *file = std::fopen(path.string().c_str(), "r+b");
    if (!file)
        return false;
    const bool flushed = platform::flushToDisk(file);
    return std::fclose(file) == 0 && flushed;
}

void replaceBy(const std::filesystem::path &temporary, const std::string &fileName)
{
    std::string reason;
    if (!flushFile(temporary)) {
        reason = platform::lastErrorText();
    } else if (platform::replaceFile(pathToUtf8(temporary), fileName, reason)) {
        return;
    }
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
    fail(fileName, reason);
}

} // namespace

std::filesystem::path pathFromUtf8(const std::string &utf8)
{
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string pathToUtf8(const std::filesystem::path &path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

void writeFileReplacing(const std::string &fileName, const std::function<void(std::ostream &)> &write)
{
    const std::filesystem::path temporary = temporaryBeside(pathFromUtf8(fileName));
    try {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out)
            fail(fileName, platform::lastErrorText());
        write(out);
        out.close();
        if (!out)
            fail(fileName, platform::lastErrorText());
    } catch (...) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        throw;
    }
    replaceBy(temporary, fileName);
}

void moveFileReplacing(const std::filesystem::path &from, const std::string &fileName)
{
    std::error_code error;
    std::filesystem::rename(from, pathFromUtf8(fileName), error);
    if (!error)
        return;
    // Another file system: copy beside the target first so the target is replaced in one step.
    const std::filesystem::path temporary = temporaryBeside(pathFromUtf8(fileName));
    std::filesystem::copy_file(from, temporary, std::filesystem::copy_options::overwrite_existing, error);
    if (error) {
        std::filesystem::remove(temporary, error);
        fail(fileName, platform::lastErrorText());
    }
    replaceBy(temporary, fileName);
    std::filesystem::remove(from, error);
}

} // namespace tarvena
