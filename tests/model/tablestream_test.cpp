// Table streams: the exact bytes written, every version and tag read, damaged input refused cleanly.
#include "model/filestable.h"
#include "model/memtable.h"
#include "model/tablestreamio.h"
#include "storage/codepage.h"
#include "storage/error.h"
#include "storage/extended.h"
#include "storage/gzip.h"
#include "storage/stream.h"
#include "storage/tablestream.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <limits>

using namespace tarvena;

namespace {

std::string bytes(std::initializer_list<int> list)
{
    std::string s;
    for (int b : list)
        s.push_back(static_cast<char>(b));
    return s;
}

std::string cp(const char *utf8)
{
    return codepage::utf8ToCp1251(utf8);
}

std::string text(std::string_view s)
{
    return bytes({6, static_cast<int>(s.size())}) + std::string(s);
}

std::string integer(int v)
{
    if (v >= -128 && v <= 127)
        return bytes({2, v & 0xFF});
    return bytes({3, v & 0xFF, (v >> 8) & 0xFF});
}

std::string extendedOf(double v)
{
    std::uint8_t b[extended::kSize];
    extended::fromDouble(v, b);
    return "\x05" + std::string(reinterpret_cast<const char *>(b), sizeof b);
}

std::string littleEndian32(std::uint32_t v)
{
    return bytes({int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF), int(v >> 24)});
}

TableStreamFormat plainFormat(bool rawBlobs = false)
{
    TableStreamFormat format;
    format.RawBlobs = rawBlobs;
    return format;
}

std::string saved(MemTable &table, const TableStreamFormat &format)
{
    MemoryStream out;
    saveTable(format, table, out);
    return out.toString();
}

void load(MemTable &table, const std::string &stream, const TableStreamFormat &format)
{
    MemoryStream in(stream);
    loadTable(format, table, in);
}

std::string loadError(MemTable &table, const std::string &stream, const TableStreamFormat &format)
{
    try {
        load(table, stream, format);
    } catch (const Error &e) {
        return e.what();
    }
    return "no error";
}

// A definition as this program writes it: label = name, no mask, width 10, flags off.
std::string definition(const std::string &name, const std::string &type, int size = 0, int width = 10)
{
    return text(name) + text(type) + integer(size) + text(name) + text("") + integer(width) + bytes({8, 8}) +
           text("Data") + text("");
}

// A version 251 stream with its definitions list, data type header and rows list contents.
std::string stream251(const std::string &definitions, const std::string &typeHeader, const std::string &rows)
{
    return "TPF0" + bytes({3, 0xFB, 0, 1}) + definitions + bytes({0, 1, 0, 1}) + typeHeader + bytes({0, 1}) +
           rows + bytes({0});
}

const std::string kIdNameDefinitions = definition("ID", "Integer") + definition("NAME", "String", 20, 20);
const std::string kIdNameTypes = bytes({2, 2, 2, 3, 2, 1});

// A stream that hands out at most a few bytes per read, so every buffer refill path runs.
class TrickleStream : public Stream
{
public:
    explicit TrickleStream(const std::string &bytes, std::size_t piece = 7) : mInner(bytes), mPiece(piece) {}
    std::size_t read(void *buffer, std::size_t count) override
    {
        return mInner.read(buffer, std::min(count, mPiece));
    }
    std::size_t write(const void *buffer, std::size_t count) override { return mInner.write(buffer, count); }
    std::int64_t position() const override { return mInner.position(); }
    void seek(std::int64_t position) override { mInner.seek(position); }
    std::int64_t size() const override { return mInner.size(); }
    std::string toString() const { return mInner.toString(); }

private:
    MemoryStream mInner;
    std::size_t mPiece;
};

// A medium that is full after a number of bytes.
class FullStream : public TrickleStream
{
public:
    explicit FullStream(std::size_t capacity) : TrickleStream({}, 1 << 20), mCapacity(capacity) {}
    std::size_t write(const void *buffer, std::size_t count) override
    {
        const std::size_t n = std::min(count, mCapacity - std::min<std::size_t>(mCapacity, size()));
        return TrickleStream::write(buffer, n);
    }

private:
    std::size_t mCapacity;
};

std::string allBytes()
{
    std::string s;
    for (int b = 0; b < 256; ++b)
        s.push_back(static_cast<char>(b));
    return s;
}

// Every type the reader accepts, with a value in the first row and nulls in the second.
struct TypedValue
{
    FieldType type;
    int size;
    Value value;
};

