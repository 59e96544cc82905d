// Cursor, record placement, filters, Locate and field names of the table engine.
#include "model/memtable.h"
#include "storage/error.h"

#include "tests/support/errortext.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace tarvena;

namespace {

void addRow(MemTable &t, const Value &id, const Value &parent = Value{}, const std::string &name = {})
{
    t.Append();
    t.FieldByName("ID").setValue(id);
    t.FieldByName("PARENT_ID").setValue(parent);
    t.FieldByName("NAME").SetAsString(name);
    t.Post();
}

MemTable &makeTable(MemTable &t)
{
    t.addField("ID", FieldType::Integer);
    t.addField("PARENT_ID", FieldType::Integer);
    t.addField("NAME", FieldType::String, 20);
    t.Open();
    return t;
}

// IDs of the visible records, visited with First/Next as the program's loops do.
std::vector<int> visibleIds(MemTable &t)
{
    std::vector<int> ids;
    for (t.First(); !t.Eof(); t.Next())
        ids.push_back(t.FieldByName("ID").AsInteger());
    return ids;
}

using tarvena::testing::errorOf;

} // namespace

TEST(MemTableCursor, AppendInsertAndDeletePlaceRecordsInTableOrder)
{
    MemTable t;
    makeTable(t);
    EXPECT_TRUE(t.Eof());
    EXPECT_TRUE(t.Bof());
    EXPECT_EQ(t.RecNo(), 0);
    for (int id : {1, 2, 3})
        addRow(t, id);
    EXPECT_EQ(t.insertRow(), -1);
    t.SetRecNo(2);
    t.Insert(); // goes before the record that was current
    EXPECT_EQ(t.insertRow(), 1);
    EXPECT_EQ(t.RecordCount(), 3); // not counted until posted
    t.FieldByName("ID").SetAsInteger(10);
    t.Post();
    t.Append();
    EXPECT_EQ(t.insertRow(), 4);
    t.Cancel();
    EXPECT_EQ(t.RecNo(), 2);
    EXPECT_EQ(visibleIds(t), (std::vector<int>{1, 10, 2, 3}));

    // Delete moves to the following record, or to the last one at the end.
    t.SetRecNo(2);
    t.Delete();
    EXPECT_EQ(t.FieldByName("ID").AsInteger(), 2);
    t.Last();
    t.Delete();
    EXPECT_EQ(t.FieldByName("ID").AsInteger(), 2);
    EXPECT_EQ(t.RecNo(), 2);
    EXPECT_EQ(t.storedRecordCount(), 2);
    EXPECT_EQ(std::get<std::int64_t>(t.storedRecord(1)[0]), 2);

    t.First();
    EXPECT_TRUE(t.Bof());
    t.Prior();
    EXPECT_EQ(t.RecNo(), 1);
    t.Delete();
    t.Delete();
    EXPECT_TRUE(t.IsEmpty());
    EXPECT_TRUE(t.Eof() && t.Bof());
    EXPECT_THROW(t.Delete(), Error);
}

TEST(MemTableCursor, FilterShowsRecordsWhereOneTermHolds)
{
    MemTable t;
    makeTable(t);
    addRow(t, 0, 0);
    addRow(t, 1, 0);
    addRow(t, 2, Value{}); // null PARENT_ID: hidden by "PARENT_ID=0"
    addRow(t, 3, 5);
    addRow(t, 4, 6);

    t.SetFilter("PARENT_ID=0");
    EXPECT_EQ(visibleIds(t), (std::vector<int>{0, 1, 2, 3, 4})); // the text alone changes nothing
    t.SetFiltered(true);
    EXPECT_EQ(t.RecordCount(), 2);
    EXPECT_EQ(visibleIds(t), (std::vector<int>{0, 1}));
    t.SetFilter("PARENT_ID=5 OR ID=0");
    EXPECT_EQ(visibleIds(t), (std::vector<int>{0, 3}));
    t.SetFilter("PARENT_ID=-7");
    EXPECT_TRUE(t.IsEmpty());
    EXPECT_EQ(t.RecNo(), 0);
    t.SetFiltered(false);
    EXPECT_EQ(t.RecordCount(), 5);
    // Saving and other raw readers see every record whatever the filter.
    t.SetFilter("ID=4");
    t.SetFiltered(true);
    int stored = 0;
    t.forEachStoredInOrder([&](const std::vector<Value> &, int) { ++stored; });
    EXPECT_EQ(stored, 5);
    EXPECT_EQ(t.RecordCount(), 1);
}

TEST(MemTableCursor, PostedRecordsJoinOrLeaveTheFilteredView)
{
    MemTable t;
    makeTable(t);
    t.SetFilter("PARENT_ID=1");
    t.SetFiltered(true);
    addRow(t, 1, 1);
    addRow(t, 2, 2); // stored but not visible
    addRow(t, 3, 1);
    EXPECT_EQ(visibleIds(t), (std::vector<int>{1, 3}));
    t.First();
    t.Edit();
    t.FieldByName("PARENT_ID").SetAsInteger(2);
    t.Post();
    EXPECT_EQ(t.RecordCount(), 1);
    EXPECT_EQ(t.FieldByName("ID").AsInteger(), 3); // the cursor went to the neighbour
    EXPECT_EQ(t.storedRecordCount(), 3);
}

