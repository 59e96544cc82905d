// Field types and texts, lookups, and reading rows without moving the cursor.
#include "model/memtable.h"
#include "storage/error.h"

#include "tests/support/errortext.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

using namespace tarvena;

namespace {

using tarvena::testing::errorOf;

} // namespace

TEST(MemTableFields, AssignmentsConvertToTheFieldType)
{
    struct Case
    {
        const char *what;
        FieldType type;
        int size;
        Value input;
        const char *text; // AsString afterwards ("" with null)
        bool null;
        const char *error; // nullptr: no error
    };
    const std::vector<Case> cases = {
        {"string cut to size", FieldType::String, 5, std::string("abcdefgh"), "abcde", false, nullptr},
        {"empty string is not null", FieldType::String, 5, std::string(), "", false, nullptr},
        {"fixed string padded to size", FieldType::FixedChar, 3, std::string("Y"), "Y  ", false, nullptr},
        {"integer from text", FieldType::Integer, 0, std::string(" 12"), "12", false, nullptr},
        {"integer from bad text", FieldType::Integer, 0, std::string("abc"), "", true,
         "'abc' is not a valid integer value for field 'F'"},
        {"empty text empties a number", FieldType::Integer, 0, std::string(), "", true, nullptr},
        {"integer from float rounds", FieldType::Integer, 0, 2.5, "3", false, nullptr},
        {"negative half rounds away from zero", FieldType::Integer, 0, -2.5, "-3", false, nullptr},
        {"integer range", FieldType::Integer, 0, std::int64_t{3000000000}, "", true,
         "3000000000 is not a valid value for field 'F'. The allowed range is -2147483648 to 2147483647"},
        {"smallint range", FieldType::SmallInt, 0, std::int64_t{40000}, "", true,
         "40000 is not a valid value for field 'F'. The allowed range is -32768 to 32767"},
        {"largeint holds 64 bits", FieldType::LargeInt, 0, std::int64_t{1} << 40, "1099511627776", false,
         nullptr},
        {"float from text", FieldType::Float, 0, std::string("1e3"), "1000", false, nullptr},
        {"comma is not a decimal separator", FieldType::Float, 0, std::string("2,5"), "", true,
         "'2,5' is not a valid floating point value for field 'F'"},
        {"float text", FieldType::Float, 0, 0.1, "0.1", false, nullptr},
        {"date from text", FieldType::DateTime, 0, std::string("05.03.2009"), "05.03.2009", false, nullptr},
        {"bad date", FieldType::Date, 0, std::string("32.13.2009"), "", true,
         "'32.13.2009' is not a valid date and time for field 'F'"},
        {"boolean from text", FieldType::Boolean, 0, std::string("true"), "True", false, nullptr},
        {"blob keeps every byte", FieldType::Blob, 0, std::string("\0\x98\xff", 3), "\0\x98\xff", false,
         nullptr},
        {"other stream types hold text", FieldType::Guid, 0, std::string("{x}"), "{x}", false, nullptr},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        MemTable t;
        Field &f = t.addField("F", c.type, c.size);
        t.Open();
        t.Append();
        const std::string error = errorOf([&] { f.setValue(c.input); });
        EXPECT_EQ(error, c.error ? c.error : "no error");
        EXPECT_EQ(f.IsNull(), c.null);
        EXPECT_EQ(f.AsString(), std::string(c.text, c.type == FieldType::Blob ? 3 : std::strlen(c.text)));
    }
}

TEST(MemTableFields, ReadingInOtherForms)
{
    MemTable t;
    Field &i = t.addField("I", FieldType::Integer);
    Field &f = t.addField("F", FieldType::Float);
    Field &s = t.addField("S", FieldType::String, 10);
    t.Open();
    t.Append();
    EXPECT_EQ(i.AsInteger(), 0); // null reads as 0 and as empty text
    EXPECT_EQ(f.AsFloat(), 0.0);
    EXPECT_EQ(s.AsString(), "");
    f.SetAsFloat(2.5);
    EXPECT_EQ(f.AsInteger(), 3);
    s.SetAsString("x1");
    EXPECT_THROW(s.AsInteger(), Error);
    i.Assign(f); // copies the value, converted
    EXPECT_EQ(i.AsInteger(), 3);
    EXPECT_THROW(i.Assign(t.FieldByName("S")), Error);
    EXPECT_EQ(i.AsInteger(), 3); // a refused conversion leaves the value
    f.Clear();
    i.Assign(f);
    EXPECT_TRUE(i.IsNull()); // and the null state is copied too
}