std::vector<TypedValue> everyLoadableType()
{
    const std::string words = "Text " + cp("ёЖ №") + "\x98";
    return {
        {FieldType::String, 40, Value(words)},
        {FieldType::SmallInt, 0, Value(std::int64_t{-32768})},
        {FieldType::Integer, 0, Value(std::int64_t{std::numeric_limits<std::int32_t>::min()})},
        {FieldType::Word, 0, Value(std::int64_t{65535})},
        {FieldType::Boolean, 0, Value(true)},
        {FieldType::Float, 0, Value(-1.25e-310)},
        {FieldType::Currency, 0, Value(-12.3456)},
        {FieldType::BCD, 0, Value(1.5)},
        {FieldType::Date, 0, Value(45000.0)},
        {FieldType::Time, 0, Value(0.75)},
        {FieldType::DateTime, 0, Value(-1.5)},
        {FieldType::Bytes, 4, Value(std::string("\x00\xFF\x98\x01", 4))},
        {FieldType::VarBytes, 8, Value(allBytes().substr(120, 8))},
        {FieldType::AutoInc, 0, Value(std::int64_t{1})},
        {FieldType::Blob, 0, Value(allBytes())},
        {FieldType::Memo, 0, Value(std::string(70000, 'm') + cp("я"))},
        {FieldType::Graphic, 0, Value(allBytes())},
        {FieldType::FmtMemo, 0, Value(words)},
        {FieldType::ParadoxOle, 0, Value(allBytes())},
        {FieldType::DBaseOle, 0, Value(allBytes())},
        {FieldType::TypedBinary, 0, Value(allBytes())},
        {FieldType::FixedChar, 3, Value(cp("абв"))},
        {FieldType::WideString, 10, Value(cp("Юг"))},
        {FieldType::LargeInt, 0, Value(std::numeric_limits<std::int64_t>::min() + 1)},
        {FieldType::ADT, 0, Value(words)},
        {FieldType::Array, 0, Value(words)},
        {FieldType::HugeBlob, 0, Value(allBytes())},
        {FieldType::HugeClob, 0, Value(words)},
        {FieldType::Guid, 38, Value(std::string("{00000000-0000-0000-0000-000000000000}"))},
        {FieldType::SQLTimeStamp, 0, Value(words)},
        {FieldType::FMTBcd, 0, Value(std::string("12.5"))},
    };
}

void fillEveryType(MemTable &table)
{
    std::vector<Value> values, nulls;
    int n = 0;
    for (const TypedValue &t : everyLoadableType()) {
        table.addField("F" + std::to_string(n++), t.type, t.size);
        values.push_back(t.value);
        nulls.emplace_back();
    }
    table.addField("CALC", FieldType::Integer, 0, StoredFieldKind::Calculated); // never written
    table.Open();
    table.appendStoredRecord(values, 1);
    table.appendStoredRecord(nulls);
}

} // namespace

TEST(TableStream, WorkedExampleBytes)
{
    const std::string head = "TPF0" + bytes({3, 0xFB, 0, 1}) + text("ID") + text("Integer") + bytes({2, 0}) +
                             text("ID") + text("") + bytes({2, 0x0A, 9, 8}) + text("Data") + text("") +
                             bytes({0, 1, 0, 1, 2, 1, 2, 3, 0, 1});
    const struct
    {
        const char *what;
        std::vector<Value> rows;
        std::string rowBytes;
    } cases[] = {
        {"no rows", {}, ""},
        {"ID 5", {Value(std::int64_t{5})}, bytes({1, 2, 0, 8, 2, 5, 0})},
        {"ID null", {Value()}, bytes({1, 2, 0, 9, 0})},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        MemTable table;
        table.addField("ID", FieldType::Integer).Required = true;
        table.Open();
        for (const Value &v : c.rows)
            table.appendStoredRecord({v});
        EXPECT_EQ(saved(table, plainFormat()), head + c.rowBytes + bytes({0}));

        MemTable back;
        load(back, head + c.rowBytes + bytes({0}), plainFormat());
        ASSERT_EQ(back.FieldCount(), 1);
        EXPECT_EQ(back.fieldAt(0).FieldName(), "ID");
        EXPECT_EQ(back.fieldAt(0).DataType(), FieldType::Integer);
        EXPECT_TRUE(back.fieldAt(0).Required);
        ASSERT_EQ(back.storedRecordCount(), static_cast<int>(c.rows.size()));
        for (std::size_t i = 0; i < c.rows.size(); ++i)
            EXPECT_EQ(back.storedRecord(static_cast<int>(i)), std::vector<Value>{c.rows[i]});
    }
}

