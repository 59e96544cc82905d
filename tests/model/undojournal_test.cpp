// Undo and redo through the passport tables: each action, taken back, leaves every table as it was
// (records, update statuses, pending edits, cursor, filter); applied again, as it was after the action.
#include "model/datamodule.h"
#include "model/fileslots.h"
#include "model/undojournal.h"
#include "tests/support/passportstatedump.h"
#include "tests/support/samplepassport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <unistd.h>

using namespace tarvena;
using tarvena::testing::cp;

namespace {

std::string dump(TDataModule2 &dm)
{
    return tarvena::testing::passportStateDump(dm);
}

class UndoJournalTest : public ::testing::Test
{
protected:
    UndoJournalTest() : slots(dm)
    {
        dm.DataModuleCreate(tarvena::testing::dictionaryDir());
        dm.Journal.setEnabled(true);
        tarvena::testing::SampleSpec spec;
        spec.pointsPerHorizon = 120;
        tarvena::testing::fillSamplePassport(dm, spec);
        dm.Journal.clear();
        slots.RebuildFileSlots();
        dm.PASPORTS.Edit();
    }

    std::string saved()
    {
        const auto path =
            std::filesystem::temp_directory_path() / ("tarvena-undo-" + std::to_string(::getpid()) + ".psp");
        dm.SavePassport(path.string()); // posting what was being edited joins the step that edited it
        dm.PASPORTS.Edit();
        std::ifstream in(path, std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::filesystem::remove(path);
        return bytes;
    }

    TDataModule2 dm;
    FileSlots slots;
};

struct Action
{
    const char *label;
    std::function<void(TDataModule2 &, FileSlots &)> act;
};

void setField(MemTable &table, const char *name, const Value &value)
{
    if (table.State() == TableState::Browse)
        table.Edit();
    table.FieldByName(name).setValue(value);
}

// A horizon deleted with its contour points, as the horizon page deletes one.
void deleteHorizonWithPoints(TDataModule2 &dm, FileSlots &)
{
    MemTable &horizons = dm.POSIB_PRODUCT_HOR;
    horizons.First();
    const std::int64_t id = horizons.FieldByName("ID").AsInteger();
    MemTable &points = dm.KONTUR;
    points.SetFilter("HEAD_ID=" + std::to_string(id));
    points.SetFiltered(true);
    while (!points.IsEmpty())
        points.Delete();
    points.SetFiltered(false);
    dm.FILES.First();
    dm.FILES.Delete();
    horizons.Delete();
}

const Action kActions[] = {
    {"a typed field",
     [](TDataModule2 &dm, FileSlots &) { setField(dm.PASPORTS, "OBJECTNAME", cp("Новый объект")); }},
    {"a list pick that empties the fields below it",
     [](TDataModule2 &dm, FileSlots &) {
         setField(dm.PASPORTS, "GEO_OBLAST_ID", std::int64_t{5});
         setField(dm.PASPORTS, "GEO_RAION_ID", std::int64_t{7});
         dm.PASPORTS.Post();
         dm.PASPORTS.Edit();
         setField(dm.PASPORTS, "GEO_PROVINCE_ID", std::int64_t{3});
     }},
    {"a horizon inserted",
     [](TDataModule2 &dm, FileSlots &) {
         MemTable &t = dm.REFLECT_HORIZONTS;
         t.First();
         t.Insert();
         t.FieldByName("INDEXOG").SetAsString("X1");
         t.Post();
     }},
    {"a horizon deleted with its points and a document", deleteHorizonWithPoints},
    {"a document attached",
     [](TDataModule2 &, FileSlots &s) { s.attach(SlotList::Documents, "map.pdf", std::string(5000, 'z')); }},
    {"a document cleared", [](TDataModule2 &, FileSlots &s) { s.clear(SlotList::Documents); }},
    {"the table emptied", [](TDataModule2 &dm, FileSlots &) { dm.KONTUR.EmptyTable(); }},
};

TEST_F(UndoJournalTest, UndoGivesBackEveryTableAndRedoAppliesAgain)
{
    for (const Action &action : kActions) {
        SCOPED_TRACE(action.label);
        const std::string before = dump(dm);
        {
            UndoScope step(&dm.Journal, action.label);
            action.act(dm, slots);
        }
        const std::string after = dump(dm);
        ASSERT_NE(before, after);
        ASSERT_TRUE(dm.Journal.canUndo());
        EXPECT_EQ(dm.Journal.undoName(), action.label);
        dm.Journal.undo();
        EXPECT_EQ(dump(dm), before);
        ASSERT_TRUE(dm.Journal.canRedo());
        EXPECT_EQ(dm.Journal.redoName(), action.label);
        dm.Journal.redo();
        EXPECT_EQ(dump(dm), after);
    }
    // And all of them back, newest first.
    const int steps = dm.Journal.undoCount();
    EXPECT_EQ(steps, static_cast<int>(std::size(kActions)));
    for (int i = 0; i < steps; ++i)
        dm.Journal.undo();
    EXPECT_FALSE(dm.Journal.canUndo());
    EXPECT_EQ(dm.Journal.redoCount(), steps);
}

TEST_F(UndoJournalTest, ListPickUndoneBringsBackTheFieldsItsRulesEmptied)
{
    Field &province = dm.PASPORTS.FieldByName("GEO_PROVINCE_ID");
    Field &area = dm.PASPORTS.FieldByName("GEO_OBLAST_ID");
    Field &district = dm.PASPORTS.FieldByName("GEO_RAION_ID");
    province.SetAsInteger(2);
    area.SetAsInteger(5);
    district.SetAsInteger(7);
    dm.Journal.clear();
    {
        UndoScope step(&dm.Journal, "Провинция");
        province.SetAsInteger(3);
    }
    ASSERT_TRUE(area.IsNull());
    ASSERT_TRUE(district.IsNull());
    dm.Journal.undo();
    EXPECT_EQ(province.AsInteger(), 2);
    EXPECT_EQ(area.AsInteger(), 5);
    EXPECT_EQ(district.AsInteger(), 7);
}

TEST_F(UndoJournalTest, DeletedHorizonUndoneSavesTheSameBytes)
{
    const std::string before = saved();
    {
        UndoScope step(&dm.Journal, "удаление горизонта");
        deleteHorizonWithPoints(dm, slots);
    }
    ASSERT_NE(saved(), before);
    dm.Journal.undo();
    EXPECT_EQ(saved(), before);
}

TEST_F(UndoJournalTest, BlobsMoveToTheJournalWithoutACopy)
{
    const std::string big(1 << 20, 'q');
    slots.attach(SlotList::Documents, "big.pdf", big);
    dm.Journal.clear();
    const std::string &stored = *[&] {
        const std::string *bytes = nullptr;
        dm.FILES.forEachStoredRecord([&](const StoredRecordView &r) {
            for (int i = 0; i < dm.FILES.FieldCount(); ++i) {
                const int index = dm.FILES.fieldAt(i).dataIndex();
                if (index >= 0 && r.bytes(index) && r.bytes(index)->size() == big.size())
                    bytes = r.bytes(index);
            }
        });
        return bytes;
    }();
    const char *data = stored.data();
    {
        UndoScope step(&dm.Journal, "очистка");
        slots.clear(SlotList::Documents);
    }
    dm.Journal.undo();
    bool same = false;
    dm.FILES.forEachStoredRecord([&](const StoredRecordView &r) {
        for (int i = 0; i < dm.FILES.FieldCount(); ++i) {
            const int index = dm.FILES.fieldAt(i).dataIndex();
            if (index >= 0 && r.bytes(index) && r.bytes(index)->data() == data)
                same = true;
        }
    });
    EXPECT_TRUE(same) << "the attachment came back as a copy";
}

TEST_F(UndoJournalTest, StackKeepsTheLastHundredSteps)
{
    Field &name = dm.PASPORTS.FieldByName("OBJECTNAME");
    for (int i = 0; i < 150; ++i) {
        UndoScope step(&dm.Journal, "имя " + std::to_string(i));
        name.SetAsString("name " + std::to_string(i));
    }
    EXPECT_EQ(dm.Journal.undoCount(), UndoJournal::kMaxSteps);
    EXPECT_EQ(dm.Journal.undoName(), "имя 149");
    while (dm.Journal.canUndo())
        dm.Journal.undo();
    EXPECT_EQ(name.AsString(), "name 49");
    EXPECT_FALSE(dm.Journal.atSavedState()); // the opened state is beyond the kept steps
}

TEST_F(UndoJournalTest, SavedStateFollowsTheStack)
{
    EXPECT_TRUE(dm.Journal.atSavedState());
    Field &name = dm.PASPORTS.FieldByName("OBJECTNAME");
    {
        UndoScope step(&dm.Journal, "имя");
        name.SetAsString("a");
    }
    EXPECT_FALSE(dm.Journal.atSavedState());
    dm.Journal.undo();
    EXPECT_TRUE(dm.Journal.atSavedState());
    dm.Journal.redo();
    saved();
    EXPECT_TRUE(dm.Journal.atSavedState());
    EXPECT_TRUE(dm.Journal.canUndo()) << "saving keeps the steps";
    {
        UndoScope step(&dm.Journal, "имя");
        name.SetAsString("b");
    }
    dm.Journal.undo();
    EXPECT_TRUE(dm.Journal.atSavedState());
}

TEST_F(UndoJournalTest, PostingAnUntouchedRecordIsNoStepAndMarksNothing)
{
    const auto path =
        std::filesystem::temp_directory_path() / ("tarvena-untouched-" + std::to_string(::getpid()) + ".psp");
    dm.SavePassport(path.string());
    dm.OpenPassport(path.string());
    std::filesystem::remove(path);
    dm.PASPORTS.Edit();
    dm.PassportModified = false;
    {
        UndoScope step(&dm.Journal, "закрытие");
        dm.PASPORTS.Post(); // the record's rules mark the passport modified on every post
    }
    EXPECT_FALSE(dm.Journal.canUndo());
    EXPECT_FALSE(dm.PassportModified);

    dm.PASPORTS.Edit();
    {
        UndoScope step(&dm.Journal, "имя");
        dm.PASPORTS.FieldByName("OBJECTNAME").SetAsString("e");
        dm.PASPORTS.Post();
    }
    EXPECT_TRUE(dm.PassportModified);
    dm.Journal.undo();
    EXPECT_FALSE(dm.PassportModified) << "back at the state read";
    dm.Journal.redo();
    EXPECT_TRUE(dm.PassportModified);
}

TEST_F(UndoJournalTest, ValueStoredLaterJoinsTheStepThatTypedIt)
{
    MemTable &horizons = dm.POSIB_PRODUCT_HOR;
    horizons.First();
    const std::string before = dump(dm);
    {
        UndoScope step(&dm.Journal, "Площадь");
        horizons.Edit();
        horizons.FieldByName("SQUARENEFTENOSN").SetAsFloat(123.5);
    }
    {
        UndoScope step(&dm.Journal, "переход"); // leaving the row stores it, the rules compute on it
        horizons.Next();
    }
    EXPECT_EQ(dm.Journal.undoCount(), 1);
    EXPECT_EQ(dm.Journal.undoName(), "Площадь");
    dm.Journal.undo();
    EXPECT_EQ(dump(dm), before);
}

TEST_F(UndoJournalTest, ChangesOutsideAScopeAreAStepOfTheirOwn)
{
    dm.REFLECT_HORIZONTS.First();
    const std::string before = dump(dm);
    dm.REFLECT_HORIZONTS.Delete();
    {
        UndoScope step(&dm.Journal, "имя");
        dm.PASPORTS.FieldByName("OBJECTNAME").SetAsString("c");
    }
    EXPECT_EQ(dm.Journal.undoCount(), 2);
    dm.Journal.undo();
    dm.Journal.undo();
    EXPECT_EQ(dump(dm), before);
}

TEST_F(UndoJournalTest, SwitchedOffRecordsNothing)
{
    dm.Journal.setEnabled(false);
    {
        UndoScope step(&dm.Journal, "имя");
        dm.PASPORTS.FieldByName("OBJECTNAME").SetAsString("d");
    }
    EXPECT_FALSE(dm.Journal.canUndo());
}

} // namespace
