#pragma once
// Gzip framing of whole streams: table streams of format 1 and attached files are stored as gzip members.
#include "storage/stream.h"

#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <string_view>

namespace tarvena {

// Turns a stream into gzip data and back. Compressing writes a member per piece of the stream (see
// GzipWriter), decompressing streams through 16 KiB pieces; neither holds the whole data.
class TGzip
{
public:
    // Result codes of Compress and Decompress.
    static constexpr int Ok = 0;
    static constexpr int ReaderNotReady = 1;
    static constexpr int CompressorNotReady = 2;
    static constexpr int WriteFailed = 102;
    static constexpr int FinishFailed = 103;

    TGzip() = default;

    // Reads source from its position to its end and appends its gzip data to dest at dest's position.
    // A short write into dest gives WriteFailed, or FinishFailed once the input has all been read.
    int Compress(Stream &source, Stream &dest);

    // Appends the content of the gzip data in source (from its position) to dest; members that follow one
    // another are decompressed in turn. Input without the gzip magic is copied unchanged. Damaged or
    // short data stops quietly with Ok: what was produced stays in dest and intact() tells the caller.
    // A short write into dest stops with WriteFailed, so a full disk is not taken for a finished copy.
    int Decompress(Stream &source, Stream &dest);

    // Whether the last Decompress reached the end of its input without meeting damaged data.
    bool intact() const { return mIntact; }

private:
    bool mIntact = true;
};

// Writes the gzip data of the bytes written to it into dest: the bytes are cut into pieces of
// kPieceSize, and each piece becomes one member, compressed whole by libdeflate on a thread of its own
// (up to kPiecesInFlight at once) while the next piece is being written; a rest of kSplitSize or more
// at the end becomes two members compressed side by side. Every reader of the format reads the
// members one after another, so the data reads as one stream; a small stream is one member. The first header
// goes out at once, so a medium that refuses it fails the first write. close() writes what is left and
// returns a TGzip code; finish() throws "Stream write error" instead.
class GzipWriter : public WriteFilter
{
public:
    // Each member starts without the history before it: large pieces keep the data smaller than
    // zlib's level 9 makes it in one member.
    static constexpr std::size_t kPieceSize = std::size_t{4} << 20;
    static constexpr std::size_t kSplitSize = std::size_t{1} << 20;
    static constexpr std::size_t kPiecesInFlight = 2;

    explicit GzipWriter(Stream &dest);
    ~GzipWriter() override;
    GzipWriter(const GzipWriter &) = delete;
    GzipWriter &operator=(const GzipWriter &) = delete;

    std::size_t write(const void *buffer, std::size_t count) override;
    std::int64_t position() const override { return mPosition; }
    std::int64_t size() const override { return mPosition; }
    int close();
    void finish() override;

private:
    struct State;
    std::unique_ptr<State> d;
    Stream &mDest;
    std::int64_t mPosition = 0;
};

// Reads the content of gzip data as it inflates, a piece at a time: members that follow one another
// are read in turn, input without the gzip magic passes unchanged, damaged or short data ends the
// content quietly (intact() tells). Reading past limit bytes of content throws Error(limitMessage),
// so a small member that inflates to gigabytes is refused early.
class GzipReader : public Stream
{
public:
    explicit GzipReader(Stream &source, std::uint64_t limit = std::numeric_limits<std::uint64_t>::max(),
                        std::string limitMessage = {});
    ~GzipReader() override;
    GzipReader(const GzipReader &) = delete;
    GzipReader &operator=(const GzipReader &) = delete;

    std::size_t read(void *buffer, std::size_t count) override;
    std::size_t write(const void *, std::size_t) override { return 0; }
    std::int64_t position() const override { return static_cast<std::int64_t>(mProduced); }
    void seek(std::int64_t) override {} // forward only
    std::int64_t size() const override { return kUnknownSize; }
    // Whether the content read so far came from undamaged data.
    bool intact() const;

private:
    struct State;
    std::unique_ptr<State> d;
    std::uint64_t mProduced = 0;
    std::uint64_t mLimit;
    std::string mLimitMessage;
};

// One gzip member holding bytes.
std::string gzipBytes(std::string_view bytes);
// The content of gzip data held in memory (non-gzip bytes come back unchanged). When intact is given, it
// tells whether the data was whole; a damaged member gives what could be read before the damage.
std::string gunzipBytes(std::string_view bytes, bool *intact = nullptr);
// Whether Decompress would read bytes as gzip data rather than copy them: they start with 1F 8B.
bool isGzipMember(std::string_view bytes);

} // namespace tarvena
