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

    // The summary as UTF-8 texts by line.
    std::map<SummaryLine, std::string> summary()
    {
        const ResourceSummary sums = summarizeResources(dm);
        std::map<SummaryLine, std::string> texts;
        for (SummaryLine line : SummaryLines)
            texts[line] = codepage::cp1251ToUtf8(summaryText(sums, line));
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

const SummaryLine figureLines[] = {SummaryLine::OilD0,
                                   SummaryLine::DissolvedGasD0,
                                   SummaryLine::GasD0,
                                   SummaryLine::CondensateD0,
                                   SummaryLine::OilProbable,
                                   SummaryLine::OilRange,
                                   SummaryLine::DissolvedGasProbable,
                                   SummaryLine::DissolvedGasRange,
                                   SummaryLine::GasProbable,
                                   SummaryLine::GasRange,
                                   SummaryLine::CondensateProbable,
                                   SummaryLine::CondensateRange};

TEST_F(SummaryTest, NoHorizons)
{
    auto texts = summary();
    EXPECT_EQ(texts[SummaryLine::ProductiveHorizons], "горизонтов: 0");
    EXPECT_EQ(texts[SummaryLine::ReflectingHorizons], "горизонтов: 0");
    for (SummaryLine label : figureLines)
        EXPECT_EQ(texts[label], "") << int(label);
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
        EXPECT_EQ(texts[SummaryLine::OilProbable], c.shown);
        EXPECT_EQ(texts[SummaryLine::OilRange], c.range);
        EXPECT_EQ(texts[SummaryLine::ProductiveHorizons], "горизонтов: 1 (J1)");
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
        EXPECT_EQ(texts[SummaryLine::OilProbable], c.oil) << uv;
        EXPECT_EQ(texts[SummaryLine::DissolvedGasProbable], c.dissolved) << uv;
        EXPECT_EQ(texts[SummaryLine::GasProbable], c.gas) << uv;
        EXPECT_EQ(texts[SummaryLine::CondensateProbable], c.condensate) << uv;
        EXPECT_EQ(texts[SummaryLine::ProductiveHorizons], "горизонтов: 1 (P)") << uv;
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
    EXPECT_EQ(texts[SummaryLine::ProductiveHorizons], "горизонтов: 4 (A, B, C, D)");
    EXPECT_EQ(texts[SummaryLine::OilD0], "4.284");          // 3 x 1.428 recoverable oil
    EXPECT_EQ(texts[SummaryLine::DissolvedGasD0], "214.2"); // 3 x 71.4 dissolved gas
    EXPECT_EQ(texts[SummaryLine::GasD0], "1568.7");         // 2 x 784.35 balance gas
    EXPECT_EQ(texts[SummaryLine::CondensateD0], "0.078");   // one condensate horizon: 0.15687 x 0.5
    for (SummaryLine label :
         {SummaryLine::OilProbable, SummaryLine::OilRange, SummaryLine::DissolvedGasProbable,
          SummaryLine::DissolvedGasRange, SummaryLine::GasProbable, SummaryLine::GasRange,
          SummaryLine::CondensateProbable, SummaryLine::CondensateRange})
        EXPECT_EQ(texts[label], "") << int(label);
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
    productive().FieldByName("GAZBALANCERESOURCEPNEW").SetAsFloat(6); // counted once it is posted
    const std::string contourFilter = dm.KONTUR.Filter;

    auto texts = summary();
    EXPECT_EQ(texts[SummaryLine::ProductiveHorizons], "горизонтов: 3 (B, )");
    EXPECT_EQ(texts[SummaryLine::ReflectingHorizons], "горизонтов: 3 (T, Б, A)");
    EXPECT_EQ(texts[SummaryLine::GasProbable], "");
    // Reading moved nothing: the filter, the current horizon and its edit, the contour filter.
    EXPECT_TRUE(productive().Filtered());
    EXPECT_EQ(productive().RecNo(), 1);
    EXPECT_EQ(productive().State(), TableState::Edit);
    EXPECT_EQ(dm.REFLECT_HORIZONTS.RecNo(), 3);
    EXPECT_EQ(dm.KONTUR.Filter, contourFilter);

    productive().Post();
    EXPECT_EQ(summary()[SummaryLine::GasProbable], "6");
}

} // namespace
