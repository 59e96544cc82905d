#pragma once
// Gzip framing of whole streams: table streams of format 1 and attached files are stored as gzip members.
#include "storage/stream.h"

#include <string>
#include <string_view>

namespace tarvena {

// Turns a stream into one gzip member (raw deflate at level 9 under a fixed 10-byte header) and back.
// Both directions stream through 16 KiB pieces, so memory use does not grow with the data.
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

    // Reads source from its position to its end and appends one gzip member to dest at dest's position.
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
    int mLevel = 9;
    int mStrategy = 0;
    bool mIntact = true;
};

// One gzip member holding bytes.
std::string gzipBytes(std::string_view bytes);
// The content of gzip data held in memory (non-gzip bytes come back unchanged). When intact is given, it
// tells whether the data was whole; a damaged member gives what could be read before the damage.
std::string gunzipBytes(std::string_view bytes, bool *intact = nullptr);
// Whether Decompress would read bytes as gzip data rather than copy them: they start with 1F 8B.
bool isGzipMember(std::string_view bytes);

} // namespace tarvena
