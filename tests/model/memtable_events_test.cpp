// The event order of the table engine: the data rules are written against it.
#include "model/memtable.h"
#include "storage/error.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace tarvena;

namespace {

// A table of two records (ID 1 "a", ID 2 "b") whose every event is written to a log.
struct LoggedTable
{
    MemTable table{"T"};
    std::vector<std::string> log;

    LoggedTable()
    {
        table.addField("ID", FieldType::Integer).Required = true;
        table.addField("NAME", FieldType::String, 10);
        table.addField("LEN", FieldType::Integer, 0, StoredFieldKind::Calculated);
        table.Open();
        for (int id : {1, 2}) {
            table.Append();
            table.FieldByName("ID").SetAsInteger(id);
            table.FieldByName("NAME").SetAsString(id == 1 ? "a" : "b");
            table.Post();
        }
        table.First();

        auto record = [this](const char *event) {
            return [this, event](MemTable &) { log.push_back(event); };
        };
        table.OnNewRecord = record("OnNewRecord");
        table.AfterInsert = record("AfterInsert");
        table.BeforePost = record("BeforePost");
        table.AfterPost = record("AfterPost");
        table.AfterDelete = record("AfterDelete");
        table.AfterScroll = record("AfterScroll");
        table.OnCalcFields = [this](MemTable &t) {
            log.push_back("OnCalcFields");
            t.FieldByName("LEN").SetAsInteger(static_cast<int>(t.FieldByName("NAME").AsString().size()));
        };
        Field &name = table.FieldByName("NAME");
        name.OnValidate = [this](Field &f) { log.push_back("OnValidate " + f.AsString()); };
        name.OnChange = [this](Field &f) { log.push_back("OnChange " + f.AsString()); };
    }
    Field &name() { return table.FieldByName("NAME"); }
};

using Log = std::vector<std::string>;

struct EventCase
{
    const char *what;
    std::function<void(LoggedTable &)> setup; // not logged
    std::function<void(LoggedTable &)> operation;
    Log expected;
    TableState stateAfter;
};

} // namespace

TEST(MemTableEvents, OperationsFireTheirEventsInOrder)
{
    const auto none = [](LoggedTable &) {};
    const std::vector<EventCase> cases = {
        {"Append",
         none,
         [](LoggedTable &t) { t.table.Append(); },
         {"OnNewRecord", "AfterInsert", "AfterScroll"},
         TableState::Insert},
        {"Insert",
         none,
         [](LoggedTable &t) { t.table.Insert(); },
         {"OnNewRecord", "AfterInsert", "AfterScroll"},
         TableState::Insert},
        {"assignment in insert state",
         [](LoggedTable &t) { t.table.Append(); },
         [](LoggedTable &t) { t.name().SetAsString("xyz"); },
         {"OnValidate xyz", "OnChange xyz", "OnCalcFields"},
         TableState::Insert},
        {"Post of a new record",
         [](LoggedTable &t) {
             t.table.Append();
             t.table.FieldByName("ID").SetAsInteger(3);
         },
         [](LoggedTable &t) { t.table.Post(); },
         {"BeforePost", "OnCalcFields", "AfterPost"},
         TableState::Browse},
        {"Edit", none, [](LoggedTable &t) { t.table.Edit(); }, {}, TableState::Edit},
        {"Post of an edit",
         [](LoggedTable &t) {
             t.table.Edit();
             t.name().SetAsString("q");
         },
         [](LoggedTable &t) { t.table.Post(); },
         {"BeforePost", "OnCalcFields", "AfterPost"},
         TableState::Browse},
        {"Cancel of an edit",
         [](LoggedTable &t) {
             t.table.Edit();
             t.name().SetAsString("q");
         },
         [](LoggedTable &t) { t.table.Cancel(); },
         {"OnCalcFields"},
         TableState::Browse},
        {"Cancel of a new record",
         [](LoggedTable &t) { t.table.Append(); },
         [](LoggedTable &t) { t.table.Cancel(); },
         {"OnCalcFields", "AfterScroll"},
         TableState::Browse},
        {"Delete",
         none,
         [](LoggedTable &t) { t.table.Delete(); },
         {"OnCalcFields", "AfterDelete", "AfterScroll"},
         TableState::Browse},
        {"Delete of a record being inserted is a Cancel",
         [](LoggedTable &t) { t.table.Append(); },
         [](LoggedTable &t) { t.table.Delete(); },
         {"OnCalcFields", "AfterScroll"},
         TableState::Browse},
        {"Next",
         none,
         [](LoggedTable &t) { t.table.Next(); },
         {"OnCalcFields", "AfterScroll"},
         TableState::Browse},
        {"Next posts a changed record",
         [](LoggedTable &t) {
             t.table.Edit();
             t.name().SetAsString("q");
         },
         [](LoggedTable &t) { t.table.Next(); },
         {"BeforePost", "OnCalcFields", "AfterPost", "OnCalcFields", "AfterScroll"},
         TableState::Browse},
        {"Append posts the pending new record",
         [](LoggedTable &t) {
             t.table.Append();
             t.table.FieldByName("ID").SetAsInteger(3);
         },
         [](LoggedTable &t) { t.table.Append(); },
         {"BeforePost", "OnCalcFields", "AfterPost", "OnNewRecord", "AfterInsert", "AfterScroll"},
         TableState::Insert},
        {"Append drops a new record nobody filled in",
         [](LoggedTable &t) { t.table.Append(); },
         [](LoggedTable &t) { t.table.Append(); },
         {"OnCalcFields", "AfterScroll", "OnNewRecord", "AfterInsert", "AfterScroll"},
         TableState::Insert},
        {"EmptyTable runs no per-record event",
         none,
         [](LoggedTable &t) { t.table.EmptyTable(); },
         {},
         TableState::Browse},
        {"Edit on an empty table starts a new record",
         [](LoggedTable &t) { t.table.EmptyTable(); },
         [](LoggedTable &t) { t.table.Edit(); },
         {"OnNewRecord", "AfterInsert", "AfterScroll"},
         TableState::Insert},
    };
    for (const EventCase &c : cases) {
        SCOPED_TRACE(c.what);
        LoggedTable t;
        c.setup(t);
        t.log.clear();
        c.operation(t);
        EXPECT_EQ(t.log, c.expected);
        EXPECT_EQ(t.table.State(), c.stateAfter);
    }
}

