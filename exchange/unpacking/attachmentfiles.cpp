#include "exchange/unpacking/attachmentfiles.h"

#include "exchange/workbooks/outputfile.h"
#include "storage/error.h"
#include "storage/gzip.h"
#include "storage/platformfile.h"

#include <cstdio>
#include <memory>

namespace tarvena {

namespace {

[[noreturn]] void writeFailed(const std::string &fileName, const std::string &reason)
{
    throw Error("Не удалось записать файл " + fileName + ": " + reason + ".");
}

// The file an attachment is decompressed into. It is not forced to the disk: the passport keeps the
// content, so an unpacking cut short by a crash is simply run again.
class OutputFile : public Stream
{
public:
    // Errors name fileName, the file the temporary one at path is to become.
    OutputFile(const std::string &path, const std::string &fileName) : mFile(std::fopen(path.c_str(), "wb"))
    {
        if (!mFile)
            writeFailed(fileName, platform::lastErrorText());
        // The decompressor hands out 16 KiB pieces: a larger buffer spares most of the system calls.
        std::setvbuf(mFile, mBuffer.get(), _IOFBF, kBufferSize);
    }
    ~OutputFile() override
    {
        if (mFile)
            std::fclose(mFile);
    }
    OutputFile(const OutputFile &) = delete;
    OutputFile &operator=(const OutputFile &) = delete;

    std::size_t read(void *, std::size_t) override { return 0; }
    std::size_t write(const void *buffer, std::size_t count) override
    {
        const std::size_t written = std::fwrite(buffer, 1, count, mFile);
        mFailed = mFailed || written != count;
        return written;
    }
    std::int64_t position() const override { return std::ftell(mFile); }
    void seek(std::int64_t) override {}
    std::int64_t size() const override { return position(); }

    // Closes the file; false when a write or the close failed.
    bool close()
    {
        const bool closed = std::fclose(mFile) == 0;
        mFile = nullptr;
        return closed && !mFailed;
    }

private:
    static constexpr std::size_t kBufferSize = 256 * 1024;
    std::unique_ptr<char[]> mBuffer = std::make_unique_for_overwrite<char[]>(kBufferSize);
    std::FILE *mFile;
    bool mFailed = false;
};

class TemporaryFile
{
public:
    explicit TemporaryFile(std::string path) : mPath(std::move(path)) {}
    ~TemporaryFile()
    {
        std::error_code ignored;
        if (!mPath.empty())
            std::filesystem::remove(pathFromUtf8(mPath), ignored);
    }
    TemporaryFile(const TemporaryFile &) = delete;
    TemporaryFile &operator=(const TemporaryFile &) = delete;
    const std::string &path() const { return mPath; }
    void release() { mPath.clear(); }

private:
    std::string mPath;
};

} // namespace

bool writeAttachmentFile(std::string_view content, const std::string &fileName)
{
    TemporaryFile temporary(pathToUtf8(temporaryBeside(fileName)));
    OutputFile file(temporary.path(), fileName);
    ViewStream source(content);
    TGzip gzip;
    const bool copied = gzip.Decompress(source, file) != TGzip::WriteFailed;
    const std::string reason = copied ? std::string() : platform::lastErrorText();
    if (!file.close() || !copied)
        writeFailed(fileName, copied ? platform::lastErrorText() : reason);
    if (!gzip.intact())
        return false;
    std::string refused;
    if (!platform::replaceFile(temporary.path(), fileName, refused))
        writeFailed(fileName, refused);
    temporary.release();
    return true;
}

void appendToFile(const std::string &fileName, std::string_view bytes)
{
    std::FILE *file = std::fopen(fileName.c_str(), "ab");
    if (!file)
        writeFailed(fileName, platform::lastErrorText());
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const std::string reason = written ? std::string() : platform::lastErrorText();
    if (std::fclose(file) != 0 && written)
        writeFailed(fileName, platform::lastErrorText());
    if (!written)
        writeFailed(fileName, reason);
}

} // namespace tarvena
