#include "storage/platformfile.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

#ifdef _WIN32
#include <io.h>
#else
#include <sys/file.h>
#include <unistd.h>
#endif

namespace tarvena::platform {

std::string lastErrorText()
{
    switch (errno) {
    case ENOENT:
        return "файл или папка не найдены";
    case EACCES:
    case EPERM:
        return "нет доступа";
    case ENOSPC:
        return "недостаточно места на диске";
#ifdef EDQUOT
    case EDQUOT:
        return "превышена квота диска";
#endif
    case EROFS:
        return "диск доступен только для чтения";
    case EISDIR:
        return "это папка, а не файл";
    case EWOULDBLOCK:
        return "файл открыт другой программой";
    default:
        return std::strerror(errno);
    }
}

std::filesystem::path pathFromUtf8(const std::string &utf8)
{
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string utf8FromPath(const std::filesystem::path &path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

std::FILE *openExclusive(const std::string &path, const char *mode, std::string &errorText)
{
    std::error_code ec;
    if (std::filesystem::is_directory(pathFromUtf8(path), ec)) {
        errno = EISDIR;
        errorText = lastErrorText();
        return nullptr;
    }
    std::FILE *file = std::fopen(path.c_str(), mode);
    if (!file) {
        errorText = lastErrorText();
        return nullptr;
    }
#ifndef _WIN32
    const bool writing = std::strpbrk(mode, "wa+") != nullptr;
    if (flock(fileno(file), (writing ? LOCK_EX : LOCK_SH) | LOCK_NB) != 0) {
        errorText = lastErrorText();
        std::fclose(file);
        return nullptr;
    }
#endif
    return file;
}

bool flushToDisk(std::FILE *file)
{
    if (std::fflush(file) != 0)
        return false;
#ifdef _WIN32
    return _commit(_fileno(file)) == 0;
#else
    return fsync(fileno(file)) == 0;
#endif
}

bool replaceFile(const std::string &from, const std::string &to, std::string &errorText)
{
    std::error_code ec;
    std::filesystem::rename(pathFromUtf8(from), pathFromUtf8(to), ec);
    if (ec) {
        errorText = ec.message();
        return false;
    }
    return true;
}

} // namespace tarvena::platform
