// The table stream encoding on its own: a plain table of definitions and rows stands in for the table
// engine, so this target links the storage library alone.
#include "storage/error.h"
#include "storage/gzip.h"
#include "storage/gzipformat.h"
#include "storage/stream.h"
#include "storage/tablestream.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace tarvena;

namespace {

// Definitions and rows, nothing else: what the stream carries.
struct PlainTable : TableStreamSource, TableStreamTarget
{
    std::vector<StreamFieldDefinition> fields;
    std::vector<std::vector<Value>> rows;

    std::vector<StreamFieldDefinition> definitions() const override { return fields; }
    std::vector<StreamColumn> columns() const override
    {
        std::vector<StreamColumn> result;
        for (std::size_t i = 0; i < fields.size(); ++i)
            result.push_back({i, fields[i].type});
        return result;
    }
    struct Row : StreamRow
    {
        const std::vector<Value> &values;
        explicit Row(const std::vector<Value> &v) : values(v) {}
        bool isNull(std::size_t i) const override { return i >= values.size() || tarvena::isNull(values[i]); }
        const std::string *bytes(std::size_t i) const override
        {
            return std::get_if<std::string>(&values[i]);
        }
        Value value(std::size_t i) const override { return values[i]; }
        int status() const override { return 0; }
    };
    void forEachRow(const std::function<void(const StreamRow &)> &visit) const override
    {
        for (const auto &row : rows)
            visit(Row(row));
    }
    std::int64_t integerOf(const Value &) const override { return 0; }
    double floatOf(const Value &) const override { return 0; }
    std::string textOf(const Value &) const override { return {}; }

    void clearFields() override
    {
        fields.clear();
        rows.clear();
    }
    void addField(const StreamFieldDefinition &definition) override { fields.push_back(definition); }
    void beginRows() override {}
    std::size_t valueCount() const override { return fields.size(); }
    void reserveRows(std::size_t) override {}
    void appendRow(std::vector<Value> values, int) override { rows.push_back(std::move(values)); }
};

std::string bytes(std::initializer_list<int> list)
{
    std::string s;
    for (int b : list)
        s.push_back(static_cast<char>(b));
    return s;
}

std::string text(std::string_view s)
{
    return bytes({6, static_cast<int>(s.size())}) + std::string(s);
}

// The worked example: one required integer field ID and the given rows.
std::string idStream(const std::string &rows)
{
    return "TPF0" + bytes({3, 0xFB, 0, 1}) + text("ID") + text("Integer") + bytes({2, 0}) + text("ID") +
           text("") + bytes({2, 0x0A, 9, 8}) + text("Data") + text("") +
           bytes({0, 1, 0, 1, 2, 1, 2, 3, 0, 1}) + rows + bytes({0});
}

} // namespace

TEST(TableStreamFormat, WorkedExampleWithoutTheTableEngine)
{
    PlainTable table;
    StreamFieldDefinition id;
    id.name = "ID";
    id.type = FieldType::Integer;
    id.required = true;
    table.fields = {id};
    table.rows = {{Value(std::int64_t{5})}, {Value()}};
    const std::string expected = idStream(bytes({1, 2, 0, 8, 2, 5, 0}) + bytes({1, 2, 0, 9, 0}));

    TableStreamFormat format;
    MemoryStream out;
    format.save(table, out);
    EXPECT_EQ(out.toString(), expected);

    PlainTable back;
    MemoryStream in(expected);
    format.load(back, in);
    ASSERT_EQ(back.fields.size(), 1u);
    EXPECT_EQ(back.fields[0].name, "ID");
    EXPECT_TRUE(back.fields[0].required);
    EXPECT_EQ(back.fields[0].label, ""); // equal to the name: unset
    EXPECT_EQ(back.fields[0].displayWidth, 0);
    EXPECT_EQ(back.rows, table.rows);
}

namespace {

// Counts what a reader takes from the bytes under it.
class CountingStream : public MemoryStream
{
public:
    explicit CountingStream(std::string bytes) : MemoryStream(bytes) {}
    std::size_t read(void *buffer, std::size_t count) override
    {
        const std::size_t n = MemoryStream::read(buffer, count);
        taken += n;
        return n;
    }
    std::size_t taken = 0;
};

// Bytes made up as they are read: a prefix, then filler up to size.
class GeneratedStream : public Stream
{
public:
    GeneratedStream(std::string prefix, char filler, std::size_t size)
        : mPrefix(std::move(prefix)), mFiller(filler), mSize(size)
    {}
    std::size_t read(void *buffer, std::size_t count) override
    {
        auto *out = static_cast<char *>(buffer);
        const std::size_t n = std::min(count, mSize - mPosition);
        for (std::size_t i = 0; i < n; ++i, ++mPosition)
            out[i] = mPosition < mPrefix.size() ? mPrefix[mPosition] : mFiller;
        return n;
    }
    std::size_t write(const void *, std::size_t) override { return 0; }
    std::int64_t position() const override { return static_cast<std::int64_t>(mPosition); }
    void seek(std::int64_t position) override { mPosition = static_cast<std::size_t>(position); }
    std::int64_t size() const override { return static_cast<std::int64_t>(mSize); }

private:
    std::string mPrefix;
    char mFiller;
    std::size_t mSize;
    std::size_t mPosition = 0;
};

std::string gzipOf(Stream &content)
{
    MemoryStream packed;
    EXPECT_EQ(TGzip().Compress(content, packed), TGzip::Ok);
    return packed.toString();
}

std::string loadError(const TableStreamFormat &format, Stream &in)
{
    PlainTable table;
    try {
        format.load(table, in);
    } catch (const Error &e) {
        return e.what();
    }
    return "no error";
}

} // namespace

// Compressed table streams that inflate to far more than a table: the reader parses the content as it
// inflates, so zeros fail at their first bytes, and no block may inflate beyond its bound.
TEST(TableStreamFormat, DecompressionBombsEndEarly)
{
    const auto format = makeStreamFormat1();
    GeneratedStream zeros({}, '\0', std::size_t{16} << 20);
    const std::string member = gzipOf(zeros);
    std::string members; // 16 members, 256 MB of zeros
    for (int i = 0; i < 16; ++i)
        members += member;
    CountingStream bomb(members);
    EXPECT_EQ(loadError(*format, bomb), "Invalid stream format");
    EXPECT_LE(bomb.taken, std::size_t{64} << 10) << "of " << members.size();

    // A table stream whose one text claims 64 MB and has them: beyond what its block may inflate to.
    const std::string prefix = "TPF0" + bytes({3, 0xFB, 0, 1}) + text("T") + text("String") + bytes({2, 0}) +
                               text("T") + text("") + bytes({2, 0, 8, 8}) + text("Data") + text("") +
                               bytes({0, 1, 0, 1, 2, 1, 2, 1, 0}) + bytes({1, 1, 2, 0, 8, 12, 0, 0, 0, 4});
    GeneratedStream longText(prefix, 'A', prefix.size() + (std::size_t{64} << 20));
    MemoryStream packed(gzipOf(longText));
    const std::string error = loadError(*format, packed);
    EXPECT_NE(error.find("после распаковки превышает"), std::string::npos) << error;
}
