#include "storage/tagstream.h"

#include "storage/codepage.h"
#include "storage/error.h"
#include "storage/extended.h"
#include "storage/stream.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>

namespace tarvena {

namespace {
constexpr std::size_t kMaxLength = static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max());
// A UTF-8 form of one 1251 byte is at most this long.
constexpr std::size_t kMaxUtf8 = 4;

[[noreturn]] void readError()
{
    throw Error("Stream read error");
}

[[noreturn]] void invalidValue()
{
    throw Error("Invalid property value");
}

// UTF-8 forms of the bytes 0x80 to 0xFF, taken once from the code page module so that a text is
// converted straight into the write buffer.
struct Utf8Forms
{
    std::array<std::array<std::uint8_t, kMaxUtf8>, 128> bytes{};
    std::array<std::uint8_t, 128> length{};
};

const Utf8Forms &utf8Forms()
{
    static const Utf8Forms forms = [] {
        Utf8Forms f;
        for (int b = 0x80; b < 0x100; ++b) {
            const char c = static_cast<char>(b);
            const std::string utf8 = codepage::cp1251ToUtf8(std::string_view(&c, 1));
            const std::size_t n = std::min(utf8.size(), kMaxUtf8);
            std::memcpy(f.bytes[b - 0x80].data(), utf8.data(), n);
            f.length[b - 0x80] = static_cast<std::uint8_t>(n);
        }
        return f;
    }();
    return forms;
}
} // namespace

TagWriter::TagWriter(Stream &out, std::size_t bufferSize)
    : mOut(out), mMemory(dynamic_cast<MemoryStream *>(&out)), mBuffer(std::max<std::size_t>(bufferSize, 64))
{}

void TagWriter::put(const void *data, std::size_t count)
{
    if (mOut.write(data, count) != count)
        throw Error("Stream write error");
}

void TagWriter::flush()
{
    if (mUsed == 0)
        return;
    put(mBuffer.data(), mUsed);
    mUsed = 0;
}

void TagWriter::raw(const void *data, std::size_t count)
{
    if (count <= mBuffer.size() - mUsed) {
        if (count)
            std::memcpy(mBuffer.data() + mUsed, data, count);
        mUsed += count;
        return;
    }
    flush();
    if (count < mBuffer.size()) {
        std::memcpy(mBuffer.data(), data, count);
        mUsed = count;
    } else {
        put(data, count);
    }
}

void TagWriter::littleEndian(std::uint64_t value, int bytes)
{
    if (mBuffer.size() - mUsed < 8)
        flush();
    for (int i = 0; i < bytes; ++i)
        mBuffer[mUsed++] = static_cast<std::uint8_t>(value >> (8 * i));
}

void TagWriter::integer(std::int64_t value)
{
    const auto bits = static_cast<std::uint64_t>(value);
    if (value >= -128 && value <= 127) {
        byte(tag::Int8);
        littleEndian(bits, 1);
    } else if (value >= -32768 && value <= 32767) {
        byte(tag::Int16);
        littleEndian(bits, 2);
    } else if (value >= std::numeric_limits<std::int32_t>::min() &&
               value <= std::numeric_limits<std::int32_t>::max()) {
        byte(tag::Int32);
        littleEndian(bits, 4);
    } else {
        invalidValue();
    }
}

void TagWriter::extendedFloat(double value)
{
    std::uint8_t bytes[extended::kSize];
    extended::fromDouble(value, bytes);
    byte(tag::Extended);
    raw(bytes, sizeof bytes);
}

void TagWriter::extendedInteger(std::int64_t value)
{
    std::uint8_t bytes[extended::kSize];
    extended::fromInt64(value, bytes);
    byte(tag::Extended);
    raw(bytes, sizeof bytes);
}