TEST(MemTableEvents, OnValidateThatClearsItsFieldLeavesItNull)
{
    LoggedTable t;
    t.name().OnValidate = [&](Field &f) {
        t.log.push_back("OnValidate " + f.AsString());
        if (f.AsString() == "bad")
            f.Clear();
    };
    t.table.Edit();
    t.log.clear();
    EXPECT_NO_THROW(t.name().SetAsString("bad"));
    EXPECT_TRUE(t.name().IsNull());
    const Log expected = {"OnValidate bad", "OnValidate ", "OnChange ",
                          "OnCalcFields",   "OnChange ",   "OnCalcFields"};
    EXPECT_EQ(t.log, expected);
    t.table.Post();
    EXPECT_TRUE(t.name().IsNull());
}

TEST(MemTableEvents, ExceptionInOnValidateKeepsTheOldValue)
{
    LoggedTable t;
    t.name().OnValidate = [](Field &) { throw Error("refused"); };
    t.table.Edit();
    EXPECT_THROW(t.name().SetAsString("new"), Error);
    EXPECT_EQ(t.name().AsString(), "a");
    EXPECT_EQ(t.table.State(), TableState::Edit);
}

TEST(MemTableEvents, HandlerAssigningTheFieldAgainRunsItsRulesAgain)
{
    // The isohypse rule: OnChange makes a positive value negative.
    MemTable table;
    Field &mark = table.addField("MARK", FieldType::Float);
    table.Open();
    std::vector<double> changes;
    mark.OnChange = [&](Field &f) {
        changes.push_back(f.AsFloat());
        if (f.AsFloat() > 0)
            f.SetAsFloat(-f.AsFloat());
    };
    table.Append();
    mark.SetAsFloat(1500);
    EXPECT_DOUBLE_EQ(mark.AsFloat(), -1500);
    EXPECT_EQ(changes, (std::vector<double>{1500, -1500}));
}

TEST(MemTableEvents, ExceptionInBeforePostLeavesTheRecordInEditState)
{
    LoggedTable t;
    t.table.BeforePost = [](MemTable &) { throw Error("not now"); };
    t.table.Edit();
    t.name().SetAsString("q");
    EXPECT_THROW(t.table.Post(), Error);
    EXPECT_EQ(t.table.State(), TableState::Edit);
    EXPECT_EQ(t.name().AsString(), "q");
    t.table.BeforePost = nullptr;
    t.table.Post();
    EXPECT_EQ(t.name().AsString(), "q");
}

TEST(MemTableEvents, RequiredFieldMustHaveAValueAtPost)
{
    LoggedTable t;
    t.table.Append();
    t.name().SetAsString("x");
    try {
        t.table.Post();
        FAIL() << "Post of a record without its required ID succeeded";
    } catch (const Error &e) {
        EXPECT_STREQ(e.what(), "Field 'ID' must have a value");
    }
    EXPECT_EQ(t.table.State(), TableState::Insert);
    // The handlers fill required fields in BeforePost, before the check.
    t.table.BeforePost = [](MemTable &m) { m.FieldByName("ID").SetAsInteger(7); };
    t.table.Post();
    EXPECT_EQ(t.table.RecordCount(), 3);
}

