// The typed reading of the horizons: every horizon whatever the views left the tables in, typed as
// stored, and nothing the editor shows disturbed by the read.
#include "model/coordinates.h"
#include "model/horizonfields.h"
#include "model/horizons.h"
#include "model/probabilisticinputs.h"
#include "tests/model/rules_fixture.h"

using namespace tarvena;
using namespace tarvena::testing;

namespace {

class HorizonsTest : public RulesTest
{
protected:
    void addReflecting(const char *index, double area)
    {
        addRow(dm.REFLECT_HORIZONTS, [&](MemTable &t) {
            field(t, "INDEXOG").SetAsString(cp(index));
            field(t, "STRATIGR_ID").SetAsInteger(16004);
            field(t, "SQUARE").SetAsFloat(area);
        });
    }
    // A productive horizon with its contour points.
    void addProductive(const char *name, int uv, std::vector<std::pair<const char *, double>> values,
                       std::vector<std::array<double, 2>> points)
    {
        addRow(dm.POSIB_PRODUCT_HOR, [&](MemTable &t) {
            field(t, "STRATIGRSVIT").SetAsString(cp(name));
            field(t, "UV_ID").SetAsInteger(uv);
            for (const auto &[name, value] : values)
                field(t, name).SetAsFloat(value);
        });
        for (const auto &[x, y] : points)
            addRow(dm.KONTUR, [&](MemTable &t) {
                field(t, "X").SetAsFloat(x);
                field(t, "Y").SetAsFloat(y);
            });
    }
    std::string current(const char *name) { return dm.POSIB_PRODUCT_HOR.FieldByName(name).AsString(); }
};

TEST_F(HorizonsTest, ReadingLeavesCursorFilterEditAndViewsAlone)
{
    addReflecting("OG-III", 12.5);
    addReflecting("OG-IV", 3);
    addProductive("J1", 397, {{"POSIBLESQUARE", 7}}, {{60, 55}, {61, 55}, {61, 56}});
    addProductive("K1", 398, {}, {{62, 55}});
    addProductive("J2", 886, {}, {{63, 55}, {64, 56}});
    MemTable &horizons = dm.POSIB_PRODUCT_HOR;
    // The oil page shows its horizons, the second of them current and being edited.
    horizons.SetFilter("UV_ID=397 OR UV_ID=886");
    horizons.SetFiltered(true);
    horizons.Last();
    horizons.Edit();
    field(horizons, "STRATIGRSVIT").SetAsString(cp("J2 typed"));
    const int pointsShown = dm.KONTUR.RecordCount();

    int notices = 0;
    std::vector<TableSubscription> listening;
    for (MemTable *table : {&dm.REFLECT_HORIZONTS, &horizons, &dm.KONTUR})
        listening.emplace_back(*table, [&](const TableChange &) { ++notices; });
    int scrolls = 0;
    auto scrolled = horizons.AfterScroll;
    horizons.AfterScroll = [&](MemTable &t) {
        ++scrolls;
        scrolled(t);
    };
    const std::uint64_t stamp = dataChangeStamp();

    const Horizons read = readHorizons(dm);

    EXPECT_EQ(notices, 0);
    EXPECT_EQ(scrolls, 0);
    EXPECT_EQ(dataChangeStamp(), stamp);
    EXPECT_EQ(horizons.State(), TableState::Edit);
    EXPECT_TRUE(horizons.Modified());
    EXPECT_EQ(current("STRATIGRSVIT"), cp("J2 typed"));
    EXPECT_TRUE(horizons.Filtered());
    EXPECT_EQ(horizons.Filter, "UV_ID=397 OR UV_ID=886");
    EXPECT_EQ(horizons.RecordCount(), 2);
    EXPECT_EQ(horizons.RecNo(), 2);
    EXPECT_EQ(dm.KONTUR.RecordCount(), pointsShown);
    EXPECT_EQ(pointsShown, 2);
    EXPECT_EQ(dm.REFLECT_HORIZONTS.RecNo(), 2);

    ASSERT_EQ(read.reflecting.size(), 2u);
    EXPECT_EQ(read.reflecting[0].index, cp("OG-III"));
    EXPECT_EQ(read.reflecting[0].area, 12.5);
    EXPECT_EQ(read.reflecting[1].stratigraphicUnit, "N1");
    ASSERT_EQ(read.productive.size(), 3u);
    std::vector<std::string> names;
    for (const ProductiveHorizon &horizon : read.productive)
        names.push_back(horizon.name);
    // The horizon being edited reads as last posted.
    EXPECT_EQ(names, (std::vector<std::string>{"J1", "K1", "J2"}));
    EXPECT_EQ(read.productive[1].number, 2);
    EXPECT_EQ(read.productive[1].fluid, Fluid::Gas);
    EXPECT_EQ(read.productive[2].fluid, Fluid::OilGasCondensate);
    EXPECT_EQ(read.productive[2].fluidName, cp("нефть, газ и конденсат"));
    EXPECT_EQ(read.productive[0].contour.size(), 3u);
    EXPECT_EQ(read.productive[2].contour.size(), 2u);
    EXPECT_EQ(read.productive[2].contour[1].x, 64);
    EXPECT_EQ(horizonTitle(read.productive[2]), "Горизонт 3 «J2»");
}

TEST_F(HorizonsTest, FiguresAreTypedAsStored)
{
    // Every figure a distinct value that the entry rules accept (coefficients are fractions), so a
    // field read into the wrong member shows.
    std::vector<std::pair<const char *, double>> values;
    double next = 0.01;
    for (const auto &input : horizonfields::Inputs)
        values.push_back({input.name, next += 0.01});
    for (const auto &range : horizonfields::Ranges) {
        values.push_back({range.min, next += 0.01});
        values.push_back({range.max, next += 0.01});
    }
    for (const auto &fixed : horizonfields::Fixed)
        values.push_back({fixed.name, next += 0.01});
    for (const auto &figures : horizonfields::Probable) {
        values.push_back({figures.probable, next += 0.01});
        values.push_back({figures.probability, next += 0.01});
        values.push_back({figures.deviation, next += 0.01});
    }
    values.push_back({"POSIBLESQUARE", 0.25});
    addReflecting("OG-II", 1);
    addProductive("Ju1", 401, values, {});
    MemTable &horizons = dm.POSIB_PRODUCT_HOR;
    horizons.Edit();
    field(horizons, "KONTURKOORDTYPE").SetAsInteger(CoordGaussKruger);
    field(horizons, "REFLECTHOR_ID").SetAsInteger(dm.REFLECT_HORIZONTS.FieldByName("ID").AsInteger());
    horizons.Post();

    const std::vector<ProductiveHorizon> read = readProductiveHorizons(dm);
    ASSERT_EQ(read.size(), 1u);
    const ProductiveHorizon &h = read[0];
    EXPECT_EQ(h.id, horizons.FieldByName("ID").AsInteger());
    EXPECT_EQ(h.fluid, Fluid::GasCondensate);
    EXPECT_EQ(h.fluidName, cp("газоконденсат"));
    EXPECT_EQ(h.system, CoordGaussKruger);
    EXPECT_EQ(h.systemName, cp("Проекция Гаусса-Крюгера"));
    EXPECT_EQ(h.reflectingIndex, cp("OG-II"));
    EXPECT_EQ(h.typedArea, 0.25);
    for (const auto &input : horizonfields::Inputs)
        EXPECT_EQ(h.parameters.*input.member, field(horizons, input.name).AsFloat()) << input.name;
    for (const auto &result : horizonfields::Results) {
        const Field &shown = field(horizons, result.name);
        EXPECT_EQ(h.computed.*result.member, shown.IsNull() ? std::nullopt : std::optional(shown.AsFloat()))
            << result.name;
    }
    EXPECT_TRUE(h.computed.balanceOil.has_value());
    for (const auto &range : horizonfields::Ranges) {
        EXPECT_EQ((h.ranges.*range.member).min, field(horizons, range.min).AsFloat()) << range.min;
        EXPECT_EQ((h.ranges.*range.member).max, field(horizons, range.max).AsFloat()) << range.max;
    }
    for (const auto &fixed : horizonfields::Fixed)
        EXPECT_EQ(h.ranges.*fixed.member, field(horizons, fixed.name).AsFloat()) << fixed.name;
    for (const auto &figures : horizonfields::Probable) {
        const ProbableFigures &typed = h.probable.*figures.member;
        EXPECT_EQ(typed.probable, field(horizons, figures.probable).AsFloat()) << figures.probable;
        EXPECT_EQ(typed.probability, field(horizons, figures.probability).AsFloat()) << figures.probability;
        EXPECT_EQ(typed.deviation, field(horizons, figures.deviation).AsFloat()) << figures.deviation;
    }
    // Empty figures stay empty.
    horizons.Edit();
    field(horizons, "OILPLOTN").Clear();
    horizons.Post();
    const ProductiveHorizon cleared = readProductiveHorizons(dm).at(0);
    EXPECT_FALSE(cleared.parameters.rho.has_value());
    EXPECT_FALSE(cleared.computed.balanceOil.has_value());
}

// The probabilistic dialog reads the current horizon with what is typed into it; the command reads
// the stored ones. Both take their inputs from the typed reading.
TEST_F(HorizonsTest, ProbabilisticInputsComeFromTheTypedReading)
{
    addProductive("J1", 397,
                  {{"OILSQUAREMIN", 2}, {"OILSQUAREMAX", 4}, {"SQUARENEFTENOSN", 3}, {"OILGAZFACTOR2", 95}},
                  {});
    MemTable &horizons = dm.POSIB_PRODUCT_HOR;
    horizons.Edit();
    field(horizons, "OILSQUAREMAX").SetAsFloat(5);

    const ProductiveHorizon typed = currentProductiveHorizon(horizons);
    EXPECT_EQ(typed.name, "J1");
    EXPECT_EQ(typed.ranges.S.max, 5);
    EXPECT_EQ(readProductiveHorizons(dm).at(0).ranges.S.max, 4);
    EXPECT_EQ(horizons.State(), TableState::Edit);

    const FluidInputs oil = probabilisticInputs(ResourceFluid::Oil, typed);
    ASSERT_EQ(oil.parameters.size(), 9u);
    const ParameterRange &area = oil.parameters[0];
    EXPECT_EQ(area.symbol, "S");
    EXPECT_TRUE(area.ranged);
    EXPECT_EQ(area.min, 2);
    EXPECT_EQ(area.max, 5);
    EXPECT_EQ(area.deterministic, 3);
    EXPECT_NE(area.minTitle.find("(км2)"), std::string::npos) << area.minTitle; // the grid's title
    const ParameterRange &gasFactor = oil.parameters[8];
    EXPECT_EQ(gasFactor.symbol, "G");
    EXPECT_FALSE(gasFactor.ranged);
    EXPECT_EQ(gasFactor.deterministic, 95);

    horizons.Post();
    const std::vector<HorizonInputs> stored = readProbabilisticHorizons(dm);
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0].storedIndex, 0);
    EXPECT_EQ(stored[0].name, "J1");
    ASSERT_EQ(stored[0].fluids.size(), 1u);
    EXPECT_EQ(stored[0].fluids[0].parameters[0].max, 5);
}

