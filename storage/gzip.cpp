#include "storage/gzip.h"

#include "storage/error.h"
#include "storage/gzipmember.h"

#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>

namespace tarvena {

namespace {

constexpr std::size_t kPiece = 16384;
constexpr int kRawWindowBits = -15;

using gzipmember::kHeader;

enum HeaderFlag : std::uint8_t
{
    HeaderCrc = 0x02,
    ExtraField = 0x04,
    Name = 0x08,
    Comment = 0x10,
    Reserved = 0xE0,
};

bool writeAll(Stream &dest, const void *data, std::size_t count)
{
    return count == 0 || dest.write(data, count) == count;
}

std::uint32_t crcUpdate(std::uint32_t crc, const std::uint8_t *data, std::size_t count)
{
    return static_cast<std::uint32_t>(crc32_z(crc, data, count));
}

// The decompressor's view of its source: one 16 KiB buffer refilled as it is used up.
class PieceReader
{
public:
    explicit PieceReader(Stream &source) : mSource(source), mBuffer(std::make_unique<std::uint8_t[]>(kPiece))
    {}

    // Makes at least one unread byte available; false at the end of the source.
    bool fill()
    {
        if (mPos < mEnd)
            return true;
        mPos = 0;
        mEnd = mSource.read(mBuffer.get(), kPiece);
        return mEnd > 0;
    }
    std::uint8_t *data() { return mBuffer.get() + mPos; }
    std::size_t available() const { return mEnd - mPos; }
    void consume(std::size_t count) { mPos += count; }

    bool byte(std::uint8_t &value)
    {
        if (!fill())
            return false;
        value = mBuffer[mPos++];
        return true;
    }
    bool le32(std::uint32_t &value)
    {
        value = 0;
        for (int i = 0; i < 4; ++i) {
            std::uint8_t b;
            if (!byte(b))
                return false;
            value |= std::uint32_t(b) << (8 * i);
        }
        return true;
    }
    bool skip(std::size_t count)
    {
        while (count > 0) {
            if (!fill())
                return false;
            const std::size_t n = std::min(count, available());
            mPos += n;
            count -= n;
        }
        return true;
    }
    bool skipZeroTerminated()
    {
        for (;;) {
            if (!fill())
                return false;
            const auto *begin = data();
            const auto *zero = static_cast<const std::uint8_t *>(std::memchr(begin, 0, available()));
            if (zero) {
                mPos += static_cast<std::size_t>(zero - begin) + 1;
                return true;
            }
            mPos = mEnd;
        }
    }

private:
    Stream &mSource;
    std::unique_ptr<std::uint8_t[]> mBuffer;
    std::size_t mPos = 0;
    std::size_t mEnd = 0;
};

// The rest of a header whose magic has been read. False when it is damaged or cut short.
bool skipHeaderAfterMagic(PieceReader &in)
{
    std::uint8_t method, flags;
    if (!in.byte(method) || !in.byte(flags) || method != Z_DEFLATED || (flags & Reserved))
        return false;
    if (!in.skip(6)) // modification time, extra flags, operating system
        return false;
    if (flags & ExtraField) {
        std::uint8_t lo, hi;
        if (!in.byte(lo) || !in.byte(hi) || !in.skip(std::size_t(lo) | std::size_t(hi) << 8))
            return false;
    }
    if ((flags & Name) && !in.skipZeroTerminated())
        return false;
    if ((flags & Comment) && !in.skipZeroTerminated())
        return false;
    return !(flags & HeaderCrc) || in.skip(2);
}

// Appends everything written to a string.
class StringSink : public Stream
{
public:
    explicit StringSink(std::string &out) : mOut(out) {}
    std::size_t read(void *, std::size_t) override { return 0; }
    std::size_t write(const void *buffer, std::size_t count) override
    {
        mOut.append(static_cast<const char *>(buffer), count);
        return count;
    }
    std::int64_t position() const override { return static_cast<std::int64_t>(mOut.size()); }
    void seek(std::int64_t) override {}
    std::int64_t size() const override { return static_cast<std::int64_t>(mOut.size()); }

private:
    std::string &mOut;
};

} // namespace

int TGzip::Compress(Stream &source, Stream &dest)
{
    GzipWriter writer(dest);
    auto in = std::make_unique<std::uint8_t[]>(kPiece);
    while (const std::size_t n = source.read(in.get(), kPiece)) {
        if (writer.write(in.get(), n) != n)
            return WriteFailed;
    }
    return writer.close();
}

struct GzipReader::State
{
    enum class Phase
    {
        Start,       // nothing read yet
        Transparent, // the source is not gzip: its bytes pass unchanged
        Inflating,   // inside the deflate data of a member
        Done
    };

    explicit State(Stream &source) : in(source) {}
    ~State()
    {
        if (ready)
            inflateEnd(&z);
    }

    PieceReader in;
    z_stream z{};
    bool ready = false;
    Phase phase = Phase::Start;
    bool intact = true;
    std::uint32_t crc = 0;
    std::uint32_t memberSize = 0;
    std::uint8_t pending[2];
    std::size_t pendingCount = 0; // bytes taken from the source while looking for the magic

    void damaged()
    {
        intact = false;
        phase = Phase::Done;
    }