void TagWriter::text(std::string_view cp1251)
{
    const auto isHigh = [](char c) { return static_cast<unsigned char>(c) >= 0x80; };
    const auto firstHigh = std::find_if(cp1251.begin(), cp1251.end(), isHigh);
    if (firstHigh == cp1251.end()) {
        if (cp1251.size() <= 255) {
            byte(tag::ShortText);
            byte(static_cast<std::uint8_t>(cp1251.size()));
        } else {
            if (cp1251.size() > kMaxLength)
                throw Error("Stream write error");
            byte(tag::LongText);
            littleEndian(cp1251.size(), 4);
        }
        raw(cp1251.data(), cp1251.size());
        return;
    }

    const Utf8Forms &forms = utf8Forms();
    std::size_t utf8Length = cp1251.size();
    for (auto it = firstHigh; it != cp1251.end(); ++it)
        if (isHigh(*it))
            utf8Length += forms.length[static_cast<unsigned char>(*it) - 0x80] - 1u;
    if (utf8Length > kMaxLength)
        throw Error("Stream write error");
    byte(tag::Utf8Text);
    littleEndian(utf8Length, 4);
    std::size_t i = 0;
    while (i < cp1251.size()) {
        if (mBuffer.size() - mUsed < kMaxUtf8)
            flush();
        // As many characters as surely fit, converted in place.
        const std::size_t batch = std::min(cp1251.size() - i, (mBuffer.size() - mUsed) / kMaxUtf8);
        std::uint8_t *out = mBuffer.data() + mUsed;
        for (const std::size_t end = i + batch; i < end; ++i) {
            const auto c = static_cast<unsigned char>(cp1251[i]);
            if (c < 0x80) {
                *out++ = c;
            } else {
                const unsigned n = forms.length[c - 0x80];
                std::memcpy(out, forms.bytes[c - 0x80].data(), n);
                out += n;
            }
        }
        mUsed = static_cast<std::size_t>(out - mBuffer.data());
    }
}

void TagWriter::rawBytes(std::string_view bytes)
{
    if (bytes.size() > kMaxLength)
        throw Error("Stream write error");
    integer(static_cast<std::int64_t>(bytes.size()));
    flush();
    if (mMemory) {
        // One growth for the whole value, with room for what follows it, instead of doubling steps.
        std::vector<std::uint8_t> &store = mMemory->bytes();
        const std::size_t needed =
            static_cast<std::size_t>(mMemory->position()) + bytes.size() + mBuffer.size();
        if (needed > store.capacity())
            mMemory->reserve(std::max(needed, store.capacity() + store.capacity() / 2));
    }
    raw(bytes.data(), bytes.size());
}

TagReader::TagReader(Stream &in, std::size_t bufferSize) : mIn(in), mMemory(dynamic_cast<MemoryStream *>(&in))
{
    if (mMemory) {
        const std::vector<std::uint8_t> &store = mMemory->bytes();
        const auto position =
            std::min(static_cast<std::size_t>(std::max<std::int64_t>(mMemory->position(), 0)), store.size());
        mPos = store.data() + position;
        mEnd = store.data() + store.size();
        return;
    }
    mBuffer.resize(std::max<std::size_t>(bufferSize, 64));
    mPos = mEnd = mBuffer.data();
    if (in.size() == Stream::kUnknownSize) {
        mSizeUnknown = true;
        mStreamLeft = std::numeric_limits<std::uint64_t>::max() / 4; // fill() stops at the real end
        return;
    }
    const std::int64_t left = in.size() - in.position();
    mStreamLeft = left > 0 ? static_cast<std::uint64_t>(left) : 0;
}

bool TagReader::fill()
{
    if (mMemory || mStreamLeft == 0)
        return false;
    const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(mBuffer.size(), mStreamLeft));
    const std::size_t got = mIn.read(mBuffer.data(), want);
    if (got == 0) {
        mStreamLeft = 0; // the stream ended before its size said
        return false;
    }
    mStreamLeft -= std::min<std::uint64_t>(got, mStreamLeft);
    mPos = mBuffer.data();
    mEnd = mPos + got;
    return true;
}

std::uint8_t TagReader::peek()
{
    if (mPos == mEnd && !fill())
        readError();
    return *mPos;
}

std::uint8_t TagReader::byte()
{
    if (mPos == mEnd && !fill())
        readError();
    return *mPos++;
}

std::string_view TagReader::bytes(std::size_t count)
{
    if (count <= static_cast<std::size_t>(mEnd - mPos)) {
        const std::string_view view(reinterpret_cast<const char *>(mPos), count);
        mPos += count;
        return view;
    }
    return slowBytes(count);
}

std::string_view TagReader::slowBytes(std::size_t count)
{
    gather(mScratch, count);
    return {mScratch.data(), count};
}

