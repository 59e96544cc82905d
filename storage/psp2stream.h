#pragma once
// TPSP2Stream: the sequential file stream of passport files, with the 9-byte header
// 07 "kertal2" 01 that precedes the five table blocks.
#include "storage/filereplacement.h"
#include "storage/stream.h"

#include <cstdio>
#include <memory>
#include <string>

namespace tarvena {

constexpr std::uint8_t kPspVersion = 1;

struct PspHeaderProbe
{
    bool hasHeader = false;
    int versionByte = -1; // -1 when the file is 9 bytes or shorter
};

// Probes a file for the passport header: only files longer than 9 bytes can carry one.
PspHeaderProbe HasPspHeader(const std::string &path);
// The same for a stream held in memory (from its start); with a header the stream is left after it,
// else at 0. A header of an unknown version is "Unknown PSP version".
bool ReadPspHeader(Stream &stream);
// The 9 header bytes 07 "kertal2" 01, or "Stream write error".
void WritePspHeader(Stream &stream);

class TPSP2Stream : public Stream
{
public:
    TPSP2Stream() = default;
    ~TPSP2Stream() override;
    TPSP2Stream(const TPSP2Stream &) = delete;
    TPSP2Stream &operator=(const TPSP2Stream &) = delete;

    // Opens an existing file for reading. Unlike the old stream, a file that cannot be opened is an
    // Error naming it, so a refused path never passes for an empty passport. With checkHeader the
    // header is read and validated ("Invalid PSP signature", "Unknown PSP version").
    void OpenForRead(const std::string &path, bool checkHeader);
    // Creates or truncates path for writing; with writeHeader the 9 header bytes are written.
    void CreateForWrite(const std::string &path, bool writeHeader);
    // Writes a replacement of path (see FileReplacement), which finish() puts in its place; close()
    // without finish() leaves path as it was.
    void CreateReplacing(const std::string &path, bool writeHeader);
    // Flushes everything to the medium and closes (a replacement takes the file's place); throws Error
    // when a write failed on the way.
    void finish();
    void close();

    std::size_t read(void *buffer, std::size_t count) override;
    std::size_t write(const void *buffer, std::size_t count) override;
    std::int64_t position() const override;
    void seek(std::int64_t position) override;
    std::int64_t size() const override;

    // Reads exactly count bytes or throws "Stream read error".
    void readExact(void *buffer, std::size_t count);
    // Writes all count bytes or throws "Stream write error" with the reason.
    void writeAll(const void *buffer, std::size_t count);
    const std::string &path() const { return mPath; }

private:
    void startWriting(const std::string &path, bool writeHeader);

    std::FILE *mFile = nullptr;
    std::unique_ptr<FileReplacement> mReplacement;
    std::string mPath;
    std::int64_t mSize = 0;
    bool mWriteFailed = false;
};

} // namespace tarvena
