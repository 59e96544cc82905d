// The geology summary: names and counts of both horizon tables and the resource sums by fluid.
#include "model/geologysummary.h"
#include "storage/codepage.h"
#include "tests/model/rules_fixture.h"

#include <map>

using namespace tarvena;
using namespace tarvena::testing;

namespace {

class SummaryTest : public RulesTest
{
protected:
    MemTable &productive() { return dm.POSIB_PRODUCT_HOR; }

    // The summary as UTF-8 texts by label name; also checks the label order.
    std::map<std::string, std::string> summary()
    {
        const std::vector<SummaryLabel> labels = computeGeologySummary(dm);
        std::vector<std::string> names;
        std::map<std::string, std::string> texts;
        for (const SummaryLabel &label : labels) {
            names.push_back(label.name);
            texts[label.name] = codepage::cp1251ToUtf8(label.text);
        }
        EXPECT_EQ(names, (std::vector<std::string>{"Label29", "Label71", "Label72", "Label73", "Label74",
                                                   "Label75", "Label93", "Label95", "Label97", "Label99",
                                                   "Label102", "Label101", "Label106", "Label105"}));
        return texts;
    }

    void addHorizon(const char *name, std::optional<int> uv,
                    std::vector<std::pair<const char *, double>> values = {})
    {
        addRow(productive(), [&](MemTable &t) {
            t.FieldByName("STRATIGRSVIT").SetAsString(cp(name));
            if (uv)
                t.FieldByName("UV_ID").SetAsInteger(*uv);
            for (const auto &[field, value] : values)
                t.FieldByName(field).SetAsFloat(value);
        });
    }
};

const char *const figureLabels[] = {"Label72", "Label73", "Label74",  "Label75",  "Label93",  "Label95",
                                    "Label97", "Label99", "Label102", "Label101", "Label106", "Label105"};

TEST_F(SummaryTest, NoHorizons)
{
    auto texts = summary();
    EXPECT_EQ(texts["Label29"], "горизонтов: 0");
    EXPECT_EQ(texts["Label71"], "горизонтов: 0");
    for (const char *label : figureLabels)
        EXPECT_EQ(texts[label], "") << label;
}

TEST_F(SummaryTest, OilRangeOfThreeDeviations)
{
    struct Case
    {
        std::optional<double> probable, deviation;
        const char *shown, *range;
    };
    const Case cases[] = {
        {10, 2, "10", "от 4   до 16"},
        {10, std::nullopt, "10", "от 10   до 10"},
        {1, 1, "1", "от -2   до 4"},
        {3, 1, "3", ""}, // the low end is exactly 0
        {0.0005, std::nullopt, "0.001", "от 0.001   до 0.001"},
    };
    for (const Case &c : cases) {
        productive().EmptyTable();
        std::vector<std::pair<const char *, double>> values;
        if (c.probable)
            values.push_back({"OILPERSPECTRESOURCEP", *c.probable});
        if (c.deviation)
            values.push_back({"OILPERSPECTRESOURCES", *c.deviation});
        addHorizon("J1", 397, values);
        auto texts = summary();
        EXPECT_EQ(texts["Label93"], c.shown);
        EXPECT_EQ(texts["Label95"], c.range);
        EXPECT_EQ(texts["Label29"], "горизонтов: 1 (J1)");
    }
}

TEST_F(SummaryTest, FluidClassesDecideTheSums)
{
    struct Case
    {
        std::optional<int> uv;
        // Most probable oil, dissolved gas, gas, condensate.
        const char *oil, *dissolved, *gas, *condensate;
    };
    const Case cases[] = {
        {397, "1", "2", "", ""},        {398, "", "", "3", ""},    {399, "1", "2", "3", ""},
        {401, "", "", "3", "4"},        {886, "1", "2", "3", "4"}, {400, "", "", "", ""},
        {std::nullopt, "", "", "", ""},
    };
    for (const Case &c : cases) {
        productive().EmptyTable();
        addHorizon("P", c.uv,
                   {{"OILPERSPECTRESOURCEP", 1},
                    {"PERSPRESGAZRASTVP", 2},
                    {"GAZBALANCERESOURCEPNEW", 3},
                    {"IZVLEKRESGAZCONDPNEW", 4}});
        auto texts = summary();
        const int uv = c.uv.value_or(-1);
        EXPECT_EQ(texts["Label93"], c.oil) << uv;
        EXPECT_EQ(texts["Label97"], c.dissolved) << uv;
        EXPECT_EQ(texts["Label102"], c.gas) << uv;
        EXPECT_EQ(texts["Label106"], c.condensate) << uv;
        EXPECT_EQ(texts["Label29"], "горизонтов: 1 (P)") << uv;
    }
}

TEST_F(SummaryTest, DeterministicSumsAcrossHorizons)
{
    const std::vector<std::pair<const char *, double>> oil = {
        {"SQUARENEFTENOSN", 10}, {"EFECTOILWIDTH", 5}, {"OILKOEFOTKRPORIST", 0.2},
        {"KOEFOILNASUSH", 0.7},  {"OILPLOTN", 0.85},   {"OILPERERASCHKOEF", 0.8},
        {"KOEFOILIZVL", 0.3},    {"OILGAZFACTOR", 50}};
    const std::vector<std::pair<const char *, double>> gas = {
        {"SQUAREGAZONOSN", 10},          {"EFECTGAZWIDTH", 5},           {"GAZKOEFOTKRPORIST", 0.2},
        {"KOEFGAZNASUSH", 0.7},          {"GAZSTARTPLASTPREASURE", 200}, {"GAZKOEFSZIM", 0.8},
        {"GAZENDPLASTPREASURE", 1},      {"GAZTEMPERPOPR", 0.9},         {"GAZSODSUH", 0.5},
        {"GAZCONDAVGSTARTCONSIST", 100}, {"GAZCONDKOEFIZVLECH", 0.5}};
    std::vector<std::pair<const char *, double>> both = oil;
    both.insert(both.end(), gas.begin(), gas.end());
    addHorizon("A", 397, oil);
    addHorizon("B", 397, oil);
    addHorizon("C", 886, both);
    addHorizon("D", 398, both); // its oil figures belong to no oil class

    auto texts = summary();
    EXPECT_EQ(texts["Label29"], "горизонтов: 4 (A, B, C, D)");
    EXPECT_EQ(texts["Label72"], "4.284");  // 3 x 1.428 recoverable oil
    EXPECT_EQ(texts["Label73"], "214.2");  // 3 x 71.4 dissolved gas
    EXPECT_EQ(texts["Label74"], "1568.7"); // 2 x 784.35 balance gas
    EXPECT_EQ(texts["Label75"], "0.078");  // one condensate horizon: 0.15687 x 0.5
    for (const char *label :
         {"Label93", "Label95", "Label97", "Label99", "Label102", "Label101", "Label106", "Label105"})
        EXPECT_EQ(texts[label], "") << label;
}

TEST_F(SummaryTest, NamesAndTheStateLeftBehind)
{
    addHorizon("", 397);
    addHorizon("B", 397);
    addHorizon("", 398);
    for (const char *index : {"T", "Б", "A"})
        addRow(dm.REFLECT_HORIZONTS, [&](MemTable &t) { t.FieldByName("INDEXOG").SetAsString(cp(index)); });

    // The resource pages may have left a filter on; the summary sums every horizon anyway.
    productive().SetFilter("UV_ID=398");
    productive().SetFiltered(true);
    productive().Last();
    productive().Edit();
    productive().FieldByName("GAZBALANCERESOURCEPNEW").SetAsFloat(6); // a pending edit is posted first

    auto texts = summary();
    EXPECT_EQ(texts["Label29"], "горизонтов: 3 (B, )");
    EXPECT_EQ(texts["Label71"], "горизонтов: 3 (T, Б, A)");
    EXPECT_EQ(texts["Label102"], "6");
    EXPECT_FALSE(productive().Filtered());
    EXPECT_EQ(productive().RecNo(), 1);
    EXPECT_EQ(productive().State(), TableState::Browse);
    EXPECT_EQ(dm.REFLECT_HORIZONTS.RecNo(), 1);
    // The contour filter follows the first horizon.
    EXPECT_EQ(dm.KONTUR.Filter, "HEAD_ID=" + std::to_string(productive().FieldByName("ID").AsInteger()));
}

} // namespace
