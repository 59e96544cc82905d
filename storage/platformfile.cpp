#include "storage/platformfile.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <limits>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tarvena::platform {

std::string lastErrorText()
{
    return errorText(errno);
}

std::string errorText(int code)
{
    switch (code) {
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
    case EFBIG:
        return "файл слишком большой";
    case ENAMETOOLONG:
        return "слишком длинное имя файла";
    case ENOTDIR:
        return "часть пути не является папкой";
    case EEXIST:
        return "файл уже существует";
    case ELOOP:
        return "слишком много символических ссылок";
    case EIO:
        return "ошибка ввода-вывода";
    case EMFILE:
    case ENFILE:
        return "открыто слишком много файлов";
    case ENXIO:
    case ENODEV:
        return "устройство недоступно";
    case EBUSY:
        return "файл занят";
    case EINVAL:
        return "недопустимый аргумент";
    case ENOMEM:
        return "недостаточно памяти";
    case EXDEV:
        return "файлы на разных дисках";
    default:
        return std::strerror(code);
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
#ifdef _WIN32
    std::FILE *file = std::fopen(path.c_str(), mode);
    if (!file)
        errorText = lastErrorText();
    return file;
#else
    // The lock is taken before a file opened for writing is emptied, so a second writer is refused
    // without destroying what the first one is writing.
    const bool truncating = mode[0] == 'w';
    const bool writing = std::strpbrk(mode, "wa+") != nullptr;
    const int flags = mode[0] == 'r' ? (writing ? O_RDWR : O_RDONLY)
                                     : (O_WRONLY | O_CREAT | (mode[0] == 'a' ? O_APPEND : 0));
    // Opened without blocking, so a pipe or a device is refused instead of waiting for its other end.
    const int fd = ::open(path.c_str(), flags | O_CLOEXEC | O_NONBLOCK, 0666);
    if (fd < 0) {
        errorText = lastErrorText();
        return nullptr;
    }
    struct stat status = {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        errorText = S_ISDIR(status.st_mode) ? tarvena::platform::errorText(EISDIR) : "это не обычный файл";
        ::close(fd);
        return nullptr;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (flock(fd, (writing ? LOCK_EX : LOCK_SH) | LOCK_NB) != 0 || (truncating && ::ftruncate(fd, 0) != 0)) {
        errorText = lastErrorText();
        ::close(fd);
        return nullptr;
    }
    std::FILE *file = ::fdopen(fd, mode);
    if (!file) {
        errorText = lastErrorText();
        ::close(fd);
    }
    return file;
#endif
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

std::filesystem::path executablePath(const char *argv0)
{
    std::error_code ec;
#ifdef _WIN32
    wchar_t buffer[32768];
    const DWORD n = GetModuleFileNameW(nullptr, buffer, sizeof buffer / sizeof buffer[0]);
    if (n > 0 && n < sizeof buffer / sizeof buffer[0])
        return std::filesystem::path(std::wstring(buffer, n));
#else
    std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec)
        return self;
#endif
    return std::filesystem::absolute(argv0 ? argv0 : "", ec);
}

bool replaceFile(const std::string &from, const std::string &to, std::string &errorText)
{
    std::error_code ec;
    std::filesystem::rename(pathFromUtf8(from), pathFromUtf8(to), ec);
    if (ec) {
        errorText = ec.category() == std::system_category() || ec.category() == std::generic_category()
                        ? tarvena::platform::errorText(ec.value())
                        : ec.message();
        return false;
    }
    return true;
}

long long currentProcessId()
{
#ifdef _WIN32
    return static_cast<long long>(GetCurrentProcessId());
#else
    return static_cast<long long>(::getpid());
#endif
}

bool processRunning(long long id)
{
#ifdef _WIN32
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(id));
    if (!process)
        return GetLastError() == ERROR_ACCESS_DENIED;
    DWORD code = 0;
    const bool running = GetExitCodeProcess(process, &code) && code == STILL_ACTIVE;
    CloseHandle(process);
    return running;
#else
    if (id <= 0 || id > std::numeric_limits<pid_t>::max())
        return false;
    return ::kill(static_cast<pid_t>(id), 0) == 0 || errno == EPERM;
#endif
}

void syncFolder(const std::string &path)
{
#ifndef _WIN32
    const int fd = ::open(path.empty() ? "." : path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
#else
    (void)path;
#endif
}

} // namespace tarvena::platform
