// SortOn: field lists, modifiers, Russian text order, computed keys, and records added later.
#include "model/memtable.h"
#include "storage/codepage.h"
#include "storage/error.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace tarvena;

namespace {

std::string cp(const char *utf8)
{
    return codepage::utf8ToCp1251(utf8);
}

struct SortTable
{
    MemTable dict{"DICT"};
    MemTable table{"T"};

    SortTable()
    {
        dict.addField("ID", FieldType::Integer);
        dict.addField("ORD", FieldType::Integer);
        dict.Open();
        table.addField("ID", FieldType::Integer);
        table.addField("NAME", FieldType::String, 20);
        table.addField("N", FieldType::Integer);
        Field &ord = table.addField("_ORD", FieldType::Integer, 0, StoredFieldKind::Lookup);
        ord.KeyFields = "N";
        ord.LookupDataSet = &dict;
        ord.LookupKeyFields = "ID";
        ord.LookupResultField = "ORD";
        table.addField("NEG", FieldType::Integer, 0, StoredFieldKind::Calculated);
        table.OnCalcFields = [](MemTable &t) {
            Field &n = t.FieldByName("N");
            if (!n.IsNull())
                t.FieldByName("NEG").SetAsInteger(-n.AsInteger());
        };
        table.Open();
    }

    void add(int id, const std::string &name, const Value &n = Value{})
    {
        table.Append();
        table.FieldByName("ID").SetAsInteger(id);
        table.FieldByName("NAME").SetAsString(name);
        table.FieldByName("N").setValue(n);
        table.Post();
    }

    std::vector<int> ids()
    {
        std::vector<int> result;
        for (int row = 0; row < table.RecordCount(); ++row)
            result.push_back(
                static_cast<int>(std::get<std::int64_t>(table.valueAt(row, table.FieldByName("ID")))));
        return result;
    }
};

} // namespace

TEST(MemTableSort, FieldListsAndModifiers)
{
    SortTable t;
    t.add(1, "b", std::int64_t{2});
    t.add(2, "A", std::int64_t{1});
    t.add(3, "a", std::int64_t{2});
    t.add(4, "B", Value{});
    struct Case
    {
        const char *fields;
        std::vector<int> expected;
    };
    const std::vector<Case> cases = {
        {"NAME", {3, 2, 1, 4}},      // a small letter right before its capital
        {"NAME:C", {2, 3, 1, 4}},    // case folded: equal names keep table order
        {"name:D", {4, 1, 2, 3}},    // descending
        {"NAME:desc", {1, 4, 2, 3}}, // the grids' form: descending and case-insensitive
        {"N", {4, 2, 1, 3}},         // null first, then numbers; equal numbers keep table order
        {"N:D;NAME", {3, 1, 2, 4}},  // several keys
        {" N : cd ; NAME : d ", {1, 3, 2, 4}},
        {"", {1, 2, 3, 4}}, // table order again
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.fields);
        t.table.SortOn(c.fields);
        EXPECT_EQ(t.ids(), c.expected);
    }
    EXPECT_THROW(t.table.SortOn("NAME;NOPE"), Error);
}

TEST(MemTableSort, RussianTextOrder)
{
    SortTable t;
    const std::vector<const char *> names = {"ж", "Ё", "Е", "z", "ё", "е", "Я", "1", "а"};
    for (std::size_t i = 0; i < names.size(); ++i)
        t.add(static_cast<int>(i), cp(names[i]));
    t.table.SortOn("NAME");
    std::vector<std::string> sorted;
    for (t.table.First(); !t.table.Eof(); t.table.Next())
        sorted.push_back(codepage::cp1251ToUtf8(t.table.FieldByName("NAME").AsString()));
    EXPECT_EQ(sorted, (std::vector<std::string>{"1", "z", "а", "е", "Е", "ё", "Ё", "ж", "Я"}));
}

TEST(MemTableSort, LookupAndCalculatedFieldsSortByTheirValues)
{
    SortTable t;
    for (auto [id, ord] : {std::pair{10, 3}, {20, 1}, {30, 2}}) {
        t.dict.Append();
        t.dict.FieldByName("ID").SetAsInteger(id);
        t.dict.FieldByName("ORD").SetAsInteger(ord);
        t.dict.Post();
    }
    t.add(1, "x", std::int64_t{10});
    t.add(2, "y", std::int64_t{20});
    t.add(3, "z", std::int64_t{30});
    t.add(4, "w", std::int64_t{99}); // no dictionary entry: the lookup is null
    t.table.SortOn("_ORD");
    EXPECT_EQ(t.ids(), (std::vector<int>{4, 2, 3, 1}));
    t.table.SortOn("_ord:D");
    EXPECT_EQ(t.ids(), (std::vector<int>{1, 3, 2, 4}));
    t.table.SortOn("NEG");
    EXPECT_EQ(t.ids(), (std::vector<int>{4, 3, 2, 1}));
}

TEST(MemTableSort, RecordsAddedOrChangedLaterTakeTheirSortPosition)
{
    SortTable t;
    for (int id : {1, 2, 3})
        t.add(id, std::string(1, static_cast<char>('a' + 2 * id))); // c, e, g
    t.table.SortOn("NAME");
    t.add(4, "f");
    t.add(5, "a");
    EXPECT_EQ(t.ids(), (std::vector<int>{5, 1, 2, 4, 3}));
    EXPECT_EQ(t.table.FieldByName("ID").AsInteger(), 5); // the cursor stays on the posted record
    EXPECT_EQ(t.table.RecNo(), 1);

    // Insert takes its sort place; in table order it stands before the record that was current.
    ASSERT_TRUE(t.table.Locate("ID", std::int64_t{2}));
    t.table.Insert();
    t.table.FieldByName("ID").SetAsInteger(6);
    t.table.FieldByName("NAME").SetAsString("z");
    t.table.Post();
    EXPECT_EQ(t.ids(), (std::vector<int>{5, 1, 2, 4, 3, 6}));

    ASSERT_TRUE(t.table.Locate("ID", std::int64_t{1}));
    t.table.Edit();
    t.table.FieldByName("NAME").SetAsString("y");
    t.table.Post();
    EXPECT_EQ(t.ids(), (std::vector<int>{5, 2, 4, 3, 1, 6}));
    EXPECT_EQ(t.table.RecNo(), 5);

    // Saving writes the current (sort) order; an empty list restores table order.
    std::vector<std::int64_t> saved;
    t.table.forEachStoredInOrder(
        [&](const std::vector<Value> &v, int) { saved.push_back(std::get<std::int64_t>(v[0])); });
    EXPECT_EQ(saved, (std::vector<std::int64_t>{5, 2, 4, 3, 1, 6}));
    t.table.SortOn("");
    EXPECT_EQ(t.ids(), (std::vector<int>{1, 6, 2, 3, 4, 5}));
}

TEST(MemTableSort, SortOnPostsThePendingEdit)
{
    SortTable t;
    t.add(1, "b");
    t.add(2, "c");
    t.table.First();
    t.table.Edit();
    t.table.FieldByName("NAME").SetAsString("d");
    t.table.SortOn("NAME");
    EXPECT_EQ(t.table.State(), TableState::Browse);
    EXPECT_EQ(t.ids(), (std::vector<int>{2, 1}));
}
