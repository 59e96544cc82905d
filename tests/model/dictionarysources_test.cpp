#include "model/dictionarysources.h"

#include "model/memtable.h"
#include "storage/codepage.h"
#include "storage/error.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace tarvena {
namespace {

namespace fs = std::filesystem;

// The sources in the repository, beside tests/ (resolved by name: tests/data need not exist).
std::string shippedDir()
{
    return (fs::path(TARVENA_TEST_DATA_DIR).parent_path().parent_path() / "data" / "dictionaries").string();
}

// One DICTIONARYS row with its texts back in UTF-8.
struct Entry
{
    int id = 0;
    int group = 0;
    std::optional<int> parent;
    std::optional<int> altOrder;
    std::optional<std::string> name;
};

std::optional<int> optionalInt(const Field &field)
{
    return field.IsNull() ? std::nullopt : std::optional<int>(field.AsInteger());
}

std::optional<std::string> optionalText(const Field &field)
{
    return field.IsNull() ? std::nullopt
                          : std::optional<std::string>(codepage::cp1251ToUtf8(field.AsString()));
}

std::vector<Entry> entriesOf(MemTable &table)
{
    std::vector<Entry> entries;
    for (table.First(); !table.Eof(); table.Next()) {
        entries.push_back({table.FieldByName("ID").AsInteger(), table.FieldByName("GROUP_ID").AsInteger(),
                           optionalInt(table.FieldByName("PARENT_ID")),
                           optionalInt(table.FieldByName("ALTORDER")),
                           optionalText(table.FieldByName("NAME"))});
    }
    return entries;
}

struct GroupRow
{
    int id = 0;
    std::optional<std::string> name;
    std::optional<int> parent;
    std::optional<std::string> useAltOrder;
};

std::vector<GroupRow> groupsOf(MemTable &table)
{
    std::vector<GroupRow> rows;
    for (table.First(); !table.Eof(); table.Next()) {
        rows.push_back({table.FieldByName("ID").AsInteger(), optionalText(table.FieldByName("GROUPNAME")),
                        optionalInt(table.FieldByName("PARENT_ID")),
                        optionalText(table.FieldByName("USE_ALTORDER"))});
    }
    return rows;
}

// The sources that ship with the program, read once per test.
class ShippedDictionaries : public ::testing::Test
{
protected:
    void SetUp() override
    {
        readDictionarySources(shippedDir(), mDictionarys, mGroups);
        entries = entriesOf(mDictionarys);
        groups = groupsOf(mGroups);
        for (const Entry &entry : entries)
            byId[entry.id] = entry;
    }

    std::vector<Entry> inGroup(int group) const
    {
        std::vector<Entry> result;
        std::copy_if(entries.begin(), entries.end(), std::back_inserter(result),
                     [group](const Entry &e) { return e.group == group; });
        return result;
    }

