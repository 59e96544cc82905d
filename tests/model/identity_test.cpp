// Record identities: new horizons and contour points take IDs no stored row holds, and an open makes
// repeated IDs unique in time linear in the rows, whatever IDs they repeat.
#include "model/contourpoints.h"
#include "model/datamodule.h"
#include "model/identity.h"
#include "model/memtable.h"
#include "tests/support/samplepassport.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <set>

using namespace tarvena;

namespace {

std::vector<std::int32_t> repeated(std::int32_t id, int times)
{
    return std::vector<std::int32_t>(static_cast<std::size_t>(times), id);
}

std::vector<std::int32_t> joined(std::vector<std::int32_t> a, const std::vector<std::int32_t> &b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST(UniqueIds, ReplacesRepeatsByDrawsThenInOrderThenAboveTheLargest)
{
    struct Case
    {
        const char *name;
        std::int32_t range;
        std::vector<std::int32_t> ids;
        // The last results, in order (the draws before them vary with the seed).
        std::vector<std::int32_t> lastOnes;
    };
    const std::vector<Case> cases = {
        {"distinct IDs are kept", 10, {5, 900, -3, 0}, {5, 900, -3, 0}},
        {"a repeat draws a free ID of the range", 1000, {4, 4}, {}},
        // Six of ten in use: the free IDs follow in order.
        {"a nearly full range gives its free IDs in order",
         10,
         joined({0, 1, 2, 7, 8, 9}, repeated(9, 4)),
         {3, 4, 5, 6}},
        {"past the range, IDs above the largest in use",
         10,
         joined(repeated(3, 10), {50, 3, 3}),
         {50, 51, 52}},
        {"a row holding the largest ID there is: free IDs from the smallest up",
         4,
         joined({INT_MAX}, repeated(1, 6)),
         {INT_MIN, INT_MIN + 1}},
        {"more repeats than the range holds", 99999, repeated(7, 100001), {99999, 100000}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        identity::seedRandom(3);
        identity::UniqueIds ids(c.range, c.ids.size());
        std::vector<std::int32_t> given;
        for (std::int32_t id : c.ids)
            given.push_back(ids.keep(id));
        EXPECT_EQ(std::set<std::int32_t>(given.begin(), given.end()).size(), given.size());
        EXPECT_EQ(given.front(), c.ids.front());
        ASSERT_LE(c.lastOnes.size(), given.size());
        EXPECT_EQ(std::vector<std::int32_t>(given.end() - static_cast<std::ptrdiff_t>(c.lastOnes.size()),
                                            given.end()),
                  c.lastOnes);
        // While the range has room, a repeat is replaced from it.
        if (c.ids.size() == 2)
            EXPECT_TRUE(given[1] >= 0 && given[1] < c.range && given[1] != 4);
    }
}

// The ID the next draw gives, the ticks held at 10: the generator is left to give it again.
std::int32_t nextDraw(std::int32_t range)
{
    identity::setTickSource([] { return 10u; });
    identity::seedRandom(11);
    const std::int32_t id = identity::randomBelow(range) + 10;
    identity::seedRandom(11);
    return id;
}

template <typename Fill> void addRow(MemTable &table, Fill fill)
{
    table.Append();
    fill(table);
    table.Post();
}

std::set<std::int64_t> storedIds(MemTable &table)
{
    std::set<std::int64_t> ids;
    const int index = table.FieldByName("ID").dataIndex();
    table.forEachStoredInOrder([&](const std::vector<Value> &v, int) {
        ids.insert(std::get<std::int64_t>(v[static_cast<std::size_t>(index)]));
    });
    return ids;
}

// A new horizon row with some input (an untouched one is not kept).
void typedSuite(MemTable &table)
{
    table.FieldByName("STRATIGRSVIT").SetAsString("x");
}

// Each way a record gets a new ID, with the first draw already held by a stored row: the new record
// takes another, so the table's IDs stay distinct.
TEST(NewRecordIds, DrawAgainUntilTheIdIsFree)
{
    struct Case
    {
        const char *name;
        MemTable &(*table)(TDataModule2 &);
        std::int32_t range;
        void (*add)(TDataModule2 &); // adds records with new IDs
        std::size_t rows;            // stored rows afterwards
    };
    const auto reflect = [](TDataModule2 &dm) -> MemTable & { return dm.REFLECT_HORIZONTS; };
    const auto productive = [](TDataModule2 &dm) -> MemTable & { return dm.POSIB_PRODUCT_HOR; };
    const auto points = [](TDataModule2 &dm) -> MemTable & { return dm.KONTUR; };
    const Case cases[] = {
        {"reflecting horizon", reflect, identity::HorizonIdRange,
         [](TDataModule2 &dm) { addRow(dm.REFLECT_HORIZONTS, typedSuite); }, 2},
        {"productive horizon", productive, identity::HorizonIdRange,
         [](TDataModule2 &dm) { addRow(dm.POSIB_PRODUCT_HOR, typedSuite); }, 3},
        {"contour point typed", points, identity::PointIdRange,
         [](TDataModule2 &dm) {
             addRow(dm.KONTUR, [](MemTable &t) {
                 t.FieldByName("X").SetAsFloat(40);
                 t.FieldByName("Y").SetAsFloat(60);
             });
         },
         2},
        {"contour points imported", points, identity::PointIdRange,
         [](TDataModule2 &dm) {
             replaceContour(dm, {{40, 60}, {41, 61}, {42, 62}});
         },
         4},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TDataModule2 dm;
        dm.DataModuleCreate(tarvena::testing::dictionaryDir());
        addRow(dm.POSIB_PRODUCT_HOR, [](MemTable &t) { t.FieldByName("ID").SetAsInteger(900); });
        MemTable &table = c.table(dm);
        const std::int32_t taken = nextDraw(c.range);
        // A stored row of another horizon holds the ID that the first draw gives.
        addRow(table, [&](MemTable &t) {
            t.FieldByName("ID").SetAsInteger(taken);
            if (&t == &dm.KONTUR)
                t.FieldByName("HEAD_ID").SetAsInteger(5);
        });
        identity::seedRandom(11);
        c.add(dm);
        identity::setTickSource({});
        const std::set<std::int64_t> ids = storedIds(table);
        EXPECT_EQ(ids.size(), c.rows);
        EXPECT_TRUE(ids.count(taken));
    }
}

// Stored rows whose IDs repeat or are empty, copied into each table that an open keeps unique: every
// row gets an ID of its own, the first holder of an ID keeps it, and the other values stay.
TEST(OpenedIds, RepeatedAndEmptyIdsBecomeDistinct)
{
    struct Shape
    {
        const char *name;
        std::vector<std::optional<std::int64_t>> ids;
    };
    const Shape shapes[] = {
        {"all the same", {7, 7, 7, 7}},
        {"all empty", {std::nullopt, std::nullopt, std::nullopt}},
        {"empty beside 0", {0, std::nullopt, 0, 5}},
    };
    TDataModule2 dm;
    dm.DataModuleCreate(tarvena::testing::dictionaryDir());
    for (MemTable *target : {&dm.REFLECT_HORIZONTS, &dm.POSIB_PRODUCT_HOR, &dm.KONTUR}) {
        for (const Shape &shape : shapes) {
            SCOPED_TRACE(target->Name() + ": " + shape.name);
            MemTable stored("TempTable");
            stored.addField("ID", FieldType::Integer);
            stored.addField("HEAD_ID", FieldType::Integer);
            stored.Open();
            for (std::size_t row = 0; row < shape.ids.size(); ++row)
                stored.appendStoredRecord(
                    {shape.ids[row] ? Value(*shape.ids[row]) : Value{}, std::int64_t(row)});
            dm.CopyTableByFieldNames(stored, *target, true);
            ASSERT_EQ(storedIds(*target).size(), shape.ids.size());
            target->SetFiltered(false);
            target->First();
            EXPECT_EQ(target->FieldByName("ID").AsInteger(), shape.ids[0].value_or(0));
            if (target == &dm.KONTUR)
                EXPECT_EQ(target->FieldByName("HEAD_ID").AsInteger(), 0);
        }
    }
}

} // namespace
