// The data module's creation: dictionary files, views, coordinate systems, the first passport record.
#include "model/datamodule.h"
#include "storage/codepage.h"
#include "storage/error.h"
#include "storage/gzip.h"
#include "storage/stream.h"
#include "storage/tablestream.h"
#include "tests/support/samplepassport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <unistd.h>

using namespace tarvena;
using tarvena::testing::cp;

namespace {

namespace fs = std::filesystem;

std::vector<std::string> column(MemTable &table, const char *field)
{
    std::vector<std::string> values;
    for (table.First(); !table.Eof(); table.Next())
        values.push_back(table.FieldByName(field).AsString());
    return values;
}

class DictionaryFilesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        mDir = fs::temp_directory_path() / ("tarvena-dicts-" + std::to_string(::getpid()));
        fs::remove_all(mDir);
        fs::create_directories(mDir);
    }
    void TearDown() override { fs::remove_all(mDir); }

    // Writes a dictionary file of rows {ID, GROUP_ID, NAME, PARENT_ID, ALTORDER}, compressed or not.
    void writeDictionaries(const std::vector<std::vector<Value>> &rows, bool compressed)
    {
        MemTable table("DICTIONARYS");
        table.addField("ID", FieldType::Integer);
        table.addField("GROUP_ID", FieldType::Integer);
        table.addField("NAME", FieldType::String, 128);
        table.addField("PARENT_ID", FieldType::Integer);
        table.addField("ALTORDER", FieldType::Integer);
        table.Open();
        for (const auto &row : rows)
            table.appendStoredRecord(row);
        save(table, "DICTIONARYS.BIN", compressed);
    }
    void writeGroups(const std::vector<std::pair<int, std::string>> &groups)
    {
        MemTable table("Groups");
        table.addField("ID", FieldType::Integer);
        table.addField("USE_ALTORDER", FieldType::FixedChar, 1);
        table.Open();
        for (const auto &[id, alt] : groups)
            table.appendStoredRecord({Value(std::int64_t(id)), Value(alt)});
        save(table, "GROUPS.BIN", true);
    }
    void save(MemTable &table, const char *name, bool compressed)
    {
        auto format = compressed ? makeStreamFormat1() : makeStreamFormat2();
        table.DefaultFormat = format.get();
        MemoryStream out;
        table.SaveToStream(out);
        std::ofstream(mDir / name, std::ios::binary)
            .write(reinterpret_cast<const char *>(out.bytes().data()),
                   static_cast<std::streamsize>(out.bytes().size()));
    }

    fs::path mDir;
};

Value num(std::int64_t v)
{
    return Value(v);
}

TEST_F(DictionaryFilesTest, ViewsTakeTheirGroupsSortsAndEmptyEntry)
{
    writeDictionaries({{num(10), num(3), Value(cp("Пермский край")), num(0), num(2)},
                       {num(11), num(3), Value(cp("Алтайский край")), num(2), num(1)},
                       {num(12), num(16), Value(std::string("J2")), num(0), num(5)},
                       {num(13), num(16), Value(std::string("J1")), num(0), num(7)},
                       {num(14), num(16), Value(std::string("K1")), num(0), num(-1)},
                       {num(15), num(0), Value(std::string("no group")), num(0), num(0)},
                       {num(16), num(25), Value(std::string("no group")), num(0), num(0)},
                       {num(17), Value(), Value(std::string("no group")), num(0), num(0)},
                       {num(18), num(3), Value(cp("Забытый край")), Value(), num(0)},
                       {num(19), num(7), Value(std::string("b")), num(0), num(0)},
                       {num(20), num(7), Value(std::string("a")), num(0), num(0)}},
                      false);
    writeGroups({{3, "N"}, {16, "Y"}, {30, "Y"}, {20, "y"}});
    TDataModule2 dm;
    dm.DataModuleCreate(mDir.string());

    // Group 3: sorted by name, filtered to top-level entries; the null parent never shows.
    EXPECT_EQ(column(dm.dict(3), "NAME"), (std::vector<std::string>{"", cp("Пермский край")}));
    dm.dict(3).SetFiltered(false);
    EXPECT_EQ(column(dm.dict(3), "NAME"),
              (std::vector<std::string>{"", cp("Алтайский край"), cp("Забытый край"), cp("Пермский край")}));
    EXPECT_TRUE(dm.dict(3).ReadOnly);
    // Group 16: by ALTORDER, a negative order before the empty entry.
    EXPECT_EQ(column(dm.dict(16), "NAME"), (std::vector<std::string>{"K1", "", "J2", "J1"}));
    // Group 7 has no row in GROUPS.BIN: file order, writable.
    EXPECT_EQ(column(dm.dict(7), "NAME"), (std::vector<std::string>{"", "b", "a"}));
    EXPECT_FALSE(dm.dict(7).ReadOnly);
    // A group listed without entries stays empty.
    EXPECT_EQ(dm.dict(20).RecordCount(), 0);

    EXPECT_EQ(column(dm.TCoords, "ID"), (std::vector<std::string>{"0", "1", "2", "3", "4"}));
    EXPECT_TRUE(dm.TCoords.ReadOnly);
    EXPECT_EQ(dm.PASPORTS.State(), TableState::Insert);
    EXPECT_EQ(dm.PASPORTS.FieldByName("ID").AsInteger(), -1);
    EXPECT_TRUE(dm.PassportFileName.empty());
}

