#include "storage/gzip.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace tarvena {
namespace {

const std::string kHeader("\x1F\x8B\x08\x00\x00\x00\x00\x00\x00\x00", 10);

std::string randomBytes(std::size_t count, unsigned seed = 1)
{
    std::mt19937 random(seed);
    std::string bytes(count, '\0');
    for (auto &c : bytes)
        c = static_cast<char>(random() & 0xFF);
    return bytes;
}

// Compressible text with enough variety that deflate emits many blocks.
std::string textBytes(std::size_t count)
{
    std::string text;
    text.reserve(count + 64);
    for (int line = 0; text.size() < count; ++line)
        text += "horizon " + std::to_string(line) + " \xCD\xE5\xF4\xF2\xFC " +
                std::to_string(line * 7919 % 1000) + "\r\n";
    text.resize(count);
    return text;
}

std::uint32_t le32At(const std::string &bytes, std::size_t offset)
{
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i)
        value |= std::uint32_t(static_cast<std::uint8_t>(bytes[offset + i])) << (8 * i);
    return value;
}

struct Decompressed
{
    int code;
    std::string bytes;
    bool intact;
};

Decompressed decompress(Stream &source)
{
    MemoryStream dest;
    TGzip gzip;
    const int code = gzip.Decompress(source, dest);
    return {code, dest.toString(), gzip.intact()};
}

Decompressed decompress(const std::string &bytes)
{
    MemoryStream source(bytes);
    return decompress(source);
}

// A medium that takes only its first limit bytes, like a full disk.
class LimitedStream : public MemoryStream
{
public:
    explicit LimitedStream(std::size_t limit) : mLimit(limit) {}
    std::size_t write(const void *buffer, std::size_t count) override
    {
        const auto room = mLimit - std::min<std::size_t>(mLimit, static_cast<std::size_t>(position()));
        return MemoryStream::write(buffer, std::min(count, room));
    }

private:
    std::size_t mLimit;
};

// A source that hands out at most step bytes per read, as pipes and slow media may.
class TrickleStream : public MemoryStream
{
public:
    TrickleStream(const std::string &bytes, std::size_t step) : MemoryStream(bytes), mStep(step) {}
    std::size_t read(void *buffer, std::size_t count) override
    {
        return MemoryStream::read(buffer, std::min(count, mStep));
    }

private:
    std::size_t mStep;
};

TEST(GzipTest, EmptySourceGivesHeaderEndBlockAndZeroTrailer)
{
    MemoryStream source, dest;
    ASSERT_EQ(TGzip().Compress(source, dest), TGzip::Ok);
    const std::string member = dest.toString();
    ASSERT_EQ(member.size(), 20u); // header, the final empty block 03 00, trailer
    EXPECT_EQ(member.substr(0, 10), kHeader);
    EXPECT_EQ(member.substr(10, 2), std::string("\x03\x00", 2));
    EXPECT_EQ(member.substr(12), std::string(8, '\0'));
    EXPECT_EQ(gzipBytes(""), member);

    const auto back = decompress(member);
    EXPECT_EQ(back.code, TGzip::Ok);
    EXPECT_EQ(back.bytes, "");
    EXPECT_TRUE(back.intact);
}

TEST(GzipTest, RoundTripsAcrossPieceBoundaries)
{
    const std::vector<std::string> inputs = {
        "a",
        textBytes(16383),
        textBytes(16384),
        textBytes(16385),
        textBytes(300000),
        randomBytes(16384 * 3 + 5),
        randomBytes(3 * 1024 * 1024), // incompressible: deflate falls back to stored blocks
    };
    for (const auto &input : inputs) {
        SCOPED_TRACE(input.size());
        MemoryStream source(input), dest;
        ASSERT_EQ(TGzip().Compress(source, dest), TGzip::Ok);
        const std::string member = dest.toString();
        EXPECT_EQ(member.substr(0, 10), kHeader);
        // Below the size that is halved for the two cores the stream is one member.
        if (input.size() < GzipWriter::kSplitSize)
            EXPECT_EQ(le32At(member, member.size() - 4), input.size());
        EXPECT_LT(member.size(), input.size() + input.size() / 100 + 64);

        const auto back = decompress(member);
        EXPECT_EQ(back.code, TGzip::Ok);
        EXPECT_TRUE(back.intact);
        EXPECT_TRUE(back.bytes == input);
        EXPECT_TRUE(gunzipBytes(gzipBytes(input)) == input);
    }
}