TEST(MemTableCursor, MalformedFilterIsRefused)
{
    MemTable t;
    makeTable(t);
    addRow(t, 1, 1);
    t.SetFilter("ID=1");
    t.SetFiltered(true);
    for (const char *bad : {"ID", "ID=", "=1", "ID=x", "ID=1 OR", "ID=1 AND PARENT_ID=2", "NOPE=1"}) {
        SCOPED_TRACE(bad);
        EXPECT_THROW(t.SetFilter(bad), Error);
        EXPECT_EQ(t.Filter, "ID=1"); // the old filter stays in force
        EXPECT_EQ(t.RecordCount(), 1);
    }
    EXPECT_EQ(errorOf([&] { t.SetFilter("ID=1 or"); }), "Invalid filter expression: 'ID=1 or'");
}

TEST(MemTableCursor, LocateFindsTheFirstVisibleMatch)
{
    MemTable t;
    makeTable(t);
    addRow(t, 1, 0, "Alpha");
    addRow(t, 2, 0, "beta");
    addRow(t, 3, 1, "BETA");
    t.First();
    int scrolls = 0;
    t.AfterScroll = [&](MemTable &) { ++scrolls; };
    EXPECT_TRUE(t.Locate("name", std::string("BETA")));
    EXPECT_EQ(t.FieldByName("ID").AsInteger(), 3);
    EXPECT_TRUE(t.Locate("NAME", std::string("BETA"), true));
    EXPECT_EQ(t.FieldByName("ID").AsInteger(), 2);
    EXPECT_FALSE(t.Locate("NAME", std::string("gamma"), true));
    EXPECT_EQ(t.FieldByName("ID").AsInteger(), 2); // not found: the cursor stays
    EXPECT_TRUE(t.Locate("ID", std::string("1"))); // the value is taken as the field's type
    EXPECT_TRUE(t.Locate("ID", 3.0));
    EXPECT_EQ(t.RecNo(), 3);
    t.SetFilter("PARENT_ID=0");
    t.SetFiltered(true);
    EXPECT_FALSE(t.Locate("ID", std::int64_t{3})); // hidden records are not found
    EXPECT_EQ(scrolls, 5); // four hits and the move to the first record when the filter changed
}

TEST(MemTableCursor, FieldNamesAreCaseInsensitiveAndUnknownOnesFail)
{
    MemTable t{"DICTIONARYS"};
    makeTable(t);
    EXPECT_EQ(&t.FieldByName("parent_id"), &t.FieldByName("PARENT_ID"));
    EXPECT_EQ(t.FindField("NOPE"), nullptr);
    EXPECT_EQ(errorOf([&] { t.FieldByName("NOPE"); }), "DICTIONARYS: Field 'NOPE' not found");
    EXPECT_THROW(t.addField("x", FieldType::Integer), Error); // the table is open
    t.Close();
    EXPECT_THROW(t.addField("Name", FieldType::Integer), Error); // taken, in another case
}

TEST(MemTableCursor, ClosingKeepsRecordsAndClearFieldsDropsThem)
{
    MemTable t;
    makeTable(t);
    addRow(t, 1);
    t.Append();
    t.FieldByName("ID").SetAsInteger(2);
    t.Close(); // a pending new record is dropped without events
    EXPECT_FALSE(t.Active());
    EXPECT_EQ(t.State(), TableState::Closed);
    EXPECT_THROW(t.First(), Error);
    t.Open();
    EXPECT_EQ(t.RecordCount(), 1);
    EXPECT_EQ(t.FieldByName("ID").AsInteger(), 1);
    t.Close();
    t.clearFields();
    EXPECT_EQ(t.FieldCount(), 0);
    t.addField("A", FieldType::String, 4);
    t.Open();
    EXPECT_EQ(t.RecordCount(), 0);
    t.appendStoredRecord({std::string("xy")});
    EXPECT_EQ(t.FieldByName("A").AsString(), "xy"); // the first loaded row becomes current
}

TEST(MemTableCursor, NextThroughTheEndAndBack)
{
    MemTable t;
    makeTable(t);
    for (int id : {1, 2})
        addRow(t, id);
    int scrolls = 0;
    t.AfterScroll = [&](MemTable &) { ++scrolls; };
    t.First();
    t.Next();
    EXPECT_FALSE(t.Eof());
    t.Next(); // reaching the end is a scroll, staying on the last record
    EXPECT_TRUE(t.Eof());
    EXPECT_EQ(t.FieldByName("ID").AsInteger(), 2);
    t.Next(); // already at the end: nothing happens
    EXPECT_EQ(scrolls, 3);
    t.Prior();
    EXPECT_EQ(t.FieldByName("ID").AsInteger(), 1);
    EXPECT_FALSE(t.Eof());
}
