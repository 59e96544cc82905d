#pragma once
// BIFF8 records as the workbook writer puts them together: the record frame and the file's forms of
// a text.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <vector>

namespace tarvena::xls {

// The largest record data; longer data goes on in CONTINUE records.
constexpr std::size_t MaxRecordData = 8224;

// Record types.
namespace record {
enum : std::uint16_t
{
    Bof = 0x0809,
    Eof = 0x000A,
    CodePage = 0x0042,
    Window1 = 0x003D,
    HideObj = 0x008D,
    DateMode = 0x0022,
    Font = 0x0031,
    Xf = 0x00E0,
    Style = 0x0293,
    BoundSheet = 0x0085,
    Country = 0x008C,
    Sst = 0x00FC,
    Continue = 0x003C,
    ExtSst = 0x00FF,
    WsBool = 0x0081,
    ColInfo = 0x007D,
    Dimensions = 0x0200,
    Row = 0x0208,
    LabelSst = 0x00FD,
    Blank = 0x0201,
    Window2 = 0x023E
};
} // namespace record

// Appends records to a stream; a record's length is filled in when it ends.
class RecordWriter
{
public:
    explicit RecordWriter(std::vector<std::uint8_t> &out) : mOut(out) {}

    void begin(std::uint16_t type)
    {
        mStart = mOut.size();
        u16(type);
        u16(0);
    }
    void end()
    {
        const std::size_t length = dataLength();
        mOut[mStart + 2] = static_cast<std::uint8_t>(length);
        mOut[mStart + 3] = static_cast<std::uint8_t>(length >> 8);
    }
    void record(std::uint16_t type, std::initializer_list<std::uint16_t> words)
    {
        begin(type);
        for (std::uint16_t w : words)
            u16(w);
        end();
    }
    // A whole record at once: the cell records, of which a sheet holds a great many.
    void record(std::uint16_t type, const std::uint8_t *data, std::uint16_t length)
    {
        mStart = mOut.size();
        std::uint8_t *p = extend(4 + std::size_t(length));
        putLe16(p, type);
        putLe16(p + 2, length);
        std::copy_n(data, length, p + 4);
    }

    std::size_t dataLength() const { return mOut.size() - mStart - 4; }
    std::size_t recordStart() const { return mStart; }
    std::size_t position() const { return mOut.size(); }

    // Room for count more bytes at the end of the stream, for the caller to fill.
    std::uint8_t *extend(std::size_t count)
    {
        const std::size_t at = mOut.size();
        mOut.resize(at + count);
        return mOut.data() + at;
    }
    // Bytes put together elsewhere, copied once.
    void bytes(const std::uint8_t *data, std::size_t count) { mOut.insert(mOut.end(), data, data + count); }
    void u8(std::uint8_t v) { mOut.push_back(v); }
    void u16(std::uint16_t v) { putLe16(extend(2), v); }
    void u32(std::uint32_t v) { putLe32(extend(4), v); }
    void patch32(std::size_t at, std::uint32_t v) { putLe32(mOut.data() + at, v); }

    static void putLe16(std::uint8_t *p, std::uint16_t v)
    {
        p[0] = static_cast<std::uint8_t>(v);
        p[1] = static_cast<std::uint8_t>(v >> 8);
    }
    static void putLe32(std::uint8_t *p, std::uint32_t v)
    {
        putLe16(p, static_cast<std::uint16_t>(v));
        putLe16(p + 2, static_cast<std::uint16_t>(v >> 16));
    }

private:
    std::vector<std::uint8_t> &mOut;
    std::size_t mStart = 0;
};

// A text in the file's form: UTF-16, stored one byte per character when every character is below
// U+0100 (the 8-bit form is Latin-1, never code page 1251). Each 1251 byte is one UTF-16 unit.
struct FileString
{
    std::string_view bytes;
    bool wide = false;
    std::size_t size() const { return bytes.size(); }
};

FileString fileString(std::string_view cp1251);
// Characters from..from+count of s in its form.
void putChars(RecordWriter &w, const FileString &s, std::size_t from, std::size_t count);
// Count byte, option byte, characters: font and sheet names.
void putShortString(RecordWriter &w, std::string_view cp1251);

} // namespace tarvena::xls
