// The compression of the large passport's table streams (blocks 1 to 4) in the ways that were weighed
// for using both cores, each reporting the compressed size as the counter Bytes and the processor time
// of all threads as CpuMs:
//   ZlibLevel9      one member by zlib at level 9 on one thread (gzip -9, the floor's compressor);
//   MembersLibdeflate   what the program writes: a member per 1 MiB piece, libdeflate level 12,
//                   two pieces at a time on threads of their own (GzipWriter);
//   JoinedZlib      one member joined from 1 MiB pieces compressed by zlib level 9 on two threads,
//                   each piece primed with the 32 KB before it and ended on a byte boundary by a
//                   sync flush, the CRC-32s combined.
#include "bench/largestreams.h"
#include "storage/gzip.h"
#include "tests/support/samplepassport.h"

#include <benchmark/benchmark.h>
#include <zlib.h>

#include <ctime>
#include <future>
#include <stdexcept>

using namespace tarvena;

namespace {

const std::vector<std::string> &streams()
{
    static const std::vector<std::string> plain = [] {
        TDataModule2 dm;
        dm.DataModuleCreate(tarvena::testing::dictionaryDir());
        tarvena::testing::fillSamplePassport(dm, tarvena::testing::largeSampleSpec());
        return bench::plainTableStreams(dm);
    }();
    return plain;
}

constexpr std::size_t kPiece = std::size_t{1} << 20;
constexpr std::size_t kWindow = 32768;

// Raw deflate of bytes[begin, end) primed with the window before begin; all but the last piece end
// with a sync flush (a non-final empty stored block, so the next piece starts on a byte boundary).
std::string zlibPiece(std::string_view bytes, std::size_t begin, std::size_t end)
{
    z_stream z{};
    if (deflateInit2(&z, 9, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        throw std::runtime_error("deflateInit2");
    if (begin > 0) {
        const std::size_t from = begin - std::min(begin, kWindow);
        deflateSetDictionary(&z, reinterpret_cast<const Bytef *>(bytes.data() + from), uInt(begin - from));
    }
    std::string out(deflateBound(&z, end - begin) + 16, '\0');
    z.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(bytes.data() + begin));
    z.avail_in = uInt(end - begin);
    z.next_out = reinterpret_cast<Bytef *>(out.data());
    z.avail_out = uInt(out.size());
    const bool last = end == bytes.size();
    deflate(&z, last ? Z_FINISH : Z_SYNC_FLUSH);
    out.resize(z.total_out);
    deflateEnd(&z);
    return out;
}

std::string joinedZlib(std::string_view bytes)
{
    std::vector<std::future<std::string>> pieces;
    std::vector<std::future<uLong>> crcs;
    const std::size_t count = std::max<std::size_t>(1, (bytes.size() + kPiece - 1) / kPiece);
    std::string out("\x1F\x8B\x08\0\0\0\0\0\0\0", 10);
    uLong crc = crc32_z(0, nullptr, 0);
    // Two pieces at a time, as the two cores allow.
    for (std::size_t i = 0; i < count; i += 2) {
        std::vector<std::future<std::string>> now;
        for (std::size_t k = i; k < std::min(count, i + 2); ++k) {
            const std::size_t begin = k * kPiece, end = std::min(bytes.size(), begin + kPiece);
            now.push_back(std::async(std::launch::async, [=] { return zlibPiece(bytes, begin, end); }));
        }
        for (std::size_t k = i; k < std::min(count, i + 2); ++k) {
            const std::size_t begin = k * kPiece, end = std::min(bytes.size(), begin + kPiece);
            const uLong part = crc32_z(0, reinterpret_cast<const Bytef *>(bytes.data() + begin), end - begin);
            crc = crc32_combine(crc, part, z_off_t(end - begin));
        }
        for (auto &piece : now)
            out += piece.get();
    }
    for (const uLong value : {crc, uLong(bytes.size())})
        for (int i = 0; i < 4; ++i)
            out += static_cast<char>(value >> (8 * i));
    return out;
}

template <typename Compress> void measure(benchmark::State &state, Compress compress)
{
    streams();
    const std::clock_t start = std::clock();
    for (auto _ : state)
        for (const std::string &plain : streams())
            benchmark::DoNotOptimize(compress(plain));
    // Processor time of every thread per iteration: on a shared machine steadier than the wall clock.
    state.counters["CpuMs"] =
        1000.0 * double(std::clock() - start) / CLOCKS_PER_SEC / double(state.iterations());
    std::size_t bytes = 0;
    for (const std::string &plain : streams()) {
        const std::string packed = compress(plain);
        if (gunzipBytes(packed) != plain)
            state.SkipWithError("the content does not read back");
        bytes += packed.size();
    }
    state.counters["Bytes"] = double(bytes);
}

void ZlibLevel9(benchmark::State &state)
{
    measure(state, [](const std::string &plain) { return bench::zlibMember(plain); });
}

void MembersLibdeflate(benchmark::State &state)
{
    measure(state, [](const std::string &plain) { return gzipBytes(plain); });
}

void JoinedZlib(benchmark::State &state)
{
    measure(state, [](const std::string &plain) { return joinedZlib(plain); });
}

} // namespace

BENCHMARK(ZlibLevel9)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(MembersLibdeflate)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(JoinedZlib)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_MAIN();
