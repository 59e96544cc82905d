#include "model/controlrules.h"

#include <cmath>
#include <cstdint>

namespace tarvena::controlrules {

namespace {

// A coded field read as an integer; an empty field counts as 0.
std::int64_t key(const Value &value)
{
    if (const auto *whole = std::get_if<std::int64_t>(&value))
        return *whole;
    if (const auto *real = std::get_if<double>(&value))
        return std::isfinite(*real) ? static_cast<std::int64_t>(std::llround(*real)) : 0;
    return 0;
}

} // namespace

bool otherMethodEnabled(const Value &method)
{
    return key(method) == kOtherMethod;
}

SourceTypeControls sourceTypeControls(const Value &sourceType)
{
    if (isNull(sourceType))
        return {true, true};
    if (key(sourceType) == kChargedSource)
        return {true, false};
    return {false, true};
}

bool freeTextEnabled(const Value &classifier)
{
    return key(classifier) == 0;
}

} // namespace tarvena::controlrules