TEST(TableStream, ValueEncodings)
{
    const std::string a255(255, 'a'), a256(256, 'a');
    const struct
    {
        const char *what;
        FieldType type;
        int size;
        Value value;
        bool rawBlobs;
        std::string row; // begin, status, null flag, value, end
    } cases[] = {
        {"int 127", FieldType::Integer, 0, Value(std::int64_t{127}), false, bytes({2, 0x7F})},
        {"int 128", FieldType::Integer, 0, Value(std::int64_t{128}), false, bytes({3, 0x80, 0})},
        {"int -129", FieldType::Integer, 0, Value(std::int64_t{-129}), false, bytes({3, 0x7F, 0xFF})},
        {"int 65536", FieldType::Integer, 0, Value(std::int64_t{65536}), false, bytes({4, 0, 0, 1, 0})},
        {"int -32769", FieldType::Integer, 0, Value(std::int64_t{-32769}), false,
         bytes({4, 0xFF, 0x7F, 0xFF, 0xFF})},
        {"smallint -128", FieldType::SmallInt, 0, Value(std::int64_t{-128}), false, bytes({2, 0x80})},
        {"255 characters", FieldType::String, 300, Value(a255), false, bytes({6, 255}) + a255},
        {"256 characters", FieldType::String, 300, Value(a256), false, bytes({12, 0, 1, 0, 0}) + a256},
        {"empty text", FieldType::String, 10, Value(std::string()), false, bytes({6, 0})},
        {"Cyrillic letter", FieldType::String, 10, Value(cp("Я")), false,
         bytes({20, 2, 0, 0, 0, 0xD0, 0xAF})},
        {"true", FieldType::Boolean, 0, Value(true), false, bytes({9})},
        {"false", FieldType::Boolean, 0, Value(false), false, bytes({8})},
        {"float 1", FieldType::Float, 0, Value(1.0), false,
         bytes({5, 0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F})},
        {"date-time 1.5", FieldType::DateTime, 0, Value(1.5), false,
         bytes({5, 0, 0, 0, 0, 0, 0, 0, 0xC0, 0xFF, 0x3F})},
        {"large int 2^53+1", FieldType::LargeInt, 0, Value(std::int64_t{(1ll << 53) + 1}), false,
         bytes({5, 0, 4, 0, 0, 0, 0, 0, 0x80, 0x34, 0x40})},
        {"raw blob", FieldType::Blob, 0, Value(std::string("ab")), true, bytes({2, 2, 'a', 'b'})},
        {"blob as text", FieldType::Blob, 0, Value(std::string("ab")), false, bytes({6, 2, 'a', 'b'})},
        {"blob byte 0x98 as text", FieldType::Blob, 0, Value(std::string("\x98")), false,
         bytes({20, 2, 0, 0, 0, 0xC2, 0x98})},
        {"wide string passes the text rule twice", FieldType::WideString, 10, Value(cp("Я")), false,
         bytes({20, 4, 0, 0, 0, 0xD0, 0xA0, 0xD0, 0x87})},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        MemTable table;
        table.addField("V", c.type, c.size);
        table.Open();
        const std::string head = saved(table, plainFormat(c.rawBlobs));
        table.appendStoredRecord({c.value});
        const std::string full = saved(table, plainFormat(c.rawBlobs));
        ASSERT_EQ(full.substr(0, head.size() - 1), head.substr(0, head.size() - 1));
        EXPECT_EQ(full.substr(head.size() - 1, full.size() - head.size()),
                  bytes({1, 2, 0, 8}) + c.row + bytes({0}));

        MemTable back;
        load(back, full, plainFormat(c.rawBlobs));
        ASSERT_EQ(back.storedRecordCount(), 1);
        EXPECT_EQ(back.storedRecord(0), std::vector<Value>{c.value});
    }
}

TEST(TableStream, NullBlobIsTheNullFlagAlone)
{
    MemTable table;
    table.addField("B", FieldType::Blob);
    table.Open();
    table.appendStoredRecord({Value()});
    table.appendStoredRecord({Value(std::string())});
    const std::string stream = saved(table, plainFormat(true));
    // Rows list: a null blob (flag 09 alone), then an empty one (flag 08, length 0).
    EXPECT_EQ(stream.substr(stream.size() - 14), bytes({1, 1, 2, 0, 9, 0, 1, 2, 0, 8, 2, 0, 0, 0}));
    // With raw blobs a length of 0 reads as null.
    MemTable back;
    load(back, stream, plainFormat(true));
    ASSERT_EQ(back.storedRecordCount(), 2);
    EXPECT_TRUE(isNull(back.storedRecord(0)[0]));
    EXPECT_TRUE(isNull(back.storedRecord(1)[0]));
}

