#include "model/validation.h"

#include <cstring>
#include <ctime>
#include <span>

namespace tarvena::validation {
namespace {

std::optional<int> &yearOverride()
{
    static std::optional<int> year;
    return year;
}

constexpr Verdict Keep{};

Verdict refuse(const char *message, bool loading)
{
    return {true, loading ? nullptr : message};
}

// An inconsistent pair or axis is kept while a passport is being opened.
Verdict refuseUnlessLoading(const char *message, bool loading)
{
    return loading ? Keep : Verdict{true, message};
}

Verdict checkAxis(const FloatCheck &c)
{
    if (!c.axisPartner)
        return Keep;
    const bool fails = c.axis == AxisRole::Short ? *c.axisPartner < c.value : *c.axisPartner > c.value;
    return fails ? refuseUnlessLoading(ShortAboveLong, c.loading) : Keep;
}

Verdict checkPair(const FloatCheck &c)
{
    if (!c.pairPartner)
        return Keep;
    const double partner = *c.pairPartner;
    const char *message = nullptr;
    if (c.pair == PairRole::Max)
        message = partner > c.value ? MaxBelowMin : partner == c.value ? MaxEqualsMin : nullptr;
    else
        message = partner < c.value ? MinAboveMax : partner == c.value ? MinEqualsMax : nullptr;
    return message ? refuseUnlessLoading(message, c.loading) : Keep;
}

struct Comparison
{
    // The rule fails when earlier > later (both present).
    std::optional<int> Years::*earlier;
    std::optional<int> Years::*later;
    const char *message;
};

} // namespace

bool Verdict::operator==(const Verdict &other) const
{
    if (clear != other.clear || !message != !other.message)
        return false;
    return !message || std::strcmp(message, other.message) == 0;
}

Verdict checkFloat(const FloatCheck &c)
{
    // Written as "not above" so that a value that is not a number is refused too.
    if (!(c.value > 0))
        return refuse(NotAboveZero, c.loading);
    if (c.axis != AxisRole::None)
        return checkAxis(c);
    if (c.atMostOne && c.value > 1)
        return refuseUnlessLoading(AboveOne, c.loading);
    if (c.pair != PairRole::None)
        return checkPair(c);
    return Keep;
}

Verdict checkPositiveInteger(long long value, bool loading)
{
    return value > 0 ? Keep : refuse(NotAboveZero, loading);
}

Verdict checkIsohypse(double value, bool loading)
{
    return value == 0 ? refuse(ZeroIsohypse, loading) : Keep;
}

bool isPlausibleYear(int year, int currentYear)
{
    return year >= 1930 && year <= currentYear;
}

Verdict checkYear(YearKind kind, const Years &years, int currentYear)
{
    using Y = Years;
    static const Comparison startRules[] = {
        {&Y::showingUp, &Y::start, "Год начала подготовки не может быть раньше года выявления объекта."},
        {&Y::start, &Y::end, "Год начала подготовки не может быть позже года окончания подготовки объекта."},
        {&Y::start, &Y::report, "Год начала подготовки объекта не может быть позже года написания отчета."},
        {&Y::start, &Y::fund,
         "Год начала подготовки объекта не может быть позже года включения в фонд подготовленных."},
    };
    static const Comparison endRules[] = {
        {&Y::showingUp, &Y::end, "Год окончания подготовки не может быть раньше года выявления объекта."},
        {&Y::start, &Y::end, "Год окончания подготовки не может быть раньше года начала подготовки объекта."},
        {&Y::end, &Y::fund,
         "Год окончания подготовки объекта не может быть позже года включения в фонд подготовленных."},
    };
    static const Comparison reportRules[] = {
        {&Y::showingUp, &Y::report, "Год составления отчета не может быть раньше года выявления объекта."},
        {&Y::start, &Y::report,
         "Год составления отчета не может быть раньше года начала подготовки объекта."},
        {&Y::report, &Y::fund,
         "Год составления отчета не может быть позже года включения в фонд подготовленных."},
    };
    static const Comparison fundRules[] = {
        {&Y::showingUp, &Y::fund,
         "Год включения в фонд подготовленных не может быть раньше года выявления объекта."},
        {&Y::start, &Y::fund,
         "Год включения в фонд подготовленных не может быть раньше года начала подготовки объекта."},
        {&Y::report, &Y::fund,
         "Год включения в фонд подготовленных не может быть раньше года составления отчета."},
        {&Y::end, &Y::fund,
         "Год включения в фонд подготовленных не может быть раньше года окончания подготовки."},
    };

    struct RuleSet
    {
        std::optional<int> Years::*year;
        std::span<const Comparison> comparisons;
    };
    const RuleSet sets[] = {
        {&Y::start, startRules}, {&Y::end, endRules}, {&Y::report, reportRules}, {&Y::fund, fundRules}};
    const RuleSet &set = sets[static_cast<int>(kind)];

    const std::optional<int> &year = years.*set.year;
    if (!year)
        return Keep;
    if (!isPlausibleYear(*year, currentYear))
        return {true, nullptr};
    for (const Comparison &c : set.comparisons) {
        const std::optional<int> &earlier = years.*c.earlier;
        const std::optional<int> &later = years.*c.later;
        if (earlier && later && *later < *earlier)
            return {true, c.message};
    }
    return Keep;
}

int currentYear()
{
    if (yearOverride())
        return *yearOverride();
    const std::time_t now = std::time(nullptr);
    const std::tm *local = std::localtime(&now);
    return local ? local->tm_year + 1900 : 1970;
}

void setCurrentYear(std::optional<int> year)
{
    yearOverride() = year;
}

} // namespace tarvena::validation
