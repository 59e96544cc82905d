// Rules of both horizon tables: identities, the isohypse sign, scale texts, computed resources, the
// contour filter, and the number rules with their axis and MIN/MAX partners.
#include "model/identity.h"
#include "model/passportschema.h"
#include "tests/model/rules_fixture.h"

#include <set>

using namespace tarvena;
using namespace tarvena::testing;

namespace {

class HorizonRulesTest : public RulesTest
{
protected:
    MemTable &reflect() { return dm.REFLECT_HORIZONTS; }
    MemTable &productive() { return dm.POSIB_PRODUCT_HOR; }
    Field &hf(const char *name) { return productive().FieldByName(name); }
    std::string shown(const char *name) { return hf(name).DisplayText(); }
};

TEST_F(HorizonRulesTest, IdentityAtFirstPostOnly)
{
    identity::setTickSource([] { return 0xFFFFFFF0u; });
    for (MemTable *table : {&reflect(), &productive()}) {
        identity::seedRandom(99);
        const std::int32_t expected = static_cast<std::int32_t>(
            static_cast<std::uint32_t>(identity::randomBelow(identity::HorizonIdRange)) + 0xFFFFFFF0u);
        identity::seedRandom(99);
        table->Append();
        EXPECT_TRUE(table->FieldByName("ID").IsNull());
        table->FieldByName("STRATIGRSVIT").SetAsString("x"); // an untouched row is not kept
        table->Post();
        EXPECT_EQ(table->FieldByName("ID").AsInteger(), expected) << table->Name();

        table->Edit();
        table->Post();
        EXPECT_EQ(table->FieldByName("ID").AsInteger(), expected) << table->Name();

        table->Append();
        table->FieldByName("ID").SetAsInteger(77);
        table->Post();
        EXPECT_EQ(table->FieldByName("ID").AsInteger(), 77) << table->Name();
    }
    identity::setTickSource({});
}

TEST_F(HorizonRulesTest, IsohypseIsStoredBelowZero)
{
    struct Case
    {
        double typed;
        std::optional<double> stored;
        int messages;
    };
    const Case cases[] = {{1500, -1500, 0}, {-1500, -1500, 0}, {2500, -2500, 0}, {0, std::nullopt, 1}};
    for (MemTable *table : {&reflect(), &productive()}) {
        table->Append();
        for (const Case &c : cases) {
            prompts.messages.clear();
            table->FieldByName("IZOGIPSMARK").SetAsFloat(c.typed);
            const Field &mark = table->FieldByName("IZOGIPSMARK");
            EXPECT_EQ(mark.IsNull(), !c.stored) << table->Name() << " " << c.typed;
            if (c.stored) {
                EXPECT_EQ(mark.AsFloat(), *c.stored) << table->Name() << " " << c.typed;
            }
            ASSERT_EQ(prompts.messages.size(), static_cast<std::size_t>(c.messages));
            if (c.messages) {
                EXPECT_EQ(prompts.messages[0].text, "Значение не должно быть равно нулю.");
            }
        }
        table->Post();
    }
}

TEST_F(HorizonRulesTest, ScaleText)
{
    for (MemTable *table : {&reflect(), &productive()}) {
        table->Append();
        table->FieldByName("SCALE").SetAsInteger(50000);
        EXPECT_EQ(table->FieldByName("_scale").AsString(), "1: 50 000") << table->Name();
        table->FieldByName("SCALE").Clear();
        EXPECT_TRUE(table->FieldByName("_scale").IsNull()) << table->Name();
        table->Post();
    }
}

TEST_F(HorizonRulesTest, WorkedResources)
{
    productive().Append();
    EXPECT_EQ(hf("KOEFOILZAP").AsFloat(), 1); // a new horizon starts full
    const std::pair<const char *, double> inputs[] = {{"SQUARENEFTENOSN", 10},
                                                      {"EFECTOILWIDTH", 5},
                                                      {"OILKOEFOTKRPORIST", 0.2},
                                                      {"KOEFOILNASUSH", 0.7},
                                                      {"OILPLOTN", 0.85},
                                                      {"OILPERERASCHKOEF", 0.8},
                                                      {"KOEFOILIZVL", 0.3},
                                                      {"OILGAZFACTOR", 50},
                                                      {"SQUAREGAZONOSN", 10},
                                                      {"EFECTGAZWIDTH", 5},
                                                      {"GAZKOEFOTKRPORIST", 0.2},
                                                      {"KOEFGAZNASUSH", 0.7},
                                                      {"GAZSTARTPLASTPREASURE", 200},
                                                      {"GAZKOEFSZIM", 0.8},
                                                      {"GAZENDPLASTPREASURE", 1},
                                                      {"GAZTEMPERPOPR", 0.9},
                                                      {"GAZCONDAVGSTARTCONSIST", 100},
                                                      {"GAZSODSUH", 0.5},
                                                      {"GAZCONDKOEFIZVLECH", 0.5}};
    for (const auto &[name, value] : inputs)
        hf(name).SetAsFloat(value);
    const std::pair<const char *, const char *> expected[] = {
        {"CALC_BAL_RES", "4.76"},          {"CALC_PERSP_RES", "1.428"},  {"CALC_PERSP_RES_RGAZ", "71.4"},
        {"CALC_BALGAZ_RES", "1568.7"},     {"CALC_NEWGAZBAL", "784.35"}, {"CALC_BALGAZCOND_RES", "0.157"},
        {"CALC_PERSPGAZCOND_RES", "0.078"}};
    for (const auto &[name, text] : expected) {
        EXPECT_EQ(shown(name), text) << name;
        EXPECT_EQ(hf(name).DisplayFormat, "#########0.###") << name;
        EXPECT_TRUE(hf(name).ReadOnly) << name;
    }
    EXPECT_DOUBLE_EQ(hf("CALC_BALGAZCOND_RES").AsFloat(), 0.15687);

    // After the post and on a cursor move the figures are computed again for the record reached.
    productive().Post();
    productive().Append();
    hf("STRATIGRSVIT").SetAsString("x"); // an untouched row is not kept
    productive().Post();
    productive().First();
    EXPECT_EQ(shown("CALC_PERSP_RES_RGAZ"), "71.4");
    productive().Last();
    EXPECT_TRUE(hf("CALC_BAL_RES").IsNull());

    // Emptying the fill factor by hand empties every oil figure; the gas figures stay.
    productive().First();
    productive().Edit();
    hf("KOEFOILZAP").Clear();
    for (const char *name : {"CALC_BAL_RES", "CALC_PERSP_RES", "CALC_PERSP_RES_RGAZ"})
        EXPECT_TRUE(hf(name).IsNull()) << name;
    EXPECT_EQ(shown("CALC_BALGAZ_RES"), "1568.7");
}

TEST_F(HorizonRulesTest, ContourFilterFollowsTheCurrentHorizon)
{
    MemTable &contour = dm.KONTUR;
    addRow(productive(), [](MemTable &t) { t.FieldByName("ID").SetAsInteger(101); });
    addRow(productive(), [](MemTable &t) { t.FieldByName("ID").SetAsInteger(102); });
    productive().First();
    EXPECT_TRUE(contour.Filtered());
    EXPECT_EQ(contour.Filter, "HEAD_ID=101");
    productive().Next();
    EXPECT_EQ(contour.Filter, "HEAD_ID=102");

    // A horizon being inserted shows the points of every horizon until the cursor moves.
    productive().Append();
    EXPECT_FALSE(contour.Filtered());
    hf("STRATIGRSVIT").SetAsString("x"); // an untouched row is not kept
    productive().Post();
    EXPECT_FALSE(contour.Filtered());
    const int id = hf("ID").AsInteger();
    productive().First();
    productive().Last();
    EXPECT_TRUE(contour.Filtered());
    EXPECT_EQ(contour.Filter, "HEAD_ID=" + std::to_string(id));
}

TEST_F(HorizonRulesTest, NumberRulesSpeakOnceAndCompareTheirPartners)
{
    struct Step
    {
        const char *field;
        double value;
    };
    struct Case
    {
        const char *what;
        MemTable *table;
        std::vector<Step> steps; // the last step is the one judged
        bool kept;
        std::vector<std::string> messages;
    };
    const std::string aboveZero = "Значение должно быть больше нуля.";
    const std::string axes = "Значение для \"Короткой оси\" не может быть больше, чем для \"Длинной оси\".";
    const Case cases[] = {
        {"zero long axis", &reflect(), {{"SHORTAXIS", 3}, {"LONGAXIS", 0}}, false, {aboveZero}},
        {"negative maximum", &productive(), {{"OILSQUAREMIN", 2}, {"OILSQUAREMAX", -3}}, false, {aboveZero}},
        {"fraction above one",
         &productive(),
         {{"OILKOEFOTKRPORMIN", 0.3}, {"OILKOEFOTKRPORMAX", 1.5}},
         false,
         {"Значение не может быть больше единицы."}},
        {"one is allowed", &reflect(), {{"KOEFPROSL", 1}}, true, {}},
        {"max equal to min",
         &productive(),
         {{"OILSQUAREMIN", 5}, {"OILSQUAREMAX", 5}},
         false,
         {"Максимальное значение не должно быть совпадать с минимальным."}},
        {"max below min",
         &productive(),
         {{"OILSQUAREMIN", 5}, {"OILSQUAREMAX", 4}},
         false,
         {"Максимальное значение должно быть больше минимального."}},
        {"min above max",
         &productive(),
         {{"GAZWIDTHMAX", 5}, {"GAZWIDTHMIN", 6}},
         false,
         {"Минимальное значение должно быть меньше максимального."}},
        {"min equal to max",
         &productive(),
         {{"SODSIHGORMAX", 0.5}, {"SODSIHGORMIN", 0.5}},
         false,
         {"Минимальное значение не должно быть совпадать с максимальным."}},
        {"min below max", &productive(), {{"IZVLEKRESGAZCONDMAX", 5}, {"IZVLEKRESGAZCONDMIN", 4}}, true, {}},
        {"short axis above long", &productive(), {{"LONGAXIS", 3}, {"SHORTAXIS", 4}}, false, {axes}},
        {"long axis below short", &reflect(), {{"SHORTAXIS", 4}, {"LONGAXIS", 3}}, false, {axes}},
        {"equal axes", &reflect(), {{"SHORTAXIS", 4}, {"LONGAXIS", 4}}, true, {}},
        {"axis alone", &productive(), {{"SHORTAXIS", 40}}, true, {}},
    };
    for (const Case &c : cases) {
        c.table->Append();
        prompts.messages.clear();
        for (const Step &step : c.steps)
            c.table->FieldByName(step.field).SetAsFloat(step.value);
        const Field &judged = c.table->FieldByName(c.steps.back().field);
        EXPECT_EQ(!judged.IsNull(), c.kept) << c.what;
        EXPECT_EQ(prompts.texts(), c.messages) << c.what;
        for (const RecordingPrompts::Message &m : prompts.messages) {
            EXPECT_EQ(m.caption, "Неверное значение!");
            EXPECT_EQ(m.icon, Prompts::Icon::Warning);
        }
        c.table->Cancel();
    }
}

// Which rule each Float field carries: -1 is refused by the positive rules, 1.5 by the fraction rules.
TEST_F(HorizonRulesTest, EveryFloatFieldCarriesItsRule)
{
    const std::set<std::string> fractions = {"KOEFPROSL",
                                             "APRIORVEROYATN",
                                             "VEROYATNSTRUCT",
                                             "OILKOEFOTKRPORIST",
                                             "KOEFOILNASUSH",
                                             "OILPERERASCHKOEF",
                                             "KOEFOILIZVL",
                                             "PERSPRESGAZRASTVPD",
                                             "OILKOEFOTKRPORMIN",
                                             "OILKOEFOTKRPORMAX",
                                             "OILNASUSHMIN",
                                             "OILNASUSHMAX",
                                             "OILKOEFPERERASCHMIN",
                                             "OILKOEFPERERASCHMAX",
                                             "OILKOEFIZVLECHMIN",
                                             "OILKOEFIZVLECHMAX",
                                             "OILBALANCERESOURCEPD",
                                             "OILPERSPECTRESOURCEPD",
                                             "GAZKOEFOTKRPORIST",
                                             "KOEFGAZNASUSH",
                                             "GAZKOEFOTKRPORMIN",
                                             "GAZKOEFOTKRPORMAX",
                                             "GAZNASUSHMIN",
                                             "GAZNASUSHMAX",
                                             "GAZBALANCERESOURCEPD",
                                             "GAZCONDKOEFIZVLECH",
                                             "GAZCONKOEFIZVLECHMIN",
                                             "GAZCONKOEFIZVLECHMAX",
                                             "GAZBALANCERESOURCEPDNEW",
                                             "SODSIHGORMIN",
                                             "SODSIHGORMAX",
                                             "IZVLEKRESGAZCONDPDNEW",
                                             "KOEFOILZAP"};
    // Float fields with no number rule at all.
    const std::set<std::string> free = {
        "IZOGIPSMARK", "MINDISTANCE", "MINDISTANCE3D", "WORKVOLUME", "WORKPICE", "TOTALPRICE", "X", "Y"};
    int checked = 0;
    for (MemTable *table : {&dm.PASPORTS, &reflect(), &productive(), &dm.KONTUR}) {
        for (int i = 0; i < table->FieldCount(); ++i) {
            Field &f = table->fieldAt(i);
            if (f.Kind() != StoredFieldKind::Data || f.DataType() != FieldType::Float)
                continue;
            const std::string name = f.FieldName();
            for (double value : {-1.0, 1.5}) {
                if (table->State() == TableState::Browse)
                    table->Append();
                f.SetAsFloat(value);
                const bool refused = free.count(name) ? false : value < 0 || fractions.count(name) > 0;
                EXPECT_EQ(f.IsNull(), refused) << table->Name() << "." << name << " = " << value;
                if (table != &dm.PASPORTS)
                    table->Cancel();
                else
                    f.Clear();
            }
            ++checked;
        }
    }
    // PASPORTS 18, REFLECT_HORIZONTS 16, POSIB_PRODUCT_HOR 86, KONTUR 2.
    EXPECT_EQ(checked, 18 + 16 + 86 + 2);
}

} // namespace