TEST(TableStream, EveryTypeRoundTripsInBothFormats)
{
    for (bool rawBlobs : {false, true}) {
        SCOPED_TRACE(rawBlobs ? "raw blobs" : "blobs as text");
        MemTable table;
        fillEveryType(table);
        Field &f0 = table.fieldAt(0);
        f0.DisplayLabel = cp("Имя");
        f0.EditMask = "999";
        f0.DisplayWidth = 7;
        f0.Required = true;
        f0.ReadOnly = true;
        f0.DefaultExpression = "1";

        MemTable back;
        back.addField("OLD", FieldType::Float);
        back.Open();
        back.appendStoredRecord({Value(1.0)});
        load(back, saved(table, plainFormat(rawBlobs)), plainFormat(rawBlobs));

        const auto types = everyLoadableType();
        ASSERT_EQ(back.FieldCount(), static_cast<int>(types.size())); // no OLD, no CALC
        for (int i = 0; i < back.FieldCount(); ++i) {
            const Field &f = back.fieldAt(i);
            EXPECT_EQ(f.FieldName(), table.fieldAt(i).FieldName());
            EXPECT_EQ(f.DataType(), types[i].type) << i;
            EXPECT_EQ(f.Size(), types[i].size) << i;
            EXPECT_EQ(f.Kind(), StoredFieldKind::Data);
        }
        const Field &b0 = back.fieldAt(0);
        EXPECT_EQ(b0.DisplayLabel, cp("Имя"));
        EXPECT_EQ(b0.EditMask, "999");
        EXPECT_EQ(b0.DisplayWidth, 7);
        EXPECT_TRUE(b0.Required);
        EXPECT_TRUE(b0.ReadOnly);
        EXPECT_EQ(b0.DefaultExpression, "1");
        EXPECT_FALSE(back.fieldAt(1).Required);

        ASSERT_EQ(back.storedRecordCount(), 2);
        EXPECT_EQ(back.storedUpdateStatus(0), 1);
        EXPECT_EQ(back.storedUpdateStatus(1), 0);
        for (std::size_t i = 0; i < types.size(); ++i) {
            EXPECT_EQ(back.storedRecord(0)[i], types[i].value) << "field " << i;
            EXPECT_TRUE(isNull(back.storedRecord(1)[i])) << "field " << i;
        }
        EXPECT_TRUE(back.Active());
        EXPECT_EQ(back.RecNo(), 1);
    }
}

TEST(TableStream, ZeroDateReloadsEmpty)
{
    for (FieldType type : {FieldType::Date, FieldType::Time, FieldType::DateTime}) {
        MemTable table;
        table.addField("D", type);
        table.Open();
        table.appendStoredRecord({Value(0.0)});
        MemTable back;
        load(back, saved(table, plainFormat()), plainFormat());
        ASSERT_EQ(back.storedRecordCount(), 1);
        EXPECT_TRUE(isNull(back.storedRecord(0)[0]));
    }
}

TEST(TableStream, FormatOnePassesEveryByteValueThroughGzip)
{
    auto format = makeStreamFormat1();
    MemTable table;
    table.addField("CONTENT", FieldType::Blob);
    table.Open();
    std::string everyByte = allBytes() + allBytes();
    std::reverse(everyByte.begin() + 256, everyByte.end());
    table.appendStoredRecord({Value(everyByte)});
    table.DefaultFormat = format.get();
    MemoryStream out;
    table.SaveToStream(out);

    const std::string compressed = out.toString();
    ASSERT_TRUE(isGzipMember(compressed));
    const std::string plain = gunzipBytes(compressed);
    EXPECT_EQ(plain, saved(table, plainFormat(false)));
    EXPECT_NE(plain.find(bytes({0xC2, 0x98})), std::string::npos);

    MemTable back;
    back.DefaultFormat = format.get();
    back.LoadFromStream(out);
    ASSERT_EQ(back.storedRecordCount(), 1);
    EXPECT_EQ(back.storedRecord(0)[0], Value(everyByte));

    // Format 1 reads a stream that was never compressed, and reports a cut member as a short stream.
    MemTable plainBack;
    load(plainBack, plain, *format);
    EXPECT_EQ(plainBack.storedRecord(0)[0], Value(everyByte));
    MemTable cut;
    EXPECT_EQ(loadError(cut, compressed.substr(0, compressed.size() / 2), *format), "Stream read error");
}

