#include "storage/gzip.h"

#include "storage/error.h"
#include "storage/gzipmember.h"

#include <algorithm>
#include <cstring>
#include <deque>
#include <future>
#include <vector>

namespace tarvena {

namespace {

using Member = std::vector<std::uint8_t>;

bool writeAll(Stream &dest, const std::uint8_t *data, std::size_t count)
{
    return count == 0 || dest.write(data, count) == count;
}

// Writes a member, without the header that already went out for the first; false when dest falls
// short.
bool writeMember(Stream &dest, const Member &member, bool &headerWritten)
{
    const std::size_t skip = headerWritten ? sizeof gzipmember::kHeader : 0;
    headerWritten = false;
    return writeAll(dest, member.data() + skip, member.size() - skip);
}

} // namespace

struct GzipWriter::State
{
    std::vector<std::uint8_t> piece;
    std::deque<std::future<Member>> inFlight; // in the order of their pieces
    bool headerWritten = false;               // the first member's header went out in the constructor
    bool anyMember = false;
    bool closed = false;
    int failure = TGzip::Ok;

    ~State()
    {
        // The compressions still running hold only their own pieces; they are waited for here.
        for (auto &member : inFlight)
            if (member.valid())
                member.wait();
    }
};

GzipWriter::GzipWriter(Stream &dest) : d(std::make_unique<State>()), mDest(dest)
{
    if (!writeAll(mDest, gzipmember::kHeader, sizeof gzipmember::kHeader))
        d->failure = TGzip::WriteFailed;
    d->headerWritten = true;
}

GzipWriter::~GzipWriter() = default;

std::size_t GzipWriter::write(const void *buffer, std::size_t count)
{
    if (d->failure != TGzip::Ok || d->closed)
        return 0;
    const auto *bytes = static_cast<const std::uint8_t *>(buffer);
    std::size_t left = count;
    while (left > 0) {
        if (d->piece.capacity() < kPieceSize)
            d->piece.reserve(kPieceSize);
        const std::size_t n = std::min(left, kPieceSize - d->piece.size());
        d->piece.insert(d->piece.end(), bytes, bytes + n);
        bytes += n;
        left -= n;
        if (d->piece.size() < kPieceSize)
            break;
        if (d->inFlight.size() >= kPiecesInFlight) {
            const Member member = d->inFlight.front().get();
            d->inFlight.pop_front();
            if (!writeMember(mDest, member, d->headerWritten)) {
                d->failure = TGzip::WriteFailed;
                return 0;
            }
        }
        d->inFlight.push_back(std::async(std::launch::async, [piece = std::move(d->piece)] {
            return gzipmember::compressed(piece.data(), piece.size());
        }));
        d->piece = {};
        d->anyMember = true;
    }
    mPosition += static_cast<std::int64_t>(count);
    return count;
}

int GzipWriter::close()
{
    if (d->failure != TGzip::Ok || d->closed)
        return d->closed && d->failure == TGzip::Ok ? TGzip::Ok : d->failure;
    d->closed = true;
    // The rest compresses here while the earlier pieces finish; a large rest is halved so that both
    // cores take part (each cut costs about a thousandth of the size). An empty stream is one empty
    // member.
    // The rest stays in the state, which waits for the compressions before it goes.
    const std::vector<std::uint8_t> &rest = d->piece;
    const std::size_t half = rest.size() >= kSplitSize ? rest.size() / 2 : 0;
    if (half > 0)
        d->inFlight.push_back(std::async(
            std::launch::async, [&rest, half] { return gzipmember::compressed(rest.data(), half); }));
    Member last;
    if (!rest.empty() || !d->anyMember)
        last = gzipmember::compressed(rest.data() + half, rest.size() - half);
    while (!d->inFlight.empty()) {
        const Member member = d->inFlight.front().get();
        d->inFlight.pop_front();
        if (!writeMember(mDest, member, d->headerWritten))
            return d->failure = TGzip::FinishFailed;
    }
    if (!last.empty() && !writeMember(mDest, last, d->headerWritten))
        return d->failure = TGzip::FinishFailed;
    return TGzip::Ok;
}

void GzipWriter::finish()
{
    if (close() != TGzip::Ok)
        throw Error("Stream write error");
}

} // namespace tarvena
