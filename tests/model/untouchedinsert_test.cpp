// A table may give up a new record posted with nothing assigned: the horizon and contour tables do,
// so a row added and left empty is not stored, whether a grid or a command posts it.
#include "model/memtable.h"
#include "tests/model/rules_fixture.h"

#include <gtest/gtest.h>

using namespace tarvena;
using namespace tarvena::testing;

namespace {

struct Case
{
    const char *name;
    bool drop;
    bool assigned;
    int records; // after the post
};

class UntouchedInsertTest : public ::testing::TestWithParam<Case>
{
};

TEST_P(UntouchedInsertTest, PostKeepsOrDropsTheNewRecord)
{
    const Case &c = GetParam();
    MemTable table("T");
    table.addField("ID", FieldType::Integer);
    table.addField("NAME", FieldType::String, 10).DefaultExpression = "'x'";
    table.Open();
    table.DropUntouchedInsert = c.drop;
    // Defaults and what the new-record handler assigns are not input.
    table.OnNewRecord = [](MemTable &t) { t.FieldByName("ID").SetAsInteger(1); };
    bool beforePost = false;
    table.BeforePost = [&](MemTable &) { beforePost = true; };
    table.Append();
    if (c.assigned)
        table.FieldByName("NAME").SetAsString("y");
    table.Post();
    EXPECT_EQ(table.RecordCount(), c.records);
    EXPECT_EQ(table.State(), TableState::Browse);
    EXPECT_EQ(beforePost, c.records == 1);
}

INSTANTIATE_TEST_SUITE_P(Cases, UntouchedInsertTest,
                         ::testing::Values(Case{"KeptByDefault", false, false, 1},
                                           Case{"DroppedWhenUntouched", true, false, 0},
                                           Case{"KeptOnceAFieldIsAssigned", true, true, 1}),
                         [](const auto &info) { return std::string(info.param.name); });

// An edit of a stored record is posted as usual, assigned or not.
TEST(UntouchedInsert, AnEditIsPosted)
{
    MemTable table("T");
    table.addField("ID", FieldType::Integer);
    table.Open();
    table.DropUntouchedInsert = true;
    table.Append();
    table.FieldByName("ID").SetAsInteger(1);
    table.Post();
    bool posted = false;
    table.AfterPost = [&](MemTable &) { posted = true; };
    table.Edit();
    table.Post();
    EXPECT_TRUE(posted);
    EXPECT_EQ(table.RecordCount(), 1);
}

class UntouchedHorizonRowTest : public RulesTest
{
};

// The passport's horizon and contour tables, with no view of them anywhere: an empty new row posted
// leaves each table as it was, a row with input is kept.
TEST_F(UntouchedHorizonRowTest, NoGridIsNeededToDropIt)
{
    ASSERT_TRUE(dm.OpenPassport(builtSamplePassport()));
    struct Row
    {
        MemTable *table;
        const char *field;
        const char *text;
    };
    for (const Row &row :
         {Row{&dm.REFLECT_HORIZONTS, "INDEXOG", "Н1"}, Row{&dm.POSIB_PRODUCT_HOR, "STRATIGRSVIT", "Свита"},
          Row{&dm.KONTUR, "X", "12.5"}}) {
        MemTable &table = *row.table;
        SCOPED_TRACE(table.Name());
        const int before = table.RecordCount();
        table.Append();
        table.Post();
        EXPECT_EQ(table.State(), TableState::Browse);
        EXPECT_EQ(table.RecordCount(), before);
        table.Append();
        table.FieldByName(row.field).SetText(cp(row.text));
        table.Post();
        EXPECT_EQ(table.RecordCount(), before + 1);
    }
}

} // namespace