TEST(MemTableEvents, AssignmentOutsideEditStateAndToReadOnlyFieldsFails)
{
    LoggedTable t;
    auto message = [&](const std::function<void()> &f) {
        try {
            f();
        } catch (const Error &e) {
            return std::string(e.what());
        }
        return std::string("no error");
    };
    EXPECT_EQ(message([&] { t.name().SetAsString("x"); }), "Dataset is not in edit mode.");
    t.table.Edit();
    t.name().ReadOnly = true;
    EXPECT_EQ(message([&] { t.name().SetAsString("x"); }), "Field NAME is read only");
    t.name().ReadOnly = false;
    t.table.ReadOnly = true;
    EXPECT_EQ(message([&] { t.name().Clear(); }), "Field NAME is read only");
    EXPECT_EQ(message([&] { t.table.FieldByName("LEN").SetAsInteger(1); }), "Field LEN is read only");
    t.table.Cancel();
    EXPECT_THROW(t.table.Append(), Error);
    EXPECT_THROW(t.table.Delete(), Error);
    EXPECT_EQ(t.table.RecordCount(), 2);
    EXPECT_EQ(t.name().AsString(), "a");
}

TEST(MemTableEvents, NewRecordGetsDefaultsAndIsNotMarkedChanged)
{
    MemTable table;
    table.addField("ID", FieldType::Integer);
    table.addField("K", FieldType::Float).DefaultExpression = "1";
    table.addField("S", FieldType::String, 5).DefaultExpression = "'abc'";
    table.Open();
    bool seenDefaultInOnNewRecord = false;
    table.OnNewRecord = [&](MemTable &t) {
        seenDefaultInOnNewRecord = t.FieldByName("K").AsFloat() == 1.0;
        t.FieldByName("ID").SetAsInteger(5);
    };
    table.Append();
    EXPECT_TRUE(seenDefaultInOnNewRecord);
    EXPECT_EQ(table.FieldByName("S").AsString(), "abc");
    EXPECT_FALSE(table.Modified());
    // Leaving a new record nobody filled in drops it; a filled-in one is posted.
    table.First();
    EXPECT_EQ(table.RecordCount(), 0);
    table.Append();
    table.FieldByName("K").SetAsFloat(0.5);
    EXPECT_TRUE(table.Modified());
    table.First();
    ASSERT_EQ(table.RecordCount(), 1);
    EXPECT_EQ(table.FieldByName("ID").AsInteger(), 5);
}

TEST(MemTableEvents, CalculatedFieldsFollowScrollPostAndAssignment)
{
    LoggedTable t;
    Field &len = t.table.FieldByName("LEN");
    t.table.Edit();
    t.name().SetAsString("four");
    EXPECT_EQ(len.AsInteger(), 4);
    t.table.Post();
    EXPECT_EQ(len.AsInteger(), 4);
    t.table.Next();
    EXPECT_EQ(len.AsInteger(), 1);
    t.table.Append();
    EXPECT_TRUE(len.IsNull()); // a new record's calculated fields start null
}

TEST(MemTableEvents, ListenersAreQuietWhileControlsAreDisabled)
{
    LoggedTable t;
    std::vector<TableChange::Kind> seen;
    const int id = t.table.subscribe([&](const TableChange &c) { seen.push_back(c.kind); });
    t.table.DisableControls();
    t.table.DisableControls();
    t.table.Next();
    t.table.Edit();
    t.name().SetAsString("z");
    t.table.Post();
    t.table.EnableControls();
    EXPECT_TRUE(seen.empty());
    EXPECT_TRUE(t.table.ControlsDisabled());
    t.table.EnableControls();
    EXPECT_EQ(seen, (std::vector<TableChange::Kind>{TableChange::LayoutChanged}));
    EXPECT_FALSE(t.table.ControlsDisabled());

    seen.clear();
    t.table.Edit();
    t.name().SetAsString("w");
    t.table.Post();
    EXPECT_EQ(seen, (std::vector<TableChange::Kind>{TableChange::StateChanged, TableChange::DataChanged,
                                                    TableChange::UpdateRecord, TableChange::StateChanged,
                                                    TableChange::RecordChanged}));
    t.table.unsubscribe(id);
    seen.clear();
    t.table.First();
    EXPECT_TRUE(seen.empty());
}

TEST(MemTableEvents, EditorsCommitTheirTextBeforeBeforePost)
{
    LoggedTable t;
    std::string pendingText = "typed";
    t.table.subscribe([&](const TableChange &c) {
        if (c.kind == TableChange::UpdateRecord && !pendingText.empty()) {
            t.name().SetText(pendingText);
            pendingText.clear();
        }
    });
    t.table.Edit();
    t.log.clear();
    t.table.Post();
    EXPECT_EQ(t.log, (Log{"OnValidate typed", "OnChange typed", "OnCalcFields", "BeforePost", "OnCalcFields",
                          "AfterPost"}));
    EXPECT_EQ(t.name().AsString(), "typed");
}

TEST(MemTableEvents, ListenerMayUnsubscribeItselfWhileBeingTold)
{
    LoggedTable t;
    int calls = 0;
    int id = 0;
    id = t.table.subscribe([&](const TableChange &) {
        ++calls;
        t.table.unsubscribe(id);
    });
    t.table.subscribe([&](const TableChange &) { ++calls; });
    t.table.Next();
    t.table.Next();
    EXPECT_EQ(calls, 1 + 2);
}