TEST(MemTableFields, TextsForShowingAndEditing)
{
    MemTable t;
    Field &res = t.addField("RES", FieldType::Float);
    Field &x = t.addField("X", FieldType::Float);
    Field &name = t.addField("NAME", FieldType::String, 10);
    t.Open();
    res.DisplayFormat = "#########0.###";
    x.OnGetText = [](Field &f, std::string &text, bool display) {
        text = f.IsNull() ? "empty" : (display ? "shown " : "edited ") + f.AsString();
    };
    x.OnSetText = [](Field &f, const std::string &text) {
        if (text == "bad")
            throw Error("refused");
        f.SetAsString(text.empty() ? std::string() : text.substr(1));
    };
    t.Append();
    EXPECT_EQ(res.DisplayText(), "");
    EXPECT_EQ(x.DisplayText(), "empty"); // a text handler may show something for null
    res.SetAsFloat(0.15687);
    EXPECT_EQ(res.DisplayText(), "0.157");
    EXPECT_EQ(res.AsString(), "0.15687");
    x.SetText("#5");
    EXPECT_EQ(x.Text(), "edited 5");
    EXPECT_EQ(x.DisplayText(), "shown 5");
    EXPECT_THROW(x.SetText("bad"), Error);
    EXPECT_EQ(x.AsFloat(), 5.0);
    EXPECT_THROW(res.SetText("1,5"), Error);
    EXPECT_EQ(res.AsString(), "0.15687");
    name.SetText("abc");
    EXPECT_EQ(name.Text(), "abc");
}

TEST(MemTableFields, ValidCharsDefaultToTheNumberCharacters)
{
    MemTable t;
    Field &f = t.addField("F", FieldType::Float);
    Field &i = t.addField("I", FieldType::Integer);
    Field &s = t.addField("S", FieldType::String, 5);
    for (char c : std::string("0123456789+-Ee."))
        EXPECT_TRUE(f.IsValidChar(c)) << c;
    EXPECT_FALSE(f.IsValidChar(','));
    f.ValidChars += ',';
    EXPECT_TRUE(f.IsValidChar(','));
    EXPECT_FALSE(i.IsValidChar('.'));
    EXPECT_TRUE(i.IsValidChar('-'));
    EXPECT_TRUE(s.IsValidChar(','));
}

namespace {

// A horizon-like table whose UNIT is looked up in a dictionary view.
struct LookupTables
{
    MemTable dict{"Dict16"};
    MemTable table{"T"};
    Field *unitName = nullptr;

    LookupTables()
    {
        dict.addField("ID", FieldType::Integer);
        dict.addField("NAME", FieldType::String, 20);
        dict.addField("PARENT_ID", FieldType::Integer);
        dict.Open();
        table.addField("ID", FieldType::Integer);
        table.addField("UNIT", FieldType::Integer);
        unitName = &table.addField("_UNIT", FieldType::String, 20, StoredFieldKind::Lookup);
        unitName->KeyFields = "UNIT";
        unitName->LookupDataSet = &dict;
        unitName->LookupKeyFields = "ID";
        unitName->LookupResultField = "NAME";
        table.Open();
    }

    void addEntry(int id, const std::string &name, int parent = 0)
    {
        dict.Append();
        dict.FieldByName("ID").SetAsInteger(id);
        dict.FieldByName("NAME").SetAsString(name);
        dict.FieldByName("PARENT_ID").SetAsInteger(parent);
        dict.Post();
    }
};

} // namespace

TEST(MemTableLookup, KeyFoundMissingOrNull)
{
    LookupTables t;
    t.addEntry(0, "");
    t.addEntry(5, "five");
    t.addEntry(6, "six");
    t.table.Append();
    EXPECT_TRUE(t.unitName->IsNull()); // null key
    t.table.FieldByName("UNIT").SetAsInteger(5);
    EXPECT_EQ(t.unitName->AsString(), "five");
    t.table.FieldByName("UNIT").SetAsInteger(7);
    EXPECT_TRUE(t.unitName->IsNull()); // no such entry
    t.table.FieldByName("UNIT").SetAsInteger(0);
    EXPECT_FALSE(t.unitName->IsNull()); // the empty entry is a value
    EXPECT_EQ(t.unitName->AsString(), "");
}