TEST(TableStream, FilesTableThroughFormatTwo)
{
    auto format = makeStreamFormat2();
    EXPECT_TRUE(format->RawBlobs);
    EXPECT_EQ(format->bufferSize(), 65536u);
    EXPECT_FALSE(format->compress);

    MemTable files("FILES");
    defineFilesTable(files);
    const struct
    {
        const char *name;
        FieldType type;
        int size;
    } expected[] = {{"NAME", FieldType::String, 128},
                    {"CONTENT", FieldType::Blob, 0},
                    {"DESCRIPTION", FieldType::String, 128},
                    {"SRCNAME", FieldType::String, 128}};
    ASSERT_EQ(files.FieldCount(), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(files.fieldAt(i).FieldName(), expected[i].name);
        EXPECT_EQ(files.fieldAt(i).DataType(), expected[i].type);
        EXPECT_EQ(files.fieldAt(i).Size(), expected[i].size);
        EXPECT_EQ(files.fieldAt(i).Kind(), StoredFieldKind::Data);
    }
    files.Open();
    std::string noise(300000, '\0');
    for (std::size_t i = 0; i < noise.size(); ++i)
        noise[i] = static_cast<char>((i * 2654435761u) >> 13);
    const std::vector<Value> title = {Value(cp("Титульный лист.JPG")), Value(gzipBytes(noise)),
                                      Value(cp("комментарий")), Value(std::string("title.JPG"))};
    const std::vector<Value> empty = {Value(std::string("To2.jpg")), Value(gzipBytes({})), Value(), Value()};
    files.appendStoredRecord(title);
    files.appendStoredRecord(empty);
    files.DefaultFormat = format.get();
    MemoryStream out;
    files.SaveToStream(out);

    MemTable back;
    back.DefaultFormat = format.get();
    back.LoadFromStream(out);
    ASSERT_EQ(back.storedRecordCount(), 2);
    EXPECT_EQ(back.storedRecord(0), title);
    EXPECT_EQ(back.storedRecord(1), empty);
    EXPECT_EQ(gunzipBytes(std::get<std::string>(back.storedRecord(0)[1])), noise);
}

TEST(TableStream, ReadsEveryVersion)
{
    for (int version : {100, 200, 230, 249, 250, 251}) {
        SCOPED_TRACE(version);
        const bool rowLists = version >= 230, nullFlags = version >= 249;
        std::string s = "TPF0";
        if (version != 100)
            s += integer(version);
        s += bytes({1});
        for (auto [name, type, size] : {std::tuple{"ID", "Integer", 0}, std::tuple{"NAME", "String", 20}}) {
            s +=
                text(name) + text(type) + integer(size) + text(name) + text("") + integer(10) + bytes({9, 8});
            if (version >= 250)
                s += text("Data");
            if (version >= 251)
                s += text("5");
        }
        s += bytes({0});
        if (version >= 200) // one index definition, read and dropped
            s += bytes({1}) + text("IDX") + text("ID") + text("") + bytes({8, 9, 8, 8, 0});
        s += bytes({1, 2, 2, 2, 3, 2, 1, 0});
        const auto values = [&](int id, const std::string &name) {
            return (nullFlags ? bytes({8}) : "") + integer(id) + (nullFlags ? bytes({8}) : "") + name;
        };
        s += bytes({1});
        s += (rowLists ? bytes({1, 2, 0}) : "") + values(1, text("a")) + (rowLists ? bytes({0}) : "");
        s += (rowLists ? bytes({1, 2, 1}) : "") + values(2, bytes({20, 2, 0, 0, 0, 0xD0, 0xAF}));
        if (rowLists) // an older version of the row follows and is dropped
            s += bytes({2, 0}) + values(3, text("old")) + bytes({0});
        s += bytes({0});

        MemTable table;
        load(table, s, plainFormat());
        ASSERT_EQ(table.FieldCount(), 2);
        EXPECT_EQ(table.fieldAt(1).DataType(), FieldType::String);
        EXPECT_EQ(table.fieldAt(1).Size(), 20);
        EXPECT_EQ(table.fieldAt(0).DefaultExpression, version >= 251 ? "5" : "");
        ASSERT_EQ(table.storedRecordCount(), 2);
        EXPECT_EQ(table.storedRecord(0),
                  (std::vector<Value>{Value(std::int64_t{1}), Value(std::string("a"))}));
        EXPECT_EQ(table.storedRecord(1), (std::vector<Value>{Value(std::int64_t{2}), Value(cp("Я"))}));
        EXPECT_EQ(table.storedUpdateStatus(1), rowLists ? 1 : 0);
    }
}

