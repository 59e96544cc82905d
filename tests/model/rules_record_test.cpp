// Rules of the passport record: a new passport, scale texts, region cascades, the year rules and what
// the rules do while a passport is being opened.
#include "model/identity.h"
#include "storage/codepage.h"
#include "tests/model/rules_fixture.h"

#include <filesystem>
#include <unistd.h>

using namespace tarvena;
using namespace tarvena::testing;

namespace {

namespace fs = std::filesystem;

class RecordRulesTest : public RulesTest
{
protected:
    MemTable &passport() { return dm.PASPORTS; }
    Field &pf(const char *name) { return passport().FieldByName(name); }
};

TEST_F(RecordRulesTest, NewPassportHasOnlyItsIdentity)
{
    MemTable &t = passport();
    EXPECT_EQ(t.State(), TableState::Insert);
    EXPECT_EQ(pf("ID").AsInteger(), -1);
    for (int i = 0; i < t.FieldCount(); ++i) {
        const Field &f = t.fieldAt(i);
        if (f.FieldName() != "ID") {
            EXPECT_TRUE(f.IsNull()) << f.FieldName();
        }
    }
}

TEST_F(RecordRulesTest, ScaleTexts)
{
    struct Case
    {
        std::optional<int> scale;
        const char *text;
    };
    const Case cases[] = {{25000, "1: 25 000"},
                          {1000000, "1:1 000 000"},
                          {500, "1:  500"},
                          {10000000, "1:10 000 000"},
                          {0, ""},
                          {-5, ""},
                          {std::nullopt, ""}};
    for (const char *name : {"SHOOTSCALE", "SHOOTSCALEEL", "SHOOTSCALEOT", "SHOOTSCALEST"}) {
        const std::string textField = std::string("_") + name;
        for (const Case &c : cases) {
            if (c.scale)
                pf(name).SetAsInteger(*c.scale);
            else
                pf(name).Clear();
            EXPECT_EQ(pf(textField.c_str()).AsString(), c.text) << name;
            EXPECT_EQ(pf(textField.c_str()).IsNull(), std::string(c.text).empty()) << name;
        }
    }
    pf("SHOOTSCALE").SetAsInteger(25000);
    passport().Post();
    EXPECT_EQ(pf("_SHOOTSCALE").AsString(), "1: 25 000");
}

TEST_F(RecordRulesTest, DistrictNarrowsTheSubjectViewsAndKeepsTheSubjects)
{
    pf("REPUBLIC_ID").SetAsInteger(11);
    pf("KRAI_ID").SetAsInteger(12);
    pf("OBLAST_ID").SetAsInteger(13);
    pf("FEDERALOKRUG_ID").SetAsInteger(3);
    for (int view : {2, 3, 4})
        EXPECT_EQ(dm.dict(view).Filter, "PARENT_ID=3 OR ID=0") << view;
    EXPECT_EQ(pf("REPUBLIC_ID").AsInteger(), 11);
    EXPECT_EQ(pf("KRAI_ID").AsInteger(), 12);
    EXPECT_EQ(pf("OBLAST_ID").AsInteger(), 13);

    pf("FEDERALOKRUG_ID").Clear();
    for (int view : {2, 3, 4}) {
        EXPECT_EQ(dm.dict(view).Filter, "PARENT_ID=0 OR ID=0") << view;
        EXPECT_TRUE(dm.dict(view).Filtered());
    }
}

TEST_F(RecordRulesTest, DistrictFilterShowsTheDistrictsSubjects)
{
    MemTable &districts = dm.dict(1);
    ASSERT_GT(districts.RecordCount(), 1);
    districts.Last();
    const int district = districts.FieldByName("ID").AsInteger();
    pf("FEDERALOKRUG_ID").SetAsInteger(district);
    MemTable &republics = dm.dict(2);
    ASSERT_GT(republics.RecordCount(), 1);
    bool emptyEntry = false;
    for (republics.First(); !republics.Eof(); republics.Next()) {
        const int id = republics.FieldByName("ID").AsInteger();
        emptyEntry = emptyEntry || id == 0;
        if (id != 0) {
            EXPECT_EQ(republics.FieldByName("PARENT_ID").AsInteger(), district);
        }
    }
    EXPECT_TRUE(emptyEntry);
}

TEST_F(RecordRulesTest, ProvinceCascadeEmptiesAreaAndDistrict)
{
    pf("GEO_OBLAST_ID").SetAsInteger(21);
    pf("GEO_RAION_ID").SetAsInteger(22);

    pf("GEO_PROVINCE_ID").SetAsInteger(20);
    EXPECT_TRUE(pf("GEO_OBLAST_ID").IsNull());
    EXPECT_TRUE(pf("GEO_RAION_ID").IsNull());
    EXPECT_EQ(dm.dict(12).Filter, "PARENT_ID=20 OR ID=0");
    EXPECT_EQ(dm.dict(13).Filter, "PARENT_ID=0 OR ID=0");

    pf("GEO_OBLAST_ID").SetAsInteger(21);
    EXPECT_EQ(dm.dict(13).Filter, "PARENT_ID=21 OR ID=0");
    EXPECT_EQ(pf("GEO_PROVINCE_ID").AsInteger(), 20);
}

TEST_F(RecordRulesTest, CascadesRunWithoutAMainWindow)
{
    pf("GEO_PROVINCE_ID").SetAsInteger(20);
    pf("GEO_OBLAST_ID").SetAsInteger(21);
    pf("GEO_RAION_ID").SetAsInteger(22);
    EXPECT_EQ(pf("GEO_RAION_ID").AsInteger(), 22);
}

TEST_F(RecordRulesTest, EveryPostMarksThePassportModified)
{
    MemTable *tables[] = {&dm.PASPORTS, &dm.REFLECT_HORIZONTS, &dm.POSIB_PRODUCT_HOR, &dm.KONTUR};
    for (MemTable *table : tables) {
        if (table->State() == TableState::Browse) {
            table->Append();
            // Some input: an untouched horizon or contour row is not kept.
            table->FieldByName(table == &dm.KONTUR ? "X" : "STRATIGRSVIT").SetText("1");
        }
        table->Post();
        dm.PassportModified = false;
        // A post without a changed value counts too.
        table->Edit();
        table->Post();
        EXPECT_TRUE(dm.PassportModified) << table->Name();
        dm.PassportModified = false;
    }
}

// The year rules: a year outside 1930..this year is emptied silently, an out-of-order one with its
// message.
TEST_F(RecordRulesTest, YearOutsideThePlausibleRangeIsEmptiedSilently)
{
    validation::setCurrentYear(2024);
    for (int year : {1929, 2025}) {
        pf("STARTPREPARATIONYEAR").SetAsInteger(year);
        EXPECT_TRUE(pf("STARTPREPARATIONYEAR").IsNull()) << year;
    }
    pf("STARTPREPARATIONYEAR").SetAsInteger(1930);
    pf("REPORTYEAR").SetAsInteger(2024);
    EXPECT_EQ(pf("STARTPREPARATIONYEAR").AsInteger(), 1930);
    EXPECT_EQ(pf("REPORTYEAR").AsInteger(), 2024);
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(RecordRulesTest, OutOfOrderYearsAreRefusedWithTheirMessage)
{
    validation::setCurrentYear(2024);
    struct Case
    {
        const char *set; // a year already stored
        int setValue;
        const char *typed;
        int typedValue;
        const char *message;
    };
    const Case cases[] = {
        {"SHOWINGUPYEAR", 2000, "STARTPREPARATIONYEAR", 1999,
         "Год начала подготовки не может быть раньше года выявления объекта."},
        {"ENDPREPARATIONYEAR", 2000, "STARTPREPARATIONYEAR", 2001,
         "Год начала подготовки не может быть позже года окончания подготовки объекта."},
        {"STARTPREPARATIONYEAR", 2000, "ENDPREPARATIONYEAR", 1999,
         "Год окончания подготовки не может быть раньше года начала подготовки объекта."},
        {"PREPAREDFUNDYEAR", 2000, "REPORTYEAR", 2001,
         "Год составления отчета не может быть позже года включения в фонд подготовленных."},
        {"ENDPREPARATIONYEAR", 2000, "PREPAREDFUNDYEAR", 1999,
         "Год включения в фонд подготовленных не может быть раньше года окончания подготовки."},
    };
    for (const Case &c : cases) {
        prompts.messages.clear();
        for (const char *year : {"SHOWINGUPYEAR", "STARTPREPARATIONYEAR", "ENDPREPARATIONYEAR", "REPORTYEAR",
                                 "PREPAREDFUNDYEAR"})
            pf(year).Clear();
        pf(c.set).SetAsInteger(c.setValue);
        pf(c.typed).SetAsInteger(c.typedValue);
        EXPECT_TRUE(pf(c.typed).IsNull()) << c.typed;
        EXPECT_EQ(pf(c.set).AsInteger(), c.setValue);
        ASSERT_EQ(prompts.messages.size(), 1u) << c.message;
        EXPECT_EQ(prompts.messages[0].caption, "Неверное значение!");
        EXPECT_EQ(prompts.messages[0].text, c.message);
        EXPECT_EQ(prompts.messages[0].icon, Prompts::Icon::Warning);
        EXPECT_EQ(prompts.messages[0].buttons, Prompts::Ok);
    }
}

TEST_F(RecordRulesTest, NewShowingUpYearRechecksTheChronology)
{
    validation::setCurrentYear(2024);
    pf("SHOWINGUPYEAR").SetAsInteger(2000);
    pf("STARTPREPARATIONYEAR").SetAsInteger(2001);
    pf("REPORTYEAR").SetAsInteger(2003);
    EXPECT_TRUE(prompts.messages.empty());

    pf("SHOWINGUPYEAR").SetAsInteger(2002);
    EXPECT_EQ(pf("SHOWINGUPYEAR").AsInteger(), 2002);
    EXPECT_TRUE(pf("STARTPREPARATIONYEAR").IsNull());
    EXPECT_EQ(pf("REPORTYEAR").AsInteger(), 2003);
    EXPECT_EQ(prompts.texts(),
              std::vector<std::string>{"Год начала подготовки не может быть раньше года выявления объекта."});

    // An implausible showing-up year goes silently, then the others are checked without it.
    prompts.messages.clear();
    pf("SHOWINGUPYEAR").SetAsInteger(2030);
    EXPECT_TRUE(pf("SHOWINGUPYEAR").IsNull());
    EXPECT_EQ(pf("REPORTYEAR").AsInteger(), 2003);
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(RecordRulesTest, NumberRulesOfThePassport)
{
    pf("GRIDDENCITY").SetAsFloat(-1);
    pf("MOGTREPETISHIONS").SetAsInteger(0);
    pf("MOGTREPETISHIONS3D").SetAsInteger(12);
    EXPECT_TRUE(pf("GRIDDENCITY").IsNull());
    EXPECT_TRUE(pf("MOGTREPETISHIONS").IsNull());
    EXPECT_EQ(pf("MOGTREPETISHIONS3D").AsInteger(), 12);
    EXPECT_EQ(prompts.texts(), std::vector<std::string>(2, "Значение должно быть больше нуля."));

    // The minimum distances have no rule: only a change of the maximum is compared.
    prompts.messages.clear();
    pf("MAXDISTANCE").SetAsFloat(3000);
    pf("MINDISTANCE").SetAsFloat(4000);
    pf("MINDISTANCE3D").SetAsFloat(-5);
    EXPECT_EQ(pf("MINDISTANCE").AsFloat(), 4000);
    EXPECT_EQ(pf("MINDISTANCE3D").AsFloat(), -5);
    EXPECT_TRUE(prompts.messages.empty());
    pf("MAXDISTANCE").SetAsFloat(3500);
    EXPECT_TRUE(pf("MAXDISTANCE").IsNull());
    EXPECT_EQ(prompts.texts(),
              std::vector<std::string>{"Максимальное значение должно быть больше минимального."});
}

// Opening a passport: the stored values run through the rules in field order while PassportLoading
// is set.
class OpenPassportRulesTest : public RulesTest
{
protected:
    OpenPassportRulesTest()
    {
        mDir = fs::temp_directory_path() / ("tarvena-rules-" + std::to_string(::getpid()));
        fs::create_directories(mDir);
    }
    ~OpenPassportRulesTest() override { fs::remove_all(mDir); }

    // Writes a passport whose tables hold exactly what fill stores, with no rule in the way.
    template <typename Fill> std::string writePassport(Fill fill)
    {
        TDataModule2 writer;
        writer.DataModuleCreate(dictionaryDir());
        for (MemTable *table : writer.passportTables()) {
            table->OnNewRecord = table->AfterInsert = table->BeforePost = table->AfterPost = nullptr;
            table->AfterDelete = table->AfterScroll = table->OnCalcFields = nullptr;
            for (int i = 0; i < table->FieldCount(); ++i) {
                Field &f = table->fieldAt(i);
                f.OnChange = f.OnValidate = nullptr;
                f.OnGetText = nullptr;
                f.OnSetText = nullptr;
            }
        }
        fill(writer);
        writer.PostPendingEdits();
        const std::string path = (mDir / "passport.psp").string();
        writer.SavePassport(path);
        return path;
    }

    fs::path mDir;
};

TEST_F(OpenPassportRulesTest, YearsOutOfOrderSpeakWhileOpening)
{
    validation::setCurrentYear(2024);
    const std::string path = writePassport([](TDataModule2 &w) {
        MemTable &p = w.PASPORTS;
        p.FieldByName("SHOWINGUPYEAR").SetAsInteger(2005);
        p.FieldByName("STARTPREPARATIONYEAR").SetAsInteger(2003); // before showing-up
        p.FieldByName("ENDPREPARATIONYEAR").SetAsInteger(2006);
        p.FieldByName("REPORTYEAR").SetAsInteger(2007);
        p.FieldByName("PREPAREDFUNDYEAR").SetAsInteger(2004); // before the end year
    });
    ASSERT_TRUE(dm.OpenPassport(path));
    MemTable &p = dm.PASPORTS;
    EXPECT_EQ(p.FieldByName("SHOWINGUPYEAR").AsInteger(), 2005);
    EXPECT_TRUE(p.FieldByName("STARTPREPARATIONYEAR").IsNull());
    EXPECT_EQ(p.FieldByName("ENDPREPARATIONYEAR").AsInteger(), 2006);
    EXPECT_EQ(p.FieldByName("REPORTYEAR").AsInteger(), 2007);
    EXPECT_TRUE(p.FieldByName("PREPAREDFUNDYEAR").IsNull());
    EXPECT_EQ(prompts.texts(),
              (std::vector<std::string>{
                  "Год начала подготовки не может быть раньше года выявления объекта.",
                  "Год включения в фонд подготовленных не может быть раньше года выявления объекта."}));
}

TEST_F(OpenPassportRulesTest, NumberRulesAreSilentWhileOpening)
{
    const std::string path = writePassport([](TDataModule2 &w) {
        MemTable &p = w.PASPORTS;
        p.FieldByName("GRIDDENCITY").SetAsFloat(0);
        p.FieldByName("MAXDISTANCE").SetAsFloat(100);
        p.FieldByName("MINDISTANCE").SetAsFloat(200);
        p.FieldByName("GEO_PROVINCE_ID").SetAsInteger(20);
        p.FieldByName("GEO_OBLAST_ID").SetAsInteger(21);
        p.FieldByName("GEO_RAION_ID").SetAsInteger(22);
        MemTable &r = w.REFLECT_HORIZONTS;
        r.Append();
        r.FieldByName("ID").SetAsInteger(5);
        r.FieldByName("SQUARE").SetAsFloat(0);
        r.FieldByName("KOEFPROSL").SetAsFloat(1.2);
        r.FieldByName("LONGAXIS").SetAsFloat(2);
        r.FieldByName("SHORTAXIS").SetAsFloat(3);
        r.FieldByName("IZOGIPSMARK").SetAsFloat(0);
        r.Post();
        MemTable &h = w.POSIB_PRODUCT_HOR;
        h.Append();
        h.FieldByName("ID").SetAsInteger(6);
        h.FieldByName("OILSQUAREMIN").SetAsFloat(5);
        h.FieldByName("OILSQUAREMAX").SetAsFloat(4);
        h.FieldByName("IZOGIPSMARK").SetAsFloat(1500);
        h.Post();
    });
    ASSERT_TRUE(dm.OpenPassport(path));
    EXPECT_TRUE(prompts.messages.empty());

    MemTable &p = dm.PASPORTS;
    EXPECT_TRUE(p.FieldByName("GRIDDENCITY").IsNull());
    EXPECT_EQ(p.FieldByName("MAXDISTANCE").AsFloat(), 100);
    // Each level of the cascade is cleared before its own value is assigned, never after.
    EXPECT_EQ(p.FieldByName("GEO_PROVINCE_ID").AsInteger(), 20);
    EXPECT_EQ(p.FieldByName("GEO_OBLAST_ID").AsInteger(), 21);
    EXPECT_EQ(p.FieldByName("GEO_RAION_ID").AsInteger(), 22);

    MemTable &r = dm.REFLECT_HORIZONTS;
    r.First();
    EXPECT_TRUE(r.FieldByName("SQUARE").IsNull());
    EXPECT_EQ(r.FieldByName("KOEFPROSL").AsFloat(), 1.2);
    EXPECT_EQ(r.FieldByName("SHORTAXIS").AsFloat(), 3);
    EXPECT_TRUE(r.FieldByName("IZOGIPSMARK").IsNull());

    MemTable &h = dm.POSIB_PRODUCT_HOR;
    h.First();
    EXPECT_EQ(h.FieldByName("OILSQUAREMAX").AsFloat(), 4);
    EXPECT_EQ(h.FieldByName("IZOGIPSMARK").AsFloat(), -1500);
    EXPECT_FALSE(dm.PassportLoading);
}

} // namespace
