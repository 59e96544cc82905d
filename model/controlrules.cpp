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

// Pages 1 to 4 in their tab order. The name of another preparation method stays when a passport is
// opened: page 3 shows the same text as the name of another geophysical method. Of the republic,
// krai and oblast at most one is chosen, and a federal district empties all three.
const DependentControl kDependentControls[] = {
    {"FEDERALOKRUG_ID", "REPUBLIC_ID", DependentRule::Cascade},
    {"FEDERALOKRUG_ID", "KRAI_ID", DependentRule::Cascade},
    {"FEDERALOKRUG_ID", "OBLAST_ID", DependentRule::Cascade},
    {"REPUBLIC_ID", "KRAI_ID", DependentRule::Cascade},
    {"REPUBLIC_ID", "OBLAST_ID", DependentRule::Cascade},
    {"KRAI_ID", "REPUBLIC_ID", DependentRule::Cascade},
    {"KRAI_ID", "OBLAST_ID", DependentRule::Cascade},
    {"OBLAST_ID", "REPUBLIC_ID", DependentRule::Cascade},
    {"OBLAST_ID", "KRAI_ID", DependentRule::Cascade},
    {"SHOWINGUPMETHOD_ID", "OTHERMETHOD2", DependentRule::OtherMethod},
    {"PREPARATIONMETHOD_ID", "OTHERMETHOD", DependentRule::OtherMethod, false},
    {"DRIVINGTYPE_ID", "CHARGELOCATION_ID", DependentRule::ChargeLocation},
    {"DRIVINGTYPE_ID", "NONEXPLOSIVETYPE_ID", DependentRule::NonExplosiveType},
    {"DRIVINGTYPE3D_ID", "CHARGELOCATION3D_ID", DependentRule::ChargeLocation},
    {"DRIVINGTYPE3D_ID", "NONEXPLOSIVETYPE3D_ID", DependentRule::NonExplosiveType},
    {"GEO_PROVINCE_ID", "GEO_PROVINCE_DOP", DependentRule::FreeText},
    {"GEO_OBLAST_ID", "GEO_OBLAST_DOP", DependentRule::FreeText},
    {"GEO_RAION_ID", "GEO_RAION_DOP", DependentRule::FreeText},
};

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

std::span<const DependentControl> dependentControls()
{
    return kDependentControls;
}

DependentState dependentState(DependentRule rule, const Value &decider)
{
    bool enabled = true;
    switch (rule) {
    case DependentRule::OtherMethod:
        enabled = otherMethodEnabled(decider);
        break;
    case DependentRule::ChargeLocation:
        enabled = sourceTypeControls(decider).chargeLocation;
        break;
    case DependentRule::NonExplosiveType:
        enabled = sourceTypeControls(decider).nonExplosiveType;
        break;
    case DependentRule::FreeText:
        enabled = freeTextEnabled(decider);
        break;
    case DependentRule::Cascade:
        return {true, true};
    }
    return {enabled, !enabled};
}

bool followsEveryChange(DependentRule rule)
{
    return rule == DependentRule::FreeText;
}

bool appliesOnOpen(DependentRule rule)
{
    return rule != DependentRule::Cascade;
}

} // namespace tarvena::controlrules
