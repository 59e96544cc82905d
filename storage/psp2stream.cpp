#include "storage/psp2stream.h"

#include "storage/error.h"
#include "storage/filereplacement.h"
#include "storage/platformfile.h"

#include <algorithm>
#include <cstring>

namespace tarvena {

namespace {
const std::uint8_t kSignature[8] = {7, 'k', 'e', 'r', 't', 'a', 'l', '2'};
constexpr std::size_t kFileBuffer = 1 << 20;

std::string openFailure(const std::string &path, const std::string &reason)
{
    return "Не удалось открыть файл паспорта \"" + path + "\": " + reason + ".";
}
} // namespace

PspHeaderProbe HasPspHeader(const std::string &path)
{
    PspHeaderProbe probe;
    std::string reason;
    // Through the same refusals as the open that follows: a pipe must not block the probe either.
    std::FILE *file = platform::openExclusive(path, "rb", reason);
    if (!file)
        return probe;
    std::uint8_t head[10];
    const std::size_t n = std::fread(head, 1, sizeof head, file);
    std::fclose(file);
    if (n <= 9)
        return probe;
    probe.hasHeader = std::memcmp(head, kSignature, 8) == 0;
    probe.versionByte = head[8];
    return probe;
}

bool ReadPspHeader(Stream &stream)
{
    stream.seek(0);
    std::uint8_t head[9];
    if (stream.size() <= 9 || stream.read(head, 9) != 9 || std::memcmp(head, kSignature, 8) != 0) {
        stream.seek(0);
        return false;
    }
    if (head[8] > kPspVersion)
        throw Error("Unknown PSP version");
    return true;
}

void WritePspHeader(Stream &stream)
{
    if (stream.write(kSignature, 8) != 8 || stream.write(&kPspVersion, 1) != 1)
        throw Error("Stream write error\nНе удалось записать файл паспорта: " + platform::lastErrorText() +
                    ".");
}

TPSP2Stream::~TPSP2Stream()
{
    close();
}

void TPSP2Stream::close()
{
    if (mReplacement)
        mReplacement.reset(); // the temporary file goes; the file it was to replace stays
    else if (mFile)
        std::fclose(mFile);
    mFile = nullptr;
}

void TPSP2Stream::OpenForRead(const std::string &path, bool checkHeader)
{
    close();
    std::string reason;
    mFile = platform::openExclusive(path, "rb", reason);
    if (!mFile)
        throw Error(openFailure(path, reason));
    mPath = path;
    std::setvbuf(mFile, nullptr, _IOFBF, kFileBuffer);
    std::fseek(mFile, 0, SEEK_END);
    mSize = std::ftell(mFile);
    std::fseek(mFile, 0, SEEK_SET);
    if (!checkHeader)
        return;
    std::uint8_t head[9];
    if (read(head, 9) != 9 || std::memcmp(head, kSignature, 8) != 0)
        throw Error("Invalid PSP signature");
    if (head[8] > kPspVersion)
        throw Error("Unknown PSP version");
}

void TPSP2Stream::CreateForWrite(const std::string &path, bool writeHeader)
{
    close();
    std::string reason;
    mFile = platform::openExclusive(path, "wb", reason);
    if (!mFile)
        throw Error("Stream write error\nНе удалось создать файл \"" + path + "\": " + reason + ".");
    startWriting(path, writeHeader);
}

void TPSP2Stream::CreateReplacing(const std::string &path, bool writeHeader)
{
    close();
    mReplacement = std::make_unique<FileReplacement>(path);
    mFile = mReplacement->file();
    startWriting(mReplacement->targetPath(), writeHeader);
}

void TPSP2Stream::startWriting(const std::string &path, bool writeHeader)
{
    mPath = path;
    mSize = 0;
    mWriteFailed = false;
    std::setvbuf(mFile, nullptr, _IOFBF, kFileBuffer);
    if (writeHeader) {
        writeAll(kSignature, 8);
        writeAll(&kPspVersion, 1);
    }
}

void TPSP2Stream::finish()
{
    if (mReplacement) {
        if (mWriteFailed) {
            close();
            throw Error("Stream write error\nНе удалось записать файл \"" + mPath + "\".");
        }
        mFile = nullptr;
        const std::unique_ptr<FileReplacement> replacement = std::move(mReplacement);
        replacement->commit();
        return;
    }
    if (!mFile)
        return;
    const bool flushed = platform::flushToDisk(mFile);
    const std::string reason = flushed ? std::string() : platform::lastErrorText();
    const bool closed = std::fclose(mFile) == 0;
    mFile = nullptr;
    if (!flushed || !closed || mWriteFailed)
        throw Error("Stream write error\nНе удалось записать файл \"" + mPath +
                    "\": " + (reason.empty() ? platform::lastErrorText() : reason) + ".");
}

std::size_t TPSP2Stream::read(void *buffer, std::size_t count)
{
    return mFile ? std::fread(buffer, 1, count, mFile) : 0;
}

std::size_t TPSP2Stream::write(const void *buffer, std::size_t count)
{
    if (!mFile)
        return 0;
    const std::size_t n = std::fwrite(buffer, 1, count, mFile);
    if (n != count)
        mWriteFailed = true;
    mSize = std::max(mSize, position()); // a length prefix written again later does not add to it
    return n;
}

std::int64_t TPSP2Stream::position() const
{
    return mFile ? std::ftell(mFile) : 0;
}

void TPSP2Stream::seek(std::int64_t position)
{
    if (mFile)
        std::fseek(mFile, static_cast<long>(position), SEEK_SET);
}

std::int64_t TPSP2Stream::size() const
{
    return mSize;
}

void TPSP2Stream::readExact(void *buffer, std::size_t count)
{
    if (read(buffer, count) != count)
        throw Error("Stream read error");
}

void TPSP2Stream::writeAll(const void *buffer, std::size_t count)
{
    if (write(buffer, count) != count)
        throw Error("Stream write error\nНе удалось записать файл \"" + mPath +
                    "\": " + platform::lastErrorText() + ".");
}

} // namespace tarvena