    std::vector<Entry> entries;
    std::vector<GroupRow> groups;
    std::map<int, Entry> byId;

private:
    MemTable mDictionarys{"DICTIONARYS"};
    MemTable mGroups{"Groups"};
};

TEST_F(ShippedDictionaries, GroupsListEveryViewWithItsOrderAndParentGroup)
{
    const std::map<int, int> parentGroup = {{2, 1}, {3, 1}, {4, 1}, {12, 11}, {13, 12}, {16, 19}};
    ASSERT_EQ(groups.size(), 24u);
    for (int n = 1; n <= 24; ++n) {
        const GroupRow &row = groups[static_cast<std::size_t>(n - 1)];
        SCOPED_TRACE(n);
        EXPECT_EQ(row.id, n);
        EXPECT_TRUE(row.name.has_value());
        EXPECT_EQ(row.useAltOrder, std::optional<std::string>(n == 16 || n == 19 ? "Y" : "N"));
        const auto parent = parentGroup.find(n);
        EXPECT_EQ(row.parent, std::optional<int>(parent == parentGroup.end() ? 0 : parent->second));
    }
}

TEST_F(ShippedDictionaries, KeysTheRulesTestSitInTheirGroups)
{
    struct Key
    {
        int id;
        int group;
        const char *name;
    };
    const Key keys[] = {
        {89, 5, "Сейсморазведка МОГТ 2D/3D"},
        {92, 5, "Другой геофизический метод"},
        {108, 8, "Взрывной"},
        {397, 18, "нефть"},
        {398, 18, "газ"},
        {399, 18, "нефть и газ"},
        {401, 18, "газоконденсат"},
        {886, 18, "нефть, газ и конденсат"},
    };
    for (const Key &key : keys) {
        SCOPED_TRACE(key.id);
        ASSERT_TRUE(byId.count(key.id));
        EXPECT_EQ(byId[key.id].group, key.group);
        EXPECT_EQ(byId[key.id].name, std::optional<std::string>(key.name));
    }
    // A hydrocarbon type outside the rules' key sets would show on none of the resource pages.
    std::set<int> hydrocarbons;
    for (const Entry &entry : inGroup(18))
        hydrocarbons.insert(entry.id);
    EXPECT_EQ(hydrocarbons, (std::set<int>{397, 398, 399, 401, 886}));
    for (int group : {1, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 19})
        EXPECT_FALSE(inGroup(group).empty()) << "group " << group;
}

TEST_F(ShippedDictionaries, NamesArePresentAndDistinctWithinAGroup)
{
    std::set<std::pair<int, std::string>> seen;
    for (const Entry &entry : entries) {
        SCOPED_TRACE(entry.id);
        ASSERT_TRUE(entry.name.has_value());
        EXPECT_TRUE(seen.insert({entry.group, *entry.name}).second) << *entry.name;
    }
}

TEST_F(ShippedDictionaries, ParentsPointIntoTheParentGroup)
{
    std::map<int, int> parentGroup;
    for (const GroupRow &row : groups)
        parentGroup[row.id] = row.parent.value_or(0);
    // Oil and gas areas that belong to no province stand at the top level.
    const std::set<int> mayStandAlone = {12};
    for (const Entry &entry : entries) {
        SCOPED_TRACE(entry.id);
        // A null parent would hide the entry from the views filtered by "PARENT_ID=0" as well.
        ASSERT_TRUE(entry.parent.has_value());
        const int wanted = parentGroup[entry.group];
        if (wanted == 0) {
            EXPECT_EQ(*entry.parent, 0);
            continue;
        }
        if (*entry.parent == 0) {
            EXPECT_TRUE(mayStandAlone.count(entry.group));
            continue;
        }
        ASSERT_TRUE(byId.count(*entry.parent));
        EXPECT_EQ(byId[*entry.parent].group, wanted);
    }
}

TEST_F(ShippedDictionaries, EverySubjectOfTheFederationBelongsToADistrict)
{
    std::map<int, int> subjectsPerDistrict;
    for (int group : {2, 3, 4}) {
        for (const Entry &entry : inGroup(group))
            ++subjectsPerDistrict[*entry.parent];
    }
    ASSERT_EQ(inGroup(1).size(), 8u);
    int total = 0;
    for (const Entry &district : inGroup(1)) {
        EXPECT_GT(subjectsPerDistrict[district.id], 0) << *district.name;
        total += subjectsPerDistrict[district.id];
    }
    EXPECT_EQ(total, 89);
}

TEST_F(ShippedDictionaries, MainProvincesHaveAreasWithDistricts)
{
    for (const char *province : {"Западно-Сибирская", "Тимано-Печорская", "Волго-Уральская"}) {
        SCOPED_TRACE(province);
        const auto found = std::find_if(entries.begin(), entries.end(),
                                        [&](const Entry &e) { return e.group == 11 && e.name == province; });
        ASSERT_NE(found, entries.end());
        int districts = 0;
        for (const Entry &area : inGroup(12)) {
            if (area.parent != found->id)
                continue;
            for (const Entry &district : inGroup(13))
                districts += district.parent == area.id;
        }
        EXPECT_GT(districts, 0);
    }
}

TEST_F(ShippedDictionaries, StratigraphicIndicesFollowTheirSystemsInOrder)
{
    std::set<int> systemOrders;
    for (const Entry &system : inGroup(19)) {
        ASSERT_TRUE(system.altOrder.has_value());
        EXPECT_TRUE(systemOrders.insert(*system.altOrder).second) << *system.name;
    }

    std::vector<Entry> indices = inGroup(16);
    std::set<int> indexOrders;
    for (const Entry &index : indices) {
        SCOPED_TRACE(*index.name);
        ASSERT_TRUE(index.altOrder.has_value());
        EXPECT_TRUE(indexOrders.insert(*index.altOrder).second);
        // The passport's own unit fields hold 64 characters.
        EXPECT_LE(index.name->size(), 64u);
    }
    std::sort(indices.begin(), indices.end(),
              [](const Entry &a, const Entry &b) { return a.altOrder < b.altOrder; });
    // Sorted by ALTORDER, the indices run through the systems in the systems' own order, each system once.
    std::vector<int> systemsInIndexOrder;
    for (const Entry &index : indices) {
        const int system = *index.parent;
        if (systemsInIndexOrder.empty() || systemsInIndexOrder.back() != system)
            systemsInIndexOrder.push_back(system);
    }
    std::vector<Entry> systems = inGroup(19);
    std::sort(systems.begin(), systems.end(),
              [](const Entry &a, const Entry &b) { return a.altOrder < b.altOrder; });
    std::vector<int> systemIds;
    for (const Entry &system : systems)
        systemIds.push_back(system.id);
    EXPECT_EQ(systemsInIndexOrder, systemIds);
    // Young to old: the Lower Cretaceous comes before the Upper Jurassic.
    const auto orderOf = [&](const char *name) {
        const auto found =
            std::find_if(indices.begin(), indices.end(), [&](const Entry &e) { return e.name == name; });
        return found == indices.end() ? std::nullopt : found->altOrder;
    };
    ASSERT_TRUE(orderOf("K1") && orderOf("J3"));
    EXPECT_LT(*orderOf("K1"), *orderOf("J3"));
}

// A scratch folder of sources for one test.
class SourceFolder
{
public:
    SourceFolder()
    {
        std::random_device random;
        mPath = fs::temp_directory_path() / ("tarvena-dictionary-sources-" + std::to_string(random()));
        fs::create_directories(mPath);
    }
    ~SourceFolder()
    {
        std::error_code ignored;
        fs::remove_all(mPath, ignored);
    }
    void write(const std::string &name, const std::optional<std::string> &content) const
    {
        if (!content) {
            fs::remove(mPath / name);
            return;
        }
        std::ofstream out(mPath / name, std::ios::binary);
        out << *content;
    }
    std::string path() const { return mPath.string(); }

private:
    fs::path mPath;
};

const std::string kHeader = "ID\tNAME\tPARENT_ID\tALTORDER\n";
const std::string kGroupsHeader = "ID\tGROUPNAME\tPARENT_ID\tUSE_ALTORDER\n";

TEST(DictionarySources, ReadsRowsInGroupOrderAsCodePage1251)
{
    SourceFolder folder;
    // Byte order mark, CR-LF line ends and a blank line are what editors leave behind.
    folder.write("groups.tsv", "\xEF\xBB\xBF" + std::string("ID\tGROUPNAME\tPARENT_ID\tUSE_ALTORDER\r\n") +
                                   "16\tИндексы\t19\tY\r\n2\tРеспублики\t1\t\r\n\r\n");
    std::string longName;
    for (int i = 0; i < 128; ++i)
        longName += "ж";
    folder.write("10-sources.tsv", kHeader + "10001\t" + longName + "\t0\t7\n");
    folder.write("2-republics.tsv", kHeader + "2001\tЁлки\t1001\t\n2002\t\t\t-5\n");
    folder.write("README.md", "not a source");

    MemTable dictionarys("DICTIONARYS");
    MemTable groups("Groups");
    readDictionarySources(folder.path(), dictionarys, groups);
    // A second read replaces the rows instead of adding to them.
    readDictionarySources(folder.path(), dictionarys, groups);

    ASSERT_EQ(dictionarys.RecordCount(), 3);
    dictionarys.First();
    EXPECT_EQ(dictionarys.FieldByName("ID").AsInteger(), 2001);
    EXPECT_EQ(dictionarys.FieldByName("GROUP_ID").AsInteger(), 2);
    EXPECT_EQ(dictionarys.FieldByName("NAME").AsString(), "\xA8\xEB\xEA\xE8");
    EXPECT_EQ(dictionarys.FieldByName("PARENT_ID").AsInteger(), 1001);
    EXPECT_TRUE(dictionarys.FieldByName("ALTORDER").IsNull());
    dictionarys.Next();
    EXPECT_TRUE(dictionarys.FieldByName("NAME").IsNull());
    EXPECT_TRUE(dictionarys.FieldByName("PARENT_ID").IsNull());
    EXPECT_EQ(dictionarys.FieldByName("ALTORDER").AsInteger(), -5);
    dictionarys.Next();
    EXPECT_EQ(dictionarys.FieldByName("GROUP_ID").AsInteger(), 10);
    EXPECT_EQ(dictionarys.FieldByName("NAME").AsString(), std::string(128, '\xE6'));

    EXPECT_TRUE(dictionarys.FieldByName("ID").Required);
    EXPECT_EQ(dictionarys.FieldByName("NAME").DataType(), FieldType::String);
    EXPECT_EQ(dictionarys.FieldByName("NAME").Size(), 128);
    EXPECT_EQ(groups.FieldByName("USE_ALTORDER").DataType(), FieldType::FixedChar);
    EXPECT_EQ(groups.FieldByName("USE_ALTORDER").Size(), 1);

    const std::vector<GroupRow> rows = groupsOf(groups);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].id, 16);
    EXPECT_EQ(rows[0].useAltOrder, std::optional<std::string>("Y"));
    EXPECT_EQ(rows[1].name, std::optional<std::string>("Республики"));
    EXPECT_FALSE(rows[1].useAltOrder.has_value());
}

