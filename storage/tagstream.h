#pragma once
// The tagged values a table stream is made of, read and written through a buffer. Texts are code
// page 1251 inside the program and leave it as UTF-8 (tag 20) when they hold any byte of 0x80 or above.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tarvena {

class MemoryStream;
class Stream;

namespace tag {
enum : std::uint8_t
{
    EndOfList = 0,
    BeginList = 1,
    Int8 = 2,
    Int16 = 3,
    Int32 = 4,
    Extended = 5,
    ShortText = 6,
    False = 8,
    True = 9,
    LongText = 12,
    Utf16Text = 18,
    Int64 = 19,
    Utf8Text = 20
};
} // namespace tag

// Writes tagged values at the stream's current position. Throws "Stream write error" when the
// stream takes fewer bytes than given; a memory stream that cannot grow throws std::bad_alloc, which
// the passport writer turns into its own message.
class TagWriter
{
public:
    TagWriter(Stream &out, std::size_t bufferSize);
    TagWriter(const TagWriter &) = delete;
    TagWriter &operator=(const TagWriter &) = delete;

    void beginList() { byte(tag::BeginList); }
    void endList() { byte(tag::EndOfList); }
    void boolean(bool value) { byte(value ? tag::True : tag::False); }
    // The smallest of tags 2, 3 and 4; values beyond 32 bits are refused ("Invalid property value").
    void integer(std::int64_t value);
    void extendedFloat(double value);
    // A whole number as an extended float, exact for all 64 bits.
    void extendedInteger(std::int64_t value);
    void text(std::string_view cp1251);
    // An integer length and the bytes as they are; a memory stream is grown once for them.
    void rawBytes(std::string_view bytes);
    // Bytes with no tag (the signature).
    void raw(const void *data, std::size_t count);
    void flush();

private:
    void byte(std::uint8_t value)
    {
        if (mUsed == mBuffer.size())
            flush();
        mBuffer[mUsed++] = value;
    }
    void littleEndian(std::uint64_t value, int bytes);
    void put(const void *data, std::size_t count);

    Stream &mOut;
    MemoryStream *mMemory; // set when the output is a memory stream that can be grown ahead
    std::vector<std::uint8_t> mBuffer;
    std::size_t mUsed = 0;
};

// Reads tagged values from the stream's current position. A memory stream is read in place; any
// other stream through the buffer. Every length is checked against the bytes that remain before
// anything is allocated for it: a value that runs past the end is "Stream read error". From a stream
// of unknown size (content being inflated) a long value is gathered as its bytes arrive, so a length
// that the data does not back never costs more memory than the data itself.
class TagReader
{
public:
    TagReader(Stream &in, std::size_t bufferSize);
    TagReader(const TagReader &) = delete;
    TagReader &operator=(const TagReader &) = delete;

    std::uint8_t peek();
    std::uint8_t byte();
    // Bytes not yet read, an upper bound when the stream's size is; the most possible when it is unknown.
    std::uint64_t remaining() const { return static_cast<std::uint64_t>(mEnd - mPos) + mStreamLeft; }
    bool sizeKnown() const { return !mSizeUnknown; }
    // count bytes, valid until the next read; count must not exceed remaining().
    std::string_view bytes(std::size_t count);

    void beginList();
    void endList();
    // True, and the end tag consumed, when the list ends here.
    bool endOfList();
    // Tag 9 is true, any other byte false.
    bool boolean() { return byte() == tag::True; }
    std::int64_t integer();
    double extendedFloat();
    // Tag 5 or a whole number of tags 2, 3, 4 and 19, as a whole number.
    std::int64_t extendedInteger();
    std::string text();
    // An integer length and that many bytes.
    std::string rawBytes();
    // Leaves the stream positioned after the last value read.
    void finish();

private:
    bool fill();
    std::uint64_t fixed(int bytes);
    std::int64_t integerAfter(std::uint8_t tagByte);
    std::uint32_t length();
    std::string_view slowBytes(std::size_t count);
    // count bytes into target (replacing its content), through the buffer or straight from the stream.
    void gather(std::string &target, std::size_t count);
    std::string take(std::size_t count);

    Stream &mIn;
    MemoryStream *mMemory;
    std::vector<std::uint8_t> mBuffer;
    std::string mScratch; // a value larger than the buffer is gathered here
    const std::uint8_t *mPos = nullptr;
    const std::uint8_t *mEnd = nullptr;
    std::uint64_t mStreamLeft = 0;
    bool mSizeUnknown = false;
};

} // namespace tarvena
