#include "model/attachmentfile.h"

#include "storage/error.h"
#include "storage/gzip.h"
#include "storage/platformfile.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>

namespace tarvena {

namespace {

[[noreturn]] void readFailed(const std::string &path, const std::string &reason)
{
    throw Error("Не удалось прочитать файл \"" + path + "\": " + reason + ".");
}

// A file read from its start; a read error is remembered with its reason, so it is never taken for
// the end of the file.
class InputFile : public Stream
{
public:
    explicit InputFile(const std::string &path) : mFile(std::fopen(path.c_str(), "rb"))
    {
        if (!mFile)
            readFailed(path, platform::lastErrorText());
    }
    ~InputFile() override { std::fclose(mFile); }
    InputFile(const InputFile &) = delete;
    InputFile &operator=(const InputFile &) = delete;

    std::size_t read(void *buffer, std::size_t count) override
    {
        const std::size_t n = std::fread(buffer, 1, count, mFile);
        if (n < count && std::ferror(mFile) && mError.empty())
            mError = platform::lastErrorText();
        return n;
    }
    std::size_t write(const void *, std::size_t) override { return 0; }
    std::int64_t position() const override { return std::ftell(mFile); }
    void seek(std::int64_t position) override { std::fseek(mFile, long(position), SEEK_SET); }
    std::int64_t size() const override { return 0; }
    const std::string &error() const { return mError; }

private:
    std::FILE *mFile;
    std::string mError;
};

class AppendingSink : public Stream
{
public:
    explicit AppendingSink(std::string &out) : mOut(out) {}
    std::size_t read(void *, std::size_t) override { return 0; }
    std::size_t write(const void *buffer, std::size_t count) override
    {
        mOut.append(static_cast<const char *>(buffer), count);
        return count;
    }
    std::int64_t position() const override { return std::int64_t(mOut.size()); }
    void seek(std::int64_t) override {}
    std::int64_t size() const override { return std::int64_t(mOut.size()); }

private:
    std::string &mOut;
};

} // namespace

std::string compressedFileContent(const std::string &path)
{
    const std::filesystem::path file = platform::pathFromUtf8(path);
    std::error_code error;
    if (std::filesystem::is_directory(file, error))
        readFailed(path, "это папка, а не файл");
    InputFile input(path);

    std::string content;
    // Deflate never grows data by more than a few bytes per 16 KiB; reserving that keeps the buffer
    // from being copied as it grows.
    const std::uintmax_t size =
        std::filesystem::is_regular_file(file, error) ? std::filesystem::file_size(file, error) : 0;
    if (!error && size > 0)
        content.reserve(std::size_t(size + size / 256 + 64));
    AppendingSink sink(content);
    TGzip gzip;
    const int result = gzip.Compress(input, sink);
    if (!input.error().empty())
        readFailed(path, input.error());
    if (result != TGzip::Ok)
        readFailed(path, "не удалось сжать содержимое");
    return content;
}

} // namespace tarvena