TEST(GzipTest, LargeStreamsAreMembersCutWhereverTheWritesFall)
{
    // A full piece and the halves of the rest: three members, the same bytes however the stream is
    // handed to the writer, so saving the same passport twice writes the same file.
    const std::string input = textBytes(GzipWriter::kPieceSize + 3 * GzipWriter::kSplitSize / 2);
    const std::string whole = gzipBytes(input);
    MemoryStream trickled;
    {
        GzipWriter writer(trickled);
        for (std::size_t at = 0; at < input.size(); at += 4099)
            writer.write(input.data() + at, std::min<std::size_t>(4099, input.size() - at));
        ASSERT_EQ(writer.close(), TGzip::Ok);
    }
    EXPECT_TRUE(trickled.toString() == whole);
    std::size_t members = 0;
    for (std::size_t at = whole.find(kHeader); at != std::string::npos; at = whole.find(kHeader, at + 1))
        ++members;
    EXPECT_GE(members, 3u);
    bool intact = false;
    EXPECT_TRUE(gunzipBytes(whole, &intact) == input);
    EXPECT_TRUE(intact);
}

TEST(GzipTest, WorksFromCurrentPositions)
{
    // Compress reads from the source's position and appends at the destination's position.
    MemoryStream source(std::string("skip:payload"));
    source.seek(5);
    MemoryStream dest(std::string("prefix"));
    dest.seek(6);
    ASSERT_EQ(TGzip().Compress(source, dest), TGzip::Ok);
    const std::string written = dest.toString();
    ASSERT_EQ(written.substr(0, 6), "prefix");
    EXPECT_EQ(written.substr(6), gzipBytes("payload"));

    // Decompress reads from the source's position and appends at the destination's position.
    MemoryStream packed(written);
    packed.seek(6);
    MemoryStream out(std::string("head:"));
    out.seek(5);
    EXPECT_EQ(TGzip().Decompress(packed, out), TGzip::Ok);
    EXPECT_EQ(out.toString(), "head:payload");
}

// A member with every optional header field, around the deflate data and trailer of one of ours.
std::string memberWithAllHeaderFields(const std::string &content)
{
    const std::string ours = gzipBytes(content);
    std::string member("\x1F\x8B\x08\x1E\x01\x02\x03\x04\x02\x03", 10);
    member += std::string("\x05\0extra", 7);
    member += std::string("name.txt\0", 9);
    member += std::string("a comment\0", 10);
    member += std::string("\xAB\xCD", 2);
    return member + ours.substr(10);
}

TEST(GzipTest, ConcatenatedMembersDecompressInTurn)
{
    const std::string first = textBytes(40000);
    const std::string second = randomBytes(20000, 2);
    const std::string packed = gzipBytes(first) + memberWithAllHeaderFields(second) + gzipBytes("");
    const std::string expected = first + second;

    for (std::size_t step : {std::size_t(1), std::size_t(7), std::size_t(16384)}) {
        SCOPED_TRACE(step);
        TrickleStream source(packed, step);
        const auto back = decompress(source);
        EXPECT_EQ(back.code, TGzip::Ok);
        EXPECT_TRUE(back.intact);
        EXPECT_TRUE(back.bytes == expected);
    }
}

TEST(GzipTest, InputWithoutMagicIsCopiedUnchanged)
{
    std::string table = "TPF0";
    table += randomBytes(40000, 3); // longer than one read piece
    const std::vector<std::string> inputs = {
        "",
        "T",
        "\x1F",
        "\x8B\x1F"
        "ab",
        "\x1F\x8C",
        table,
    };
    for (const auto &input : inputs) {
        SCOPED_TRACE(input.size());
        EXPECT_FALSE(isGzipMember(input));
        const auto back = decompress(input);
        EXPECT_EQ(back.code, TGzip::Ok);
        EXPECT_TRUE(back.intact);
        EXPECT_TRUE(back.bytes == input);
    }
    EXPECT_TRUE(isGzipMember(gzipBytes("x")));
    EXPECT_TRUE(isGzipMember("\x1F\x8B"));
}