TEST(TableStream, ReadsEveryTagAValueAccepts)
{
    const std::string definitions =
        definition("T", "String", 10) + definition("F", "Float") + definition("B", "Boolean");
    const std::string types = bytes({2, 3, 2, 1, 2, 6, 2, 5});
    const std::string texts[] = {
        bytes({6, 2, 0xDF, 'a'}),
        bytes({12, 2, 0, 0, 0, 0xDF, 'a'}),
        bytes({18, 2, 0, 0, 0, 0x2F, 0x04, 'a', 0}),
        bytes({20, 3, 0, 0, 0, 0xD0, 0xAF, 'a'}),
    };
    const std::string floats[] = {
        extendedOf(7.0),
        bytes({2, 7}),
        bytes({3, 7, 0}),
        bytes({4, 7, 0, 0, 0}),
        bytes({19, 7, 0, 0, 0, 0, 0, 0, 0}),
    };
    std::string rows;
    for (const std::string &t : texts)
        for (const std::string &f : floats)
            for (int flag : {9, 7}) // tag 9 is true; any other byte is false
                rows += bytes({1, 2, 0, 8}) + t + bytes({8}) + f + bytes({8, flag, 0});
    MemTable table;
    load(table, stream251(definitions, types, rows), plainFormat());
    ASSERT_EQ(table.storedRecordCount(), 4 * 5 * 2);
    for (int i = 0; i < table.storedRecordCount(); ++i)
        EXPECT_EQ(table.storedRecord(i), (std::vector<Value>{Value(cp("Яa")), Value(7.0), Value(i % 2 == 0)}))
            << i;
}

// Currency and BCD keep four decimals at every magnitude, and what was rounded once reads back as it is.
TEST(TableStream, CurrencyIsRoundedToFourDecimalsAtEveryMagnitude)
{
    const struct
    {
        double stored;
        double read;
    } cases[] = {
        {1.23456, 1.2346},
        {-2.00005, -2.0001},
        {99999999999.99996, 100000000000.0},
        {123456789012.34567, 123456789012.3457},
        {-234567890123.45678, -234567890123.4568},
        {412345678901.23449, 412345678901.2345},
        {1e15 + 0.25, 1e15 + 0.25}, // no four decimals left to round: kept
    };
    for (const char *type : {"Currency", "BCD"}) {
        for (const auto &c : cases) {
            SCOPED_TRACE(std::string(type) + " " + std::to_string(c.stored));
            const std::string types = bytes({2, 1, 2, type[0] == 'C' ? 7 : 8});
            MemTable table;
            load(table,
                 stream251(definition("C", type), types,
                           bytes({1, 2, 0, 8}) + extendedOf(c.stored) + bytes({0})),
                 plainFormat());
            ASSERT_EQ(table.storedRecordCount(), 1);
            EXPECT_EQ(table.storedRecord(0)[0], Value(c.read));
            MemTable again;
            load(again, saved(table, plainFormat()), plainFormat());
            EXPECT_EQ(again.storedRecord(0)[0], Value(c.read));
        }
    }
}