void TagReader::gather(std::string &target, std::size_t count)
{
    if (count > remaining())
        readError();
    if (mSizeUnknown) {
        // Gathered as the bytes arrive: the memory follows the data, not the length claimed.
        target.clear();
        while (target.size() < count) {
            if (mPos == mEnd && !fill())
                readError();
            const std::size_t take = std::min(count - target.size(), static_cast<std::size_t>(mEnd - mPos));
            target.append(reinterpret_cast<const char *>(mPos), take);
            mPos += take;
        }
        return;
    }
    target.resize(count);
    char *out = target.data();
    std::size_t done = std::min(count, static_cast<std::size_t>(mEnd - mPos));
    if (done)
        std::memcpy(out, mPos, done);
    mPos += done;
    while (done < count) {
        const std::size_t rest = count - done;
        if (rest >= mBuffer.size()) { // large values bypass the buffer
            const std::size_t got = mIn.read(out + done, rest);
            if (got == 0) {
                mStreamLeft = 0;
                readError();
            }
            mStreamLeft -= std::min<std::uint64_t>(got, mStreamLeft);
            done += got;
            continue;
        }
        if (!fill())
            readError();
        const std::size_t take = std::min(rest, static_cast<std::size_t>(mEnd - mPos));
        std::memcpy(out + done, mPos, take);
        mPos += take;
        done += take;
    }
}

std::string TagReader::take(std::size_t count)
{
    if (count <= static_cast<std::size_t>(mEnd - mPos)) {
        std::string value(reinterpret_cast<const char *>(mPos), count);
        mPos += count;
        return value;
    }
    // Read into the value itself: a large blob is copied once, from the stream into its place.
    std::string value;
    gather(value, count);
    return value;
}

std::uint64_t TagReader::fixed(int bytes)
{
    const std::string_view view = this->bytes(static_cast<std::size_t>(bytes));
    std::uint64_t value = 0;
    for (int i = 0; i < bytes; ++i)
        value |= static_cast<std::uint64_t>(static_cast<unsigned char>(view[i])) << (8 * i);
    return value;
}

std::int64_t TagReader::integerAfter(std::uint8_t tagByte)
{
    switch (tagByte) {
    case tag::Int8:
        return static_cast<std::int8_t>(fixed(1));
    case tag::Int16:
        return static_cast<std::int16_t>(fixed(2));
    case tag::Int32:
        return static_cast<std::int32_t>(fixed(4));
    default:
        invalidValue();
    }
}

std::int64_t TagReader::integer()
{
    return integerAfter(byte());
}

double TagReader::extendedFloat()
{
    const std::uint8_t t = byte();
    if (t == tag::Extended)
        return extended::toDouble(reinterpret_cast<const std::uint8_t *>(bytes(extended::kSize).data()));
    if (t == tag::Int64)
        return static_cast<double>(static_cast<std::int64_t>(fixed(8)));
    return static_cast<double>(integerAfter(t));
}

std::int64_t TagReader::extendedInteger()
{
    const std::uint8_t t = byte();
    if (t == tag::Extended) {
        const auto value =
            extended::toInt64(reinterpret_cast<const std::uint8_t *>(bytes(extended::kSize).data()));
        if (!value)
            invalidValue();
        return *value;
    }
    if (t == tag::Int64)
        return static_cast<std::int64_t>(fixed(8));
    return integerAfter(t);
}

std::uint32_t TagReader::length()
{
    return static_cast<std::uint32_t>(fixed(4));
}

std::string TagReader::text()
{
    switch (byte()) {
    case tag::ShortText:
        return take(byte());
    case tag::LongText:
        return take(length());
    case tag::Utf8Text:
        return codepage::utf8ToCp1251(bytes(length()));
    case tag::Utf16Text: {
        const std::uint64_t size = 2ull * length();
        if (size > remaining())
            readError();
        const std::string_view view = bytes(static_cast<std::size_t>(size));
        std::u16string utf16(view.size() / 2, u'\0');
        for (std::size_t i = 0; i < utf16.size(); ++i)
            utf16[i] = static_cast<char16_t>(static_cast<unsigned char>(view[2 * i]) |
                                             static_cast<unsigned char>(view[2 * i + 1]) << 8);
        return codepage::utf16ToCp1251(utf16);
    }
    default:
        invalidValue();
    }
}

std::string TagReader::rawBytes()
{
    const std::int64_t size = integer();
    if (size < 0 || static_cast<std::uint64_t>(size) > remaining())
        readError();
    return take(static_cast<std::size_t>(size));
}

void TagReader::beginList()
{
    if (byte() != tag::BeginList)
        invalidValue();
}

void TagReader::endList()
{
    if (byte() != tag::EndOfList)
        invalidValue();
}

bool TagReader::endOfList()
{
    if (peek() != tag::EndOfList)
        return false;
    ++mPos;
    return true;
}

void TagReader::finish()
{
    if (mMemory) {
        mMemory->seek(mPos - mMemory->bytes().data());
        return;
    }
    mIn.seek(mIn.position() - (mEnd - mPos));
}

} // namespace tarvena