    // Starts the member whose magic has been read.
    void beginMember()
    {
        if (!skipHeaderAfterMagic(in) || inflateReset(&z) != Z_OK)
            return damaged();
        crc = crcUpdate(0, nullptr, 0);
        memberSize = 0;
        phase = Phase::Inflating;
    }

    // The trailer after a member's deflate data, then another member or the end.
    void endMember()
    {
        std::uint32_t storedCrc, storedSize;
        if (!in.le32(storedCrc) || !in.le32(storedSize) || storedCrc != crc || storedSize != memberSize)
            return damaged();
        // Another member may follow; anything else after a whole member is ignored.
        std::uint8_t magic[2];
        if (in.byte(magic[0]) && magic[0] == kHeader[0] && in.byte(magic[1]) && magic[1] == kHeader[1])
            return beginMember();
        phase = Phase::Done;
    }

    void start()
    {
        if (!in.byte(pending[0])) {
            phase = Phase::Done;
            return;
        }
        pendingCount = in.byte(pending[1]) ? 2 : 1;
        if (pendingCount == 2 && pending[0] == kHeader[0] && pending[1] == kHeader[1]) {
            pendingCount = 0;
            if (inflateInit2(&z, kRawWindowBits) != Z_OK)
                throw std::bad_alloc();
            ready = true;
            beginMember();
            return;
        }
        phase = Phase::Transparent;
    }

    std::size_t passThrough(std::uint8_t *out, std::size_t count)
    {
        std::size_t done = 0;
        if (pendingCount > 0) {
            done = std::min(count, pendingCount);
            std::memcpy(out, pending, done);
            pendingCount -= done;
            if (pendingCount > 0)
                pending[0] = pending[1];
        }
        while (done < count && in.fill()) {
            const std::size_t n = std::min(count - done, in.available());
            std::memcpy(out + done, in.data(), n);
            in.consume(n);
            done += n;
        }
        if (done == 0)
            phase = Phase::Done;
        return done;
    }

    std::size_t inflateInto(std::uint8_t *out, std::size_t count)
    {
        while (phase == Phase::Inflating) {
            // Without input, inflate still hands out output it holds back when the buffer was full.
            const bool haveInput = in.fill();
            z.next_in = haveInput ? in.data() : nullptr;
            z.avail_in = haveInput ? static_cast<uInt>(in.available()) : 0;
            z.next_out = out;
            z.avail_out = static_cast<uInt>(std::min<std::size_t>(count, 1u << 30));
            const uInt room = z.avail_out;
            const int result = inflate(&z, Z_NO_FLUSH);
            const std::size_t consumed = haveInput ? in.available() - z.avail_in : 0;
            in.consume(consumed);
            const std::size_t produced = room - z.avail_out;
            crc = crcUpdate(crc, out, produced);
            memberSize += static_cast<std::uint32_t>(produced);
            if (result == Z_STREAM_END)
                endMember();
            else if ((result != Z_OK && result != Z_BUF_ERROR) || (consumed == 0 && produced == 0))
                damaged(); // damaged data, or the source ended inside the deflate data
            if (produced > 0)
                return produced;
        }
        return 0;
    }
};

GzipReader::GzipReader(Stream &source, std::uint64_t limit, std::string limitMessage)
    : d(std::make_unique<State>(source)), mLimit(limit), mLimitMessage(std::move(limitMessage))
{}

GzipReader::~GzipReader() = default;

bool GzipReader::intact() const
{
    return d->intact;
}

std::size_t GzipReader::read(void *buffer, std::size_t count)
{
    if (count == 0)
        return 0;
    if (d->phase == State::Phase::Start)
        d->start();
    auto *out = static_cast<std::uint8_t *>(buffer);
    std::size_t n = 0;
    if (d->phase == State::Phase::Transparent)
        n = d->passThrough(out, count);
    else if (d->phase == State::Phase::Inflating)
        n = d->inflateInto(out, count);
    mProduced += n;
    if (mProduced > mLimit)
        throw Error(mLimitMessage);
    return n;
}

int TGzip::Decompress(Stream &source, Stream &dest)
{
    mIntact = true;
    GzipReader reader(source);
    auto out = std::make_unique<std::uint8_t[]>(kPiece);
    while (const std::size_t n = reader.read(out.get(), kPiece)) {
        if (!writeAll(dest, out.get(), n)) {
            mIntact = false;
            return WriteFailed;
        }
    }
    mIntact = reader.intact();
    return Ok;
}

std::string gzipBytes(std::string_view bytes)
{
    ViewStream source(bytes);
    std::string result;
    StringSink dest(result);
    // Writes into a string cannot fall short, so only a failed set-up of the deflater remains.
    if (TGzip().Compress(source, dest) != TGzip::Ok)
        throw std::bad_alloc();
    return result;
}

std::string gunzipBytes(std::string_view bytes, bool *intact)
{
    ViewStream source(bytes);
    std::string result;
    StringSink dest(result);
    TGzip gzip;
    if (gzip.Decompress(source, dest) != TGzip::Ok)
        throw std::bad_alloc();
    if (intact)
        *intact = gzip.intact();
    return result;
}

bool isGzipMember(std::string_view bytes)
{
    return bytes.size() >= 2 && static_cast<std::uint8_t>(bytes[0]) == kHeader[0] &&
           static_cast<std::uint8_t>(bytes[1]) == kHeader[1];
}

} // namespace tarvena