TEST(TableStream, DamagedInputFailsWithItsMessage)
{
    const std::string idType = bytes({2, 1, 2, 3});
    const std::string oneRow = bytes({1, 2, 0, 8, 2, 5, 0});
    const std::string valid = stream251(definition("ID", "Integer"), idType, oneRow);
    const auto withRow = [](const std::string &definitions, const std::string &type,
                            const std::string &value) {
        return stream251(definitions, type, bytes({1, 2, 0, 8}) + value + bytes({0}));
    };
    const struct
    {
        const char *what;
        std::string stream;
        bool rawBlobs;
        std::string message;
    } cases[] = {
        {"signature", "TPF1" + valid.substr(4), false, "Invalid stream format"},
        {"empty input", "", false, "Stream read error"},
        {"half a signature", "TP", false, "Stream read error"},
        {"version is a text", "TPF0" + text("x"), false, "Invalid property value"},
        {"unknown type", stream251(definition("ID", "Integre"), idType, ""), false,
         "Unknown field type (Integre)"},
        {"type names match case", stream251(definition("ID", "integer"), idType, ""), false,
         "Unknown field type (integer)"},
        {"refused type", stream251(definition("C", "Cursor"), idType, ""), false,
         "Unknown field type (Cursor)"},
        {"type name in Cyrillic", stream251(definition("C", cp("Тип")), idType, ""), false,
         "Unknown field type (Тип)"},
        {"negative size", stream251(definition("S", "String", -1), idType, ""), false,
         "Invalid property value"},
        {"integer given as text", withRow(definition("ID", "Integer"), idType, text("5")), false,
         "Invalid property value"},
        {"float given as text", withRow(definition("F", "Float"), bytes({2, 1, 2, 6}), text("5")), false,
         "Invalid property value"},
        {"text given as boolean", withRow(definition("S", "String", 5), bytes({2, 1, 2, 1}), bytes({9})),
         false, "Invalid property value"},
        {"row is not a list", stream251(definition("ID", "Integer"), idType, bytes({2, 0, 8, 2, 5, 0})),
         false, "Invalid property value"},
        {"long text beyond the input",
         withRow(definition("S", "String", 5), bytes({2, 1, 2, 1}), bytes({12}) + littleEndian32(0xFFFFFFF0)),
         false, "Stream read error"},
        {"UTF-8 text beyond the input",
         withRow(definition("S", "String", 5), bytes({2, 1, 2, 1}), bytes({20}) + littleEndian32(0x7FFFFFFF)),
         false, "Stream read error"},
        {"UTF-16 text beyond the input",
         withRow(definition("S", "String", 5), bytes({2, 1, 2, 1}), bytes({18}) + littleEndian32(0xFFFFFFFF)),
         false, "Stream read error"},
        {"raw blob beyond the input",
         withRow(definition("B", "Blob"), bytes({2, 1, 2, 15}), bytes({4, 0xFF, 0xFF, 0xFF, 0x7F})), true,
         "Stream read error"},
        {"negative raw blob length",
         withRow(definition("B", "Blob"), bytes({2, 1, 2, 15}), bytes({4, 0xFF, 0xFF, 0xFF, 0xFF})), true,
         "Stream read error"},
        {"no definitions and no fields", stream251("", bytes({2, 0}), ""), false,
         "Couldnt determine field count for load."},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        MemTable table;
        EXPECT_EQ(loadError(table, c.stream, plainFormat(c.rawBlobs)), c.message);
    }
}

TEST(TableStream, EveryCutIsAReadError)
{
    for (bool rawBlobs : {false, true}) {
        MemTable table;
        fillEveryType(table);
        const std::string stream = saved(table, plainFormat(rawBlobs));
        // Cutting inside large values is the same path every time; step through them.
        for (std::size_t length = 0; length < stream.size(); length += length < 2000 ? 1 : 997) {
            MemTable back;
            ASSERT_EQ(loadError(back, stream.substr(0, length), plainFormat(rawBlobs)), "Stream read error")
                << length;
        }
    }
}

TEST(TableStream, FailedLoadKeepsTheNewFieldsAndTheRowsReadSoFar)
{
    std::string rows;
    for (int id : {1, 2, 3})
        rows += bytes({1, 2, 0, 8, 2, id, 8}) + text("n") + bytes({0});
    const std::string stream = stream251(kIdNameDefinitions, kIdNameTypes, rows);
    MemTable table;
    table.addField("OLD", FieldType::Float);
    table.Open();
    EXPECT_EQ(loadError(table, stream.substr(0, stream.size() - 4), plainFormat()), "Stream read error");
    ASSERT_EQ(table.FieldCount(), 2);
    EXPECT_EQ(table.fieldAt(0).FieldName(), "ID");
    ASSERT_EQ(table.storedRecordCount(), 2);
    EXPECT_EQ(table.storedRecord(1)[0], Value(std::int64_t{2}));
}

TEST(TableStream, EmptyDefinitionsKeepTheFieldsAndAppendRows)
{
    MemTable table;
    table.addField("ID", FieldType::Integer);
    table.Open();
    table.appendStoredRecord({Value(std::int64_t{1})});
    load(table, stream251("", bytes({2, 1, 2, 3}), bytes({1, 2, 0, 8, 2, 7, 0})), plainFormat());
    ASSERT_EQ(table.FieldCount(), 1);
    ASSERT_EQ(table.storedRecordCount(), 2);
    EXPECT_EQ(table.storedRecord(1)[0], Value(std::int64_t{7}));
}

TEST(TableStream, LoadingRunsNoTableEvents)
{
    MemTable table;
    int events = 0;
    table.OnNewRecord = table.AfterInsert = table.BeforePost =
        table.AfterPost = [&](MemTable &) { ++events; };
    load(table, stream251(kIdNameDefinitions, kIdNameTypes, bytes({1, 2, 0, 8, 2, 1, 9, 0})), plainFormat());
    EXPECT_EQ(table.storedRecordCount(), 1);
    EXPECT_EQ(events, 0);
}

