// The table stream encoding on its own: a plain table of definitions and rows stands in for the table
// engine, so this target links the storage library alone.
#include "storage/error.h"
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
    void forEachRow(const std::function<void(const Value *, std::size_t, int)> &visit) const override
    {
        for (const auto &row : rows)
            visit(row.data(), row.size(), 0);
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
