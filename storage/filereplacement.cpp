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

const char kHexDigits[] = "0123456789abcdef";

std::string hex(std::uint32_t value, int digits)
{
    std::string text;
    for (int i = digits - 1; i >= 0; --i)
        text += kHexDigits[(value >> (4 * i)) & 0xF];
    return text;
}

// The start of the temporary names of saves of one target: ".~tv", a hash of the target's name and
// "-". The process ID follows, so that a later save can tell a temporary that a killed save left.
std::string temporaryPrefix(const fs::path &target)
{
    std::uint32_t hash = 2166136261u; // FNV-1a
    for (const char c : platform::utf8FromPath(target.filename())) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 16777619u;
    }
    return ".~tv" + hex(hash, 8) + "-";
}

// prefix, the process ID, "-", four random hex digits and ".tmp": no other save picks it at the same time.
std::string temporaryName(const std::string &prefix)
{
    static std::mt19937 random(std::random_device{}());
    return prefix + std::to_string(platform::currentProcessId()) + "-" + hex(random(), 4) + ".tmp";
}

// The process ID in a temporary name that starts with prefix, or -1 for any other name.
long long temporaryOwner(const std::string &name, const std::string &prefix)
{
    if (name.size() <= prefix.size() + 9 || name.compare(0, prefix.size(), prefix) != 0 ||
        name.compare(name.size() - 4, 4, ".tmp") != 0 || name[name.size() - 9] != '-')
        return -1;
    const std::string id = name.substr(prefix.size(), name.size() - 9 - prefix.size());
    if (id.empty() || id.size() > 18 || id.find_first_not_of("0123456789") != std::string::npos)
        return -1;
    return std::stoll(id);
}

// Removes the temporaries of target that saves of processes no longer running left behind (a save
// killed before it could clean up). Another running save's temporary stays.
void removeDeadTemporaries(const fs::path &folder, const std::string &prefix)
{
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const long long owner = temporaryOwner(platform::utf8FromPath(it->path().filename()), prefix);
        if (owner < 0 || owner == platform::currentProcessId() || platform::processRunning(owner))
            continue;
        std::error_code status;
        if (fs::is_regular_file(it->symlink_status(status)))
            fs::remove(it->path(), status);
    }
}

} // namespace

FileReplacement::FileReplacement(const std::string &path)
{
    const fs::path target = followLinks(platform::pathFromUtf8(path));
    mTarget = platform::utf8FromPath(target);
    const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    const std::string prefix = temporaryPrefix(target);
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
    removeDeadTemporaries(folder, prefix);
    for (int attempt = 0; attempt < kNameAttempts && !mFile; ++attempt) {
        mTemporary = platform::utf8FromPath(folder / temporaryName(prefix));
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
    removeDeadTemporaries(folder, prefix);
    int fd = -1;
    for (int attempt = 0; attempt < kNameAttempts && fd < 0; ++attempt) {
        mTemporary = platform::utf8FromPath(folder / temporaryName(prefix));
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