TEST(DictionarySources, RefusesFaultySourcesNamingFileAndLine)
{
    struct Case
    {
        const char *what;
        std::vector<std::pair<std::string, std::optional<std::string>>> files;
        std::vector<std::string> inMessage;
    };
    std::string name129;
    for (int i = 0; i < 129; ++i)
        name129 += "ж";
    const std::vector<Case> cases = {
        {"an ID used in two groups",
         {{"08-sources.tsv", kHeader + "108\tВзрывной\t0\t\n89\tДубль\t0\t\n"}},
         {"08-sources.tsv", "строка 3", "89", "05-methods.tsv"}},
        {"a group number above 24", {{"25-extra.tsv", kHeader}}, {"25-extra.tsv"}},
        {"a source without a group number", {{"methods.tsv", kHeader}}, {"methods.tsv"}},
        {"two files for one group", {{"05-more.tsv", kHeader}}, {"05-more.tsv", "05-methods.tsv"}},
        {"a line with too few cells",
         {{"05-methods.tsv", kHeader + "89\tМетод\t0\n"}},
         {"05-methods.tsv", "строка 2"}},
        {"an ID that is not a number",
         {{"05-methods.tsv", kHeader + "8x9\tМетод\t0\t\n"}},
         {"строка 2", "8x9"}},
        {"an ID beyond 32 bits", {{"05-methods.tsv", kHeader + "4294967385\tМетод\t0\t\n"}}, {"строка 2"}},
        {"an empty ID", {{"05-methods.tsv", kHeader + "\tМетод\t0\t\n"}}, {"строка 2", "ID"}},
        {"ID 0, the empty entry's key", {{"05-methods.tsv", kHeader + "0\tМетод\t0\t\n"}}, {"строка 2"}},
        {"a character code page 1251 lacks",
         {{"05-methods.tsv", kHeader + "89\t地震\t0\t\n"}},
         {"строка 2", "1251"}},
        {"bytes that are not UTF-8",
         {{"05-methods.tsv", kHeader + "89\t\xFF\xFE\t0\t\n"}},
         {"строка 2", "1251"}},
        {"a name longer than 128 characters",
         {{"05-methods.tsv", kHeader + "89\t" + name129 + "\t0\t\n"}},
         {"строка 2", "NAME"}},
        {"a wrong header",
         {{"05-methods.tsv", "ID\tNAME\tPARENT\tALTORDER\n"}},
         {"05-methods.tsv", "строка 1"}},
        {"no groups.tsv", {{"groups.tsv", std::nullopt}}, {"groups.tsv"}},
        {"a group outside 1..24",
         {{"groups.tsv", kGroupsHeader + "0\tНоль\t0\tN\n"}},
         {"groups.tsv", "строка 2"}},
        {"a group listed twice", {{"groups.tsv", kGroupsHeader + "5\tА\t0\tN\n5\tБ\t0\tN\n"}}, {"строка 3"}},
        {"USE_ALTORDER longer than one character",
         {{"groups.tsv", kGroupsHeader + "5\tА\t0\tYY\n"}},
         {"строка 2", "USE_ALTORDER"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        SourceFolder folder;
        folder.write("groups.tsv", kGroupsHeader + "5\tМетоды\t0\tN\n");
        folder.write("05-methods.tsv", kHeader + "89\tСейсморазведка\t0\t\n");
        for (const auto &[name, content] : c.files)
            folder.write(name, content);

        MemTable dictionarys("DICTIONARYS");
        MemTable groups("Groups");
        try {
            readDictionarySources(folder.path(), dictionarys, groups);
            ADD_FAILURE() << "no error";
        } catch (const Error &error) {
            for (const std::string &part : c.inMessage)
                EXPECT_NE(std::string(error.what()).find(part), std::string::npos)
                    << error.what() << " / " << part;
        }
        EXPECT_EQ(dictionarys.FieldCount(), 0);
        EXPECT_EQ(groups.FieldCount(), 0);
    }
}

TEST(DictionarySources, MissingFolderIsAnError)
{
    MemTable dictionarys("DICTIONARYS");
    MemTable groups("Groups");
    const std::string missing = (fs::temp_directory_path() / "tarvena-no-such-dictionaries").string();
    try {
        readDictionarySources(missing, dictionarys, groups);
        FAIL() << "no error";
    } catch (const Error &error) {
        EXPECT_NE(std::string(error.what()).find(missing), std::string::npos) << error.what();
    }
}

} // namespace
} // namespace tarvena