TEST(GzipTest, DamagedDataStopsQuietlyKeepingWhatWasProduced)
{
    const std::string first = textBytes(60000);
    const std::string second = textBytes(5000);
    const std::string member1 = gzipBytes(first);
    const std::string whole = member1 + gzipBytes(second);
    const std::size_t end1 = member1.size();

    auto flip = [&](std::size_t offset) {
        std::string bytes = whole;
        bytes[offset] = static_cast<char>(bytes[offset] ^ 0x55);
        return bytes;
    };
    auto cut = [&](std::size_t size) { return whole.substr(0, size); };

    // Every output is a prefix of the content, of a length within [least, most].
    const std::string content = first + second;
    struct Case
    {
        const char *name;
        std::string input;
        std::size_t least, most;
    };
    const std::vector<Case> cases = {
        {"cut inside the header", cut(5), 0, 0},
        {"method other than deflate",
         [&] {
             auto b = whole;
             b[2] = 7;
             return b;
         }(),
         0, 0},
        {"reserved flag bit",
         [&] {
             auto b = whole;
             b[3] = 0x20;
             return b;
         }(),
         0, 0},
        {"cut inside the deflate data", cut(end1 / 2), 0, first.size() - 1},
        {"cut inside the trailer", cut(end1 - 3), first.size(), first.size()},
        {"wrong CRC", flip(end1 - 8), first.size(), first.size()},
        {"wrong length", flip(end1 - 1), first.size(), first.size()},
        {"second member cut short", cut(whole.size() - 12), first.size(), content.size() - 1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        Decompressed back;
        ASSERT_NO_THROW(back = decompress(c.input));
        EXPECT_EQ(back.code, TGzip::Ok);
        EXPECT_FALSE(back.intact);
        EXPECT_TRUE(content.starts_with(back.bytes));
        EXPECT_GE(back.bytes.size(), c.least);
        EXPECT_LE(back.bytes.size(), c.most);
    }

    // Altered deflate data may decode to other bytes, but never passes as whole, and the member after it
    // is not read.
    for (std::size_t offset : {std::size_t(12), end1 / 3, end1 - 12}) {
        SCOPED_TRACE(offset);
        Decompressed back;
        ASSERT_NO_THROW(back = decompress(flip(offset)));
        EXPECT_EQ(back.code, TGzip::Ok);
        EXPECT_FALSE(back.intact);
        EXPECT_FALSE(back.bytes.ends_with(second));
    }

    bool intact = true;
    EXPECT_TRUE(gunzipBytes(cut(end1 - 3), &intact) == first);
    EXPECT_FALSE(intact);
}

TEST(GzipTest, BytesAfterTheLastMemberAreIgnored)
{
    for (const std::string tail : {"\x1F", "junk", "\0\0\0\0"}) {
        const auto back = decompress(gzipBytes("content") + tail);
        EXPECT_EQ(back.code, TGzip::Ok);
        EXPECT_TRUE(back.intact);
        EXPECT_EQ(back.bytes, "content");
    }
}

TEST(GzipTest, ShortWritesGiveWriteAndFinishCodes)
{
    const std::string small = "hello, passport";
    const std::string large = randomBytes(100000, 4);
    // Enough pieces that one is written out while the stream is still being compressed.
    const std::string pieces((GzipWriter::kPiecesInFlight + 1) * GzipWriter::kPieceSize + 5, '\0');
    const std::size_t smallSize = gzipBytes(small).size();
    const std::size_t largeSize = gzipBytes(large).size();

    struct Case
    {
        const char *name;
        const std::string *input;
        std::size_t limit;
        int code;
    };
    const std::vector<Case> cases = {
        {"header refused", &small, 4, TGzip::WriteFailed},
        {"a full piece refused while compressing", &pieces, 12, TGzip::WriteFailed},
        {"deflate data refused while finishing", &small, 12, TGzip::FinishFailed},
        {"trailer refused", &small, smallSize - 3, TGzip::FinishFailed},
        {"last piece refused while finishing", &large, largeSize - 20, TGzip::FinishFailed},
        {"exactly enough room", &large, largeSize, TGzip::Ok},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        MemoryStream source(*c.input);
        LimitedStream dest(c.limit);
        EXPECT_EQ(TGzip().Compress(source, dest), c.code);
    }

    // Decompressing into a full medium is a failure too, not a finished copy.
    // Both the inflating path and the plain copy of input without the magic.
    const std::string plain = "TPF0" + large;
    const std::vector<std::pair<std::string, const std::string *>> decompressCases = {
        {gzipBytes(large), &large},
        {plain, &plain},
    };
    for (const auto &[input, expected] : decompressCases) {
        MemoryStream source(input);
        LimitedStream dest(50000);
        TGzip gzip;
        EXPECT_EQ(gzip.Decompress(source, dest), TGzip::WriteFailed);
        EXPECT_FALSE(gzip.intact());
        EXPECT_TRUE(dest.toString() == expected->substr(0, 50000));
    }
}

// The system's gzip program checks our output, and its output checks our reader.
class GzipToolTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (std::system("gzip --version >/dev/null 2>&1") != 0)
            GTEST_SKIP() << "gzip is not installed";
        mDir = std::filesystem::temp_directory_path() /
               ("tarvena-gzip-" + std::to_string(std::random_device()()));
        std::filesystem::create_directories(mDir);
    }
    void TearDown() override
    {
        if (!mDir.empty())
            std::filesystem::remove_all(mDir);
    }

    std::filesystem::path file(const std::string &name) const { return mDir / name; }

    static void writeFile(const std::filesystem::path &path, const std::string &bytes)
    {
        std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    static std::string readFile(const std::filesystem::path &path)
    {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    static int run(const std::string &command) { return std::system(command.c_str()); }
    static std::string quoted(const std::filesystem::path &path) { return "'" + path.string() + "'"; }

    std::filesystem::path mDir;
};

TEST_F(GzipToolTest, SystemGzipReadsOurMembers)
{
    // The last input is a member per piece: a full piece, then the halves of the rest.
    const std::vector<std::string> inputs = {
        "", textBytes(100000), randomBytes(1024 * 1024, 5),
        textBytes(GzipWriter::kPieceSize + 3 * GzipWriter::kSplitSize / 2)};
    const bool python = run("python3 -c 'import gzip' 2>/dev/null") == 0;
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        SCOPED_TRACE(i);
        writeFile(file("in.gz"), gzipBytes(inputs[i]));
        ASSERT_EQ(run("gzip -t " + quoted(file("in.gz"))), 0);
        ASSERT_EQ(run("gzip -dc " + quoted(file("in.gz")) + " > " + quoted(file("out"))), 0);
        EXPECT_TRUE(readFile(file("out")) == inputs[i]);
        if (!python)
            continue;
        // A second reader of the format, written apart from the first.
        ASSERT_EQ(
            run("python3 -c 'import gzip, sys; sys.stdout.buffer.write(gzip.open(sys.argv[1]).read())' " +
                quoted(file("in.gz")) + " > " + quoted(file("out"))),
            0);
        EXPECT_TRUE(readFile(file("out")) == inputs[i]);
    }

    writeFile(file("two.gz"), gzipBytes("first ") + gzipBytes("second"));
    ASSERT_EQ(run("gzip -dc " + quoted(file("two.gz")) + " > " + quoted(file("out"))), 0);
    EXPECT_EQ(readFile(file("out")), "first second");
}

TEST_F(GzipToolTest, WeReadSystemGzipMembers)
{
    // The tool stores the file name in the header, so this also covers a header we did not write.
    const std::string input = textBytes(200000) + randomBytes(50000, 6);
    writeFile(file("data.bin"), input);
    ASSERT_EQ(run("gzip -9 -k -f " + quoted(file("data.bin"))), 0);
    bool intact = false;
    EXPECT_TRUE(gunzipBytes(readFile(file("data.bin.gz")), &intact) == input);
    EXPECT_TRUE(intact);
}

} // namespace
} // namespace tarvena
