// The rows a grid shows while records are inserted, and the decisions of the table pages' rules.
#include "model/controlrules.h"
#include "model/gridrows.h"

#include <gtest/gtest.h>

#include <vector>

namespace tarvena {
namespace {

struct NumberTable
{
    MemTable table{"T"};
    explicit NumberTable(int rows)
    {
        table.addField("N", FieldType::Integer);
        table.Open();
        for (int i = 0; i < rows; ++i) {
            table.Append();
            table.FieldByName("N").SetAsInteger(i);
            table.Post();
        }
    }
};

// What a grid over the table shows: a record's N, or -1 for the row being inserted.
std::vector<int> shownRows(const MemTable &table)
{
    const GridRows rows(table);
    std::vector<int> shown;
    for (int row = 0; row < rows.count(); ++row) {
        const int record = rows.recordIndex(row);
        shown.push_back(record < 0 ? -1
                                   : int(std::get<std::int64_t>(table.valueAt(record, table.fieldAt(0)))));
        if (record >= 0)
            EXPECT_EQ(rows.gridRow(record), row);
    }
    return shown;
}

TEST(GridRows, TheRowBeingInsertedShowsWhereItWillBeStored)
{
    const struct
    {
        const char *name;
        int rows;
        int cursor;  // 1-based record made current first, 0 for none
        char action; // 'a' Append, 'i' Insert, '-' nothing
        std::vector<int> shown;
        int current;
    } cases[] = {
        {"empty table", 0, 0, '-', {}, -1},
        {"append to an empty table", 0, 0, 'a', {-1}, 0},
        {"three rows", 3, 2, '-', {0, 1, 2}, 1},
        {"append", 3, 2, 'a', {0, 1, 2, -1}, 3},
        {"insert before the second", 3, 2, 'i', {0, -1, 1, 2}, 1},
        {"insert before the first", 3, 1, 'i', {-1, 0, 1, 2}, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        NumberTable t(c.rows);
        if (c.cursor > 0)
            t.table.SetRecNo(c.cursor);
        if (c.action == 'a')
            t.table.Append();
        else if (c.action == 'i')
            t.table.Insert();
        EXPECT_EQ(shownRows(t.table), c.shown);
        EXPECT_EQ(GridRows(t.table).currentRow(), c.current);
        EXPECT_EQ(GridRows(t.table).recordIndex(int(c.shown.size())), -1);
    }
}

TEST(GridRows, ARowLeftWithoutInputIsGoneAndAPostedOneTakesItsSortPlace)
{
    NumberTable t(3);
    t.table.SortOn("N:D");
    t.table.Append();
    t.table.Cancel();
    EXPECT_EQ(shownRows(t.table), (std::vector<int>{2, 1, 0}));
    t.table.Append();
    t.table.FieldByName("N").SetAsInteger(1);
    EXPECT_EQ(shownRows(t.table), (std::vector<int>{2, 1, 0, -1}));
    t.table.Post();
    EXPECT_EQ(shownRows(t.table), (std::vector<int>{2, 1, 1, 0}));
}

TEST(ControlRules, OtherMethodAndFreeText)
{
    const struct
    {
        Value value;
        bool otherMethod;
        bool freeText;
    } cases[] = {
        {Value{}, false, true},
        {Value{std::int64_t(0)}, false, true},
        {Value{std::int64_t(92)}, true, false},
        {Value{std::int64_t(89)}, false, false},
        {Value{92.0}, true, false},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(controlrules::otherMethodEnabled(c.value), c.otherMethod) << c.value.index();
        EXPECT_EQ(controlrules::freeTextEnabled(c.value), c.freeText) << c.value.index();
    }
}

TEST(ControlRules, SourceTypeLeavesChargeOrNonExplosiveEnabled)
{
    using Controls = controlrules::SourceTypeControls;
    const struct
    {
        Value sourceType;
        Controls enabled;
    } cases[] = {
        {Value{}, {true, true}},                   // never chosen
        {Value{std::int64_t(108)}, {true, false}}, // charges
        {Value{std::int64_t(109)}, {false, true}},
        {Value{std::int64_t(0)}, {false, true}}, // the empty entry is a choice too
    };
    for (const auto &c : cases)
        EXPECT_EQ(controlrules::sourceTypeControls(c.sourceType), c.enabled) << c.sourceType.index();
}

} // namespace
} // namespace tarvena