TEST_F(DictionaryFilesTest, MissingOrDamagedFileIsAnErrorNamingIt)
{
    writeGroups({{1, "N"}});
    struct Case
    {
        const char *name;
        std::string bytes; // empty: no file at all
    };
    for (const Case &c : {Case{"missing", ""}, Case{"not a table stream", "garbage"},
                          Case{"cut gzip", gzipBytes(std::string(100, 'x')).substr(0, 15)}}) {
        SCOPED_TRACE(c.name);
        fs::remove(mDir / "DICTIONARYS.BIN");
        if (!c.bytes.empty())
            std::ofstream(mDir / "DICTIONARYS.BIN", std::ios::binary) << c.bytes;
        TDataModule2 dm;
        try {
            dm.DataModuleCreate(mDir.string());
            ADD_FAILURE() << "created";
        } catch (const Error &e) {
            EXPECT_NE(std::string(e.what()).find("DICTIONARYS.BIN"), std::string::npos) << e.what();
        }
    }
}

TEST_F(DictionaryFilesTest, AnEntryTheViewsRefuseLeavesTheDictionaryTableHeard)
{
    // A view's ID is required: an entry without one stops the fill in the middle of the walk.
    writeDictionaries({{num(10), num(3), Value(std::string("a")), num(0), num(0)},
                       {Value(), num(3), Value(std::string("b")), num(0), num(0)}},
                      false);
    writeGroups({{3, "N"}});
    TDataModule2 dm;
    EXPECT_THROW(dm.DataModuleCreate(mDir.string()), Error);
    EXPECT_FALSE(dm.DICTIONARYS.ControlsDisabled());
}

TEST(ShippedDictionaryViews, FixedKeysAndViews)
{
    TDataModule2 dm;
    dm.DataModuleCreate(tarvena::testing::dictionaryDir());
    struct Key
    {
        int group;
        int id;
    };
    for (const Key key : {Key{5, 89}, Key{5, 92}, Key{8, 108}, Key{18, 397}, Key{18, 398}, Key{18, 399},
                          Key{18, 401}, Key{18, 886}}) {
        SCOPED_TRACE(key.id);
        MemTable &view = dm.dict(key.group);
        EXPECT_TRUE(view.Locate("ID", Value(std::int64_t(key.id))));
        EXPECT_FALSE(view.FieldByName("NAME").AsString().empty());
    }
    for (int n = 1; n <= 19; ++n) {
        SCOPED_TRACE(n);
        MemTable &view = dm.dict(n);
        view.First();
        ASSERT_FALSE(view.Eof());
        EXPECT_EQ(view.FieldByName("ID").AsInteger(), 0);
        EXPECT_EQ(view.FieldByName("NAME").AsString(), "");
    }
    EXPECT_EQ(dm.dict(1).RecordCount(), 9); // the empty entry and eight federal districts

    // Group 16 is in stratigraphic order.
    MemTable &strat = dm.dict(16);
    int previous = -1000000;
    for (strat.First(); !strat.Eof(); strat.Next()) {
        const int order = strat.FieldByName("ALTORDER").AsInteger();
        EXPECT_LE(previous, order);
        previous = order;
    }

    // Choosing a federal district narrows the republics to its own.
    MemTable &districts = dm.dict(1);
    ASSERT_TRUE(districts.Locate("NAME", Value(cp("Приволжский федеральный округ"))));
    const int district = districts.FieldByName("ID").AsInteger();
    dm.PASPORTS.FieldByName("FEDERALOKRUG_ID").SetAsInteger(district);
    MemTable &republics = dm.dict(2);
    EXPECT_TRUE(republics.Filtered());
    std::vector<std::string> names = column(republics, "NAME");
    EXPECT_EQ(names.front(), "");
    EXPECT_NE(std::find(names.begin(), names.end(), cp("Республика Татарстан")), names.end());
    EXPECT_EQ(std::find(names.begin(), names.end(), cp("Республика Карелия")), names.end());
    for (republics.First(); !republics.Eof(); republics.Next()) {
        const int parent = republics.FieldByName("PARENT_ID").AsInteger();
        EXPECT_TRUE(parent == district || republics.FieldByName("ID").AsInteger() == 0);
    }
}

} // namespace
