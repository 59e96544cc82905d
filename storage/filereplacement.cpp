#include "storage/filereplacement.h"

#include "storage/error.h"
#include "storage/platformfile.h"

#include <cerrno>
#include <filesystem>
#include <random>

#ifdef _WIN32
#include <io.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tarvena {

namespace fs = std::filesystem;

namespace {

constexpr int kMaxLinks = 40;
constexpr int kNameAttempts = 100;

std::string inQuotes(const std::string &path)
{
    return "\"" + path + "\"";
}

// The file a chain of symbolic links ends at (path itself when it is no link).
fs::path followLinks(fs::path path)
{
    for (int hop = 0; hop < kMaxLinks; ++hop) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(path, ec)))
            return path;
        const fs::path next = fs::read_symlink(path, ec);
        if (ec)
            return path;
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    errno = ELOOP;
    throw Error("Не удалось записать " + inQuotes(platform::utf8FromPath(path)) + ": " +
                platform::lastErrorText() + ".");
}

// A short name that no other save of this run or another process picks at the same time.
std::string temporaryName()
{
    static std::mt19937 random(std::random_device{}());
    static const char digits[] = "0123456789abcdef";
    std::string name = ".~tv";
    for (int i = 0; i < 8; ++i)
        name += digits[random() % 16];
    return name + ".tmp";
}

} // namespace

FileReplacement::FileReplacement(const std::string &path)
{
    const fs::path target = followLinks(platform::pathFromUtf8(path));
    mTarget = platform::utf8FromPath(target);
    const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
#ifdef _WIN32
    std::error_code ec;
    const fs::file_status status = fs::status(target, ec);
    mHadTarget = fs::exists(status);
    if (fs::is_directory(status))
        throw Error("Не удалось записать " + inQuotes(mTarget) + ": это папка, а не файл.");
    if (mHadTarget && !fs::is_regular_file(status))
        throw Error("Не удалось записать " + inQuotes(mTarget) + ": это не обычный файл.");
    if (mHadTarget && (status.permissions() & fs::perms::owner_write) == fs::perms::none)
        throw Error("Файл " + inQuotes(mTarget) + " доступен только для чтения; он остался как был.");
    for (int attempt = 0; attempt < kNameAttempts && !mFile; ++attempt) {
        mTemporary = platform::utf8FromPath(folder / temporaryName());
        if (!fs::exists(platform::pathFromUtf8(mTemporary), ec))
            mFile = _wfopen(platform::pathFromUtf8(mTemporary).c_str(), L"wbx");
    }
#else
    struct stat old;
    if (::stat(mTarget.c_str(), &old) == 0) {
        mHadTarget = true;
        if (S_ISDIR(old.st_mode))
            throw Error("Не удалось записать " + inQuotes(mTarget) + ": это папка, а не файл.");
        if (!S_ISREG(old.st_mode))
            throw Error("Не удалось записать " + inQuotes(mTarget) + ": это не обычный файл.");
        // Write permission is the file's own bits; an administrator's right to override them is no
        // reason to replace a file its owner made read-only.
        if ((old.st_mode & 0222) == 0 || ::access(mTarget.c_str(), W_OK) != 0)
            throw Error("Файл " + inQuotes(mTarget) + " доступен только для чтения; он остался как был.");
        mMode = old.st_mode & 07777;
        mOwner = old.st_uid;
        mGroup = old.st_gid;
    }
    int fd = -1;
    for (int attempt = 0; attempt < kNameAttempts && fd < 0; ++attempt) {
        mTemporary = platform::utf8FromPath(folder / temporaryName());
        fd = ::open(mTemporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd >= 0) {
        mFile = ::fdopen(fd, "wb");
        if (!mFile)
            ::close(fd);
    }
#endif
    if (!mFile) {
        const std::string reason = platform::lastErrorText();
        mTemporary.clear();
        throw Error("Stream write error\nНе удалось создать файл в папке " +
                    inQuotes(platform::utf8FromPath(folder)) + ": " + reason + ".");
    }
}

FileReplacement::~FileReplacement()
{
    discard();
}

void FileReplacement::discard()
{
    if (mFile)
        std::fclose(mFile);
    mFile = nullptr;
    if (!mTemporary.empty()) {
        std::error_code ec;
        fs::remove(platform::pathFromUtf8(mTemporary), ec);
        mTemporary.clear();
    }
}

void FileReplacement::commit()
{
    const auto fail = [&](const char *what) {
        const std::string reason = platform::lastErrorText();
        discard();
        throw Error(std::string("Stream write error\nНе удалось ") + what + " " + inQuotes(mTarget) + ": " +
                    reason + ".");
    };
    if (!platform::flushToDisk(mFile))
        fail("записать файл");
#ifndef _WIN32
    if (mHadTarget) {
        // Owner and group first: changing them may clear the set-id bits that the mode then restores.
        const int fd = ::fileno(mFile);
        if (::fchown(fd, static_cast<uid_t>(mOwner), static_cast<gid_t>(mGroup)) != 0)
            (void)::fchown(fd, static_cast<uid_t>(-1), static_cast<gid_t>(mGroup));
        if (::fchmod(fd, static_cast<mode_t>(mMode)) != 0)
            fail("передать права доступа файлу");
    }
#endif
    const int closed = std::fclose(mFile);
    mFile = nullptr;
    if (closed != 0)
        fail("записать файл");
    std::string reason;
    if (!platform::replaceFile(mTemporary, mTarget, reason)) {
        discard();
        throw Error("Stream write error\nНе удалось заменить файл " + inQuotes(mTarget) + ": " + reason +
                    ".");
    }
    mTemporary.clear();
    // The new name reaches the medium with the folder; without it a power loss may bring back the old one.
    platform::syncFolder(platform::utf8FromPath(platform::pathFromUtf8(mTarget).parent_path()));
}

} // namespace tarvena