TEST(MemTableLookup, FollowsChangesOfTheLookupTable)
{
    LookupTables t;
    t.addEntry(5, "five");
    t.table.Append();
    t.table.FieldByName("UNIT").SetAsInteger(5);
    t.table.Post();
    EXPECT_EQ(t.unitName->AsString(), "five");

    t.dict.Edit();
    t.dict.FieldByName("NAME").SetAsString("FIVE");
    t.dict.Post();
    EXPECT_EQ(t.unitName->AsString(), "FIVE");
    t.dict.Edit();
    t.dict.FieldByName("ID").SetAsInteger(50);
    t.dict.Post();
    EXPECT_TRUE(t.unitName->IsNull());
    t.addEntry(5, "new five");
    EXPECT_EQ(t.unitName->AsString(), "new five");
    t.dict.First();  // the record with ID 50
    t.dict.Insert(); // an earlier duplicate key wins: the first record in table order
    t.dict.FieldByName("ID").SetAsInteger(5);
    t.dict.FieldByName("NAME").SetAsString("first five");
    t.dict.Post();
    EXPECT_EQ(t.unitName->AsString(), "first five");
    t.dict.Delete();
    EXPECT_EQ(t.unitName->AsString(), "new five");
    t.dict.EmptyTable();
    EXPECT_TRUE(t.unitName->IsNull());
}

TEST(MemTableLookup, SeesEveryEntryWhateverTheLookupTablesFilter)
{
    // A picker narrows the shared view; names shown elsewhere must not go blank meanwhile.
    LookupTables t;
    t.addEntry(5, "five", 1);
    t.addEntry(6, "six", 2);
    t.dict.SetFilter("PARENT_ID=2");
    t.dict.SetFiltered(true);
    t.table.Append();
    t.table.FieldByName("UNIT").SetAsInteger(5);
    EXPECT_EQ(t.unitName->AsString(), "five");
}

TEST(MemTableRows, ValueAtComputesOtherRowsWithoutScrolling)
{
    MemTable t{"T"};
    t.addField("N", FieldType::Integer);
    t.addField("TWICE", FieldType::Integer, 0, StoredFieldKind::Calculated);
    t.addField("TEXT", FieldType::String, 20, StoredFieldKind::Calculated).OnGetText =
        [](Field &f, std::string &text, bool) { text = "<" + f.AsString() + ">"; };
    t.Open();
    for (int n : {1, 2, 3}) {
        t.Append();
        t.FieldByName("N").SetAsInteger(n);
        t.Post();
    }
    int calcs = 0;
    int scrolls = 0;
    t.OnCalcFields = [&](MemTable &m) {
        ++calcs;
        const int n = m.FieldByName("N").AsInteger();
        m.FieldByName("TWICE").SetAsInteger(2 * n);
        m.FieldByName("TEXT").SetAsString("n" + std::to_string(n));
    };
    t.AfterScroll = [&](MemTable &) { ++scrolls; };
    t.First();
    scrolls = 0;
    calcs = 0;
    const Field &twice = t.FieldByName("TWICE");
    EXPECT_EQ(std::get<std::int64_t>(t.valueAt(2, twice)), 6);
    EXPECT_EQ(t.displayTextAt(2, t.FieldByName("TEXT")), "<n3>");
    EXPECT_EQ(std::get<std::int64_t>(t.valueAt(1, twice)), 4);
    EXPECT_EQ(std::get<std::int64_t>(t.valueAt(0, twice)), 2);
    EXPECT_TRUE(isNull(t.valueAt(3, twice)));
    EXPECT_EQ(scrolls, 0);
    EXPECT_EQ(t.RecNo(), 1);
    EXPECT_EQ(twice.AsInteger(), 2);
    EXPECT_EQ(calcs, 2); // rows 3 and 2, each once; row 1 is the current record, already computed

    // A handler that changes stored data while computing is refused.
    t.OnCalcFields = [](MemTable &m) { m.FieldByName("N").SetAsInteger(0); };
    EXPECT_THROW(t.valueAt(2, twice), Error);
    t.Edit();
    EXPECT_THROW(t.FieldByName("N").SetAsInteger(9), Error);
}

TEST(MemTableRows, ValueAtShowsTheRecordBeingEdited)
{
    MemTable t;
    Field &n = t.addField("N", FieldType::Integer);
    t.Open();
    for (int v : {1, 2}) {
        t.Append();
        n.SetAsInteger(v);
        t.Post();
    }
    t.Last();
    t.Edit();
    n.SetAsInteger(20);
    EXPECT_EQ(std::get<std::int64_t>(t.valueAt(1, n)), 20);
    EXPECT_EQ(std::get<std::int64_t>(t.valueAt(0, n)), 1);
    t.Append(); // the edit is posted; the new record is not a row until it is posted
    EXPECT_EQ(t.RecordCount(), 2);
    EXPECT_EQ(t.RecNo(), 0);
    EXPECT_EQ(std::get<std::int64_t>(t.valueAt(1, n)), 20);
}
