// The verdicts of the number and year rules, without tables.
#include "model/identity.h"
#include "model/validation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

using namespace tarvena;
using namespace tarvena::validation;

namespace {

constexpr Verdict Keep{};
Verdict cleared(const char *message = nullptr)
{
    return {true, message};
}

TEST(NumberRules, FloatVerdicts)
{
    struct Case
    {
        const char *what;
        FloatCheck check;
        Verdict verdict;
    };
    auto plain = [](double v, bool atMostOne = false, bool loading = false) {
        FloatCheck c;
        c.value = v;
        c.atMostOne = atMostOne;
        c.loading = loading;
        return c;
    };
    auto axis = [](double v, AxisRole role, std::optional<double> partner, bool loading = false) {
        FloatCheck c;
        c.value = v;
        c.axis = role;
        c.axisPartner = partner;
        c.loading = loading;
        return c;
    };
    auto pair = [](double v, PairRole role, std::optional<double> partner, bool atMostOne = false,
                   bool loading = false) {
        FloatCheck c;
        c.value = v;
        c.pair = role;
        c.pairPartner = partner;
        c.atMostOne = atMostOne;
        c.loading = loading;
        return c;
    };
    const Case cases[] = {
        {"positive", plain(0.5), Keep},
        {"zero", plain(0), cleared(NotAboveZero)},
        {"negative", plain(-3), cleared(NotAboveZero)},
        {"not a number", plain(NAN), cleared(NotAboveZero)},
        {"zero while opening", plain(0, false, true), cleared()},
        {"one is a fraction", plain(1, true), Keep},
        {"above one", plain(1.2, true), cleared(AboveOne)},
        {"above one while opening is kept", plain(1.2, true, true), Keep},
        {"above one is fine without the limit", plain(1.2), Keep},
        // Only the first failing condition speaks.
        {"zero long axis with a short one", axis(0, AxisRole::Long, 5.0), cleared(NotAboveZero)},
        {"long below short", axis(3, AxisRole::Long, 5.0), cleared(ShortAboveLong)},
        {"short above long", axis(6, AxisRole::Short, 5.0), cleared(ShortAboveLong)},
        {"equal axes", axis(5, AxisRole::Short, 5.0), Keep},
        {"short below long", axis(4, AxisRole::Short, 5.0), Keep},
        {"axis without partner", axis(4, AxisRole::Short, std::nullopt), Keep},
        {"odd axes kept while opening", axis(6, AxisRole::Short, 5.0, true), Keep},
        {"negative max with a min", pair(-3, PairRole::Max, 2.0), cleared(NotAboveZero)},
        {"max below min", pair(4, PairRole::Max, 5.0), cleared(MaxBelowMin)},
        {"max equal to min", pair(5, PairRole::Max, 5.0), cleared(MaxEqualsMin)},
        {"max above min", pair(6, PairRole::Max, 5.0), Keep},
        {"min above max", pair(6, PairRole::Min, 5.0), cleared(MinAboveMax)},
        {"min equal to max", pair(5, PairRole::Min, 5.0), cleared(MinEqualsMax)},
        {"min below max", pair(4, PairRole::Min, 5.0), Keep},
        {"max without min", pair(4, PairRole::Max, std::nullopt), Keep},
        {"odd pair kept while opening", pair(4, PairRole::Max, 5.0, false, true), Keep},
        {"fraction max above one", pair(1.5, PairRole::Max, 0.3, true), cleared(AboveOne)},
        {"fraction max below min", pair(0.2, PairRole::Max, 0.3, true), cleared(MaxBelowMin)},
        // The limit of one ends the rule while opening: the pair is not compared then.
        {"fraction above one while opening", pair(1.5, PairRole::Max, 2.0, true, true), Keep},
    };
    for (const Case &c : cases)
        EXPECT_EQ(checkFloat(c.check), c.verdict) << c.what;
}

TEST(NumberRules, IntegerAndIsohypse)
{
    EXPECT_EQ(checkPositiveInteger(3, false), Keep);
    EXPECT_EQ(checkPositiveInteger(0, false), cleared(NotAboveZero));
    EXPECT_EQ(checkPositiveInteger(-1, true), cleared());
    EXPECT_EQ(checkIsohypse(-1500, false), Keep);
    EXPECT_EQ(checkIsohypse(1500, false), Keep);
    EXPECT_EQ(checkIsohypse(0, false), cleared(ZeroIsohypse));
    EXPECT_EQ(checkIsohypse(0, true), cleared());
}

TEST(YearRules, PlausibleRange)
{
    EXPECT_FALSE(isPlausibleYear(1929, 2024));
    EXPECT_TRUE(isPlausibleYear(1930, 2024));
    EXPECT_TRUE(isPlausibleYear(2024, 2024));
    EXPECT_FALSE(isPlausibleYear(2025, 2024));

    Years years;
    years.start = 1929;
    EXPECT_EQ(checkYear(YearKind::Start, years, 2024), cleared());
    years.start = 2025;
    EXPECT_EQ(checkYear(YearKind::Start, years, 2024), cleared());
    years.start.reset();
    EXPECT_EQ(checkYear(YearKind::Start, years, 2024), Keep);
}

TEST(YearRules, EveryComparisonInItsOrder)
{
    struct Case
    {
        YearKind kind;
        Years years; // showing-up, start, end, report, fund
        const char *message;
    };
    const Case cases[] = {
        {YearKind::Start,
         {2000, 1999, {}, {}, {}},
         "Год начала подготовки не может быть раньше года выявления объекта."},
        {YearKind::Start,
         {{}, 2001, 2000, {}, {}},
         "Год начала подготовки не может быть позже года окончания подготовки объекта."},
        {YearKind::Start,
         {{}, 2001, {}, 2000, {}},
         "Год начала подготовки объекта не может быть позже года написания отчета."},
        {YearKind::Start,
         {{}, 2001, {}, {}, 2000},
         "Год начала подготовки объекта не может быть позже года включения в фонд подготовленных."},
        {YearKind::End,
         {2000, {}, 1999, {}, {}},
         "Год окончания подготовки не может быть раньше года выявления объекта."},
        {YearKind::End,
         {{}, 2000, 1999, {}, {}},
         "Год окончания подготовки не может быть раньше года начала подготовки объекта."},
        {YearKind::End,
         {{}, {}, 2001, {}, 2000},
         "Год окончания подготовки объекта не может быть позже года включения в фонд подготовленных."},
        {YearKind::End, {{}, {}, 2001, 2000, {}}, nullptr}, // end and report are not compared
        {YearKind::Report,
         {2000, {}, {}, 1999, {}},
         "Год составления отчета не может быть раньше года выявления объекта."},
        {YearKind::Report,
         {{}, 2000, {}, 1999, {}},
         "Год составления отчета не может быть раньше года начала подготовки объекта."},
        {YearKind::Report,
         {{}, {}, {}, 2001, 2000},
         "Год составления отчета не может быть позже года включения в фонд подготовленных."},
        {YearKind::Fund,
         {2000, {}, {}, {}, 1999},
         "Год включения в фонд подготовленных не может быть раньше года выявления объекта."},
        {YearKind::Fund,
         {{}, 2000, {}, {}, 1999},
         "Год включения в фонд подготовленных не может быть раньше года начала подготовки объекта."},
        {YearKind::Fund,
         {{}, {}, {}, 2000, 1999},
         "Год включения в фонд подготовленных не может быть раньше года составления отчета."},
        {YearKind::Fund,
         {{}, {}, 2000, {}, 1999},
         "Год включения в фонд подготовленных не может быть раньше года окончания подготовки."},
        // The first failing comparison speaks: showing-up comes before start.
        {YearKind::Fund,
         {2005, 2004, 2003, 2002, 2001},
         "Год включения в фонд подготовленных не может быть раньше года выявления объекта."},
        {YearKind::Fund, {2001, 2001, 2001, 2001, 2001}, nullptr},
    };
    for (const Case &c : cases) {
        const Verdict v = checkYear(c.kind, c.years, 2024);
        EXPECT_EQ(v.clear, c.message != nullptr) << (c.message ? c.message : "passes");
        EXPECT_STREQ(v.message, c.message);
    }
}

TEST(YearRules, CurrentYearCanBeSet)
{
    setCurrentYear(2031);
    EXPECT_EQ(currentYear(), 2031);
    setCurrentYear(std::nullopt);
    EXPECT_GE(currentYear(), 2024);
}

TEST(Identity, RandomPartPlusTicksWrapsAt32Bits)
{
    identity::setTickSource([] { return 1000u; });
    identity::seedRandom(42);
    std::set<std::int32_t> seen;
    for (int i = 0; i < 2000; ++i) {
        const std::int32_t id = identity::newRecordId(identity::HorizonIdRange);
        ASSERT_GE(id, 1000);
        ASSERT_LT(id, 1000 + identity::HorizonIdRange);
        seen.insert(id);
    }
    EXPECT_GT(seen.size(), 1900u); // draws spread over the range

    identity::seedRandom(42);
    const std::int32_t first = identity::newRecordId(identity::PointIdRange);
    identity::seedRandom(42);
    EXPECT_EQ(identity::newRecordId(identity::PointIdRange), first);

    identity::setTickSource([] { return 0xFFFFFFF0u; });
    for (int i = 0; i < 200; ++i) {
        const std::int32_t id = identity::newRecordId(identity::HorizonIdRange);
        ASSERT_GE(id, -16);
        ASSERT_LT(id, identity::HorizonIdRange - 16);
    }
    identity::setTickSource({});
    EXPECT_NE(identity::millisecondsSinceStart(), 0xFFFFFFF0u);
}

} // namespace