TEST(Fluid, KeysAndProducts)
{
    struct Case
    {
        std::int64_t key;
        Fluid fluid;
        bool oil, gas, condensate;
    };
    const Case cases[] = {
        {397, Fluid::Oil, true, false, false},
        {398, Fluid::Gas, false, true, false},
        {399, Fluid::OilAndGas, true, true, false},
        {401, Fluid::GasCondensate, false, true, true},
        {886, Fluid::OilGasCondensate, true, true, true},
        {0, Fluid::None, false, false, false},
        {400, Fluid::None, false, false, false},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(fluidOfKey(c.key), c.fluid) << c.key;
        EXPECT_EQ(carries(c.fluid, Product::Oil), c.oil) << c.key;
        EXPECT_EQ(carries(c.fluid, Product::Gas), c.gas) << c.key;
        EXPECT_EQ(carries(c.fluid, Product::Condensate), c.condensate) << c.key;
    }
    EXPECT_EQ(productFilter(Product::Oil), "UV_ID=397 OR UV_ID=399 OR UV_ID=886");
    EXPECT_EQ(productFilter(Product::Gas), "UV_ID=398 OR UV_ID=399 OR UV_ID=401 OR UV_ID=886");
    EXPECT_EQ(productFilter(Product::Condensate), "UV_ID=401 OR UV_ID=886");
}

} // namespace