TEST(TableStream, SavingAFilteredTableWritesEveryRecordInTheCurrentOrder)
{
    MemTable table;
    table.addField("ID", FieldType::Integer);
    table.Open();
    for (int id : {2, 1, 3})
        table.appendStoredRecord({Value(std::int64_t{id})});
    table.SetFilter("ID=2");
    table.SetFiltered(true);
    table.SortOn("ID:D");
    ASSERT_EQ(table.RecordCount(), 1);

    MemTable back;
    load(back, saved(table, plainFormat()), plainFormat());
    ASSERT_EQ(back.storedRecordCount(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(back.storedRecord(i)[0], Value(std::int64_t{3 - i}));
    EXPECT_TRUE(table.Filtered());
    EXPECT_EQ(table.RecordCount(), 1);
}

TEST(TableStream, BuffersAndStreamKindsDoNotChangeTheBytes)
{
    MemTable table;
    fillEveryType(table);
    for (bool rawBlobs : {false, true}) {
        const std::string reference = saved(table, plainFormat(rawBlobs));
        TableStreamFormat large = plainFormat(rawBlobs);
        large.setBufferSize(1 << 20);
        EXPECT_EQ(saved(table, large), reference);
        TrickleStream trickleOut({});
        saveTable(large, table, trickleOut);
        EXPECT_EQ(trickleOut.toString(), reference);

        // Reading through a stream that yields a few bytes at a time gives the same table.
        TrickleStream trickleIn(reference);
        MemTable back;
        loadTable(plainFormat(rawBlobs), back, trickleIn);
        MemTable direct;
        load(direct, reference, plainFormat(rawBlobs));
        ASSERT_EQ(back.storedRecordCount(), direct.storedRecordCount());
        for (int i = 0; i < back.storedRecordCount(); ++i)
            EXPECT_EQ(back.storedRecord(i), direct.storedRecord(i));
    }
    TableStreamFormat small;
    small.setBufferSize(100);
    EXPECT_EQ(small.bufferSize(), TableStreamFormat::kMinBufferSize);
}

TEST(TableStream, PositionsFullMediaAndMissingFormats)
{
    MemTable table;
    table.addField("ID", FieldType::Integer);
    table.Open();
    table.appendStoredRecord({Value(std::int64_t{5})});
    const std::string stream = saved(table, plainFormat());

    // Saving starts at the stream's position; loading always starts at offset 0.
    MemoryStream out(std::string("XYZ"));
    out.seek(3);
    saveTable(plainFormat(), table, out);
    EXPECT_EQ(out.toString(), "XYZ" + stream);
    MemoryStream in(stream);
    in.seek(static_cast<std::int64_t>(stream.size()));
    MemTable back;
    loadTable(plainFormat(), back, in);
    EXPECT_EQ(back.storedRecordCount(), 1);

    FullStream full(stream.size() - 1);
    EXPECT_THROW(saveTable(plainFormat(), table, full), Error);
    auto format1 = makeStreamFormat1();
    FullStream fullForGzip(12);
    try {
        saveTable(*format1, table, fullForGzip);
        ADD_FAILURE() << "a cut gzip member passed for a saved table";
    } catch (const Error &e) {
        EXPECT_STREQ(e.what(), "Stream write error");
    }

    MemTable noFormat;
    const auto expectNoFormat = [](const std::function<void()> &call) {
        try {
            call();
            ADD_FAILURE() << "no error";
        } catch (const Error &e) {
            EXPECT_STREQ(e.what(), "No format specified.");
        }
    };
    MemoryStream any;
    expectNoFormat([&] { noFormat.SaveToStream(any); });
    expectNoFormat([&] { noFormat.LoadFromStream(any); });
    expectNoFormat([&] { noFormat.LoadFromFile("missing.bin"); });
}

TEST(TableStream, LoadFromFile)
{
    auto format = makeStreamFormat1();
    MemTable table;
    table.addField("NAME", FieldType::String, 20);
    table.Open();
    table.appendStoredRecord({Value(cp("Пермь"))});
    table.DefaultFormat = format.get();
    MemoryStream out;
    table.SaveToStream(out);

    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "tarvena_tablestream_test";
    std::filesystem::create_directories(dir);
    const std::filesystem::path path = dir / "table.bin";
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char *>(out.bytes().data()),
               static_cast<std::streamsize>(out.bytes().size()));
    MemTable back;
    back.DefaultFormat = format.get();
    back.LoadFromFile(path.string());
    ASSERT_EQ(back.storedRecordCount(), 1);
    EXPECT_EQ(back.storedRecord(0)[0], Value(cp("Пермь")));
    EXPECT_THROW(back.LoadFromFile((dir / "missing.bin").string()), Error);
    std::filesystem::remove_all(dir);
}
