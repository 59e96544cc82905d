#include "exchange/workbooks/outputfile.h"

#include "storage/error.h"
#include "storage/platformfile.h"

#include <fstream>
#include <random>

namespace tarvena {

namespace {

[[noreturn]] void fail(const std::string &fileName, const std::string &reason)
{
    throw Error("Не удалось записать файл " + fileName + (reason.empty() ? "" : ": " + reason) + ".");
}

void replaceBy(const std::filesystem::path &temporary, const std::string &fileName)
{
    std::string reason;
    if (platform::replaceFile(pathToUtf8(temporary), fileName, reason))
        return;
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

std::filesystem::path temporaryBeside(const std::string &fileName)
{
    // A short name, so that a long final name cannot make the temporary one too long for the file system.
    // One generator a thread: the attachments of an unpacking are written beside the workbooks.
    thread_local std::mt19937_64 random{std::random_device()()};
    return pathFromUtf8(fileName).parent_path() /
           (".tarvena-" + std::to_string(random() % 1000000000) + ".tmp");
}

void writeFileReplacing(const std::string &fileName, const std::function<void(std::ostream &)> &write)
{
    const std::filesystem::path temporary = temporaryBeside(fileName);
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
    const std::filesystem::path temporary = temporaryBeside(fileName);
    std::filesystem::copy_file(from, temporary, std::filesystem::copy_options::overwrite_existing, error);
    if (error) {
        std::filesystem::remove(temporary, error);
        fail(fileName, platform::lastErrorText());
    }
    replaceBy(temporary, fileName);
    std::filesystem::remove(from, error);
}

} // namespace tarvena
