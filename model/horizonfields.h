#pragma once
// Where each typed figure of a productive horizon is stored: the field names of POSIB_PRODUCT_HOR
// beside the members of the typed reading, so readers and writers go through one table.
#include "model/horizons.h"

#include <array>

namespace tarvena::horizonfields {

struct InputField
{
    const char *name;
    std::optional<double> ResourceInputs::*member;
};

inline constexpr std::array<InputField, 20> Inputs = {{
    {"SQUARENEFTENOSN", &ResourceInputs::S},
    {"EFECTOILWIDTH", &ResourceInputs::h},
    {"OILKOEFOTKRPORIST", &ResourceInputs::m},
    {"KOEFOILNASUSH", &ResourceInputs::Kn},
    {"OILPLOTN", &ResourceInputs::rho},
    {"KOEFOILZAP", &ResourceInputs::Kf},
    {"OILPERERASCHKOEF", &ResourceInputs::theta},
    {"KOEFOILIZVL", &ResourceInputs::Kr},
    {"OILGAZFACTOR", &ResourceInputs::G},
    {"SQUAREGAZONOSN", &ResourceInputs::F},
    {"EFECTGAZWIDTH", &ResourceInputs::hg},
    {"GAZKOEFOTKRPORIST", &ResourceInputs::mg},
    {"KOEFGAZNASUSH", &ResourceInputs::Kg},
    {"GAZSTARTPLASTPREASURE", &ResourceInputs::P0},
    {"GAZENDPLASTPREASURE", &ResourceInputs::Pk},
    {"GAZKOEFSZIM", &ResourceInputs::z},
    {"GAZTEMPERPOPR", &ResourceInputs::f},
    {"GAZSODSUH", &ResourceInputs::d},
    {"GAZCONDAVGSTARTCONSIST", &ResourceInputs::c},
    {"GAZCONDKOEFIZVLECH", &ResourceInputs::Kc},
}};

struct ResultField
{
    const char *name;
    std::optional<double> ResourceResults::*member;
};

// The computed resources (calculated fields), in the order the exports list them.
inline constexpr std::array<ResultField, 7> Results = {{
    {"CALC_BAL_RES", &ResourceResults::balanceOil},
    {"CALC_PERSP_RES", &ResourceResults::recoverableOil},
    {"CALC_PERSP_RES_RGAZ", &ResourceResults::dissolvedGas},
    {"CALC_BALGAZ_RES", &ResourceResults::initialGas},
    {"CALC_NEWGAZBAL", &ResourceResults::balanceGas},
    {"CALC_BALGAZCOND_RES", &ResourceResults::balanceCondensate},
    {"CALC_PERSPGAZCOND_RES", &ResourceResults::recoverableCond},
}};

struct RangeField
{
    const char *min;
    const char *max;
    Range ResourceRanges::*member;
};

inline constexpr std::array<RangeField, 20> Ranges = {{
    {"OILSQUAREMIN", "OILSQUAREMAX", &ResourceRanges::S},
    {"OILWIDTHMIN", "OILWIDTHMAX", &ResourceRanges::h},
    {"OILKOEFOTKRPORMIN", "OILKOEFOTKRPORMAX", &ResourceRanges::m},
    {"OILNASUSHMIN", "OILNASUSHMAX", &ResourceRanges::Kn},
    {"OILPLOTNSURFMIN", "OILPLOTNSURFMAX", &ResourceRanges::rho},
    {"OILKOEFPERERASCHMIN", "OILKOEFPERERASCHMAX", &ResourceRanges::theta},
    {"OILKOEFIZVLECHMIN", "OILKOEFIZVLECHMAX", &ResourceRanges::Kr},
    {"GAZSQUAREMIN", "GAZSQUAREMAX", &ResourceRanges::F},
    {"GAZWIDTHMIN", "GAZWIDTHMAX", &ResourceRanges::hg},
    {"GAZKOEFOTKRPORMIN", "GAZKOEFOTKRPORMAX", &ResourceRanges::mg},
    {"GAZNASUSHMIN", "GAZNASUSHMAX", &ResourceRanges::Kg},
    {"GAZSTARTPREASUREMIN", "GAZSTARTPREASUREMAX", &ResourceRanges::P0},
    {"GAZKOEFSZIMMIN", "GAZKOEFSZIMMAX", &ResourceRanges::z},
    {"GAZTEMPERPOPRMIN", "GAZTEMPERPOPRMAX", &ResourceRanges::f},
    {"SODSIHGORMIN", "SODSIHGORMAX", &ResourceRanges::d},
    {"GAZCONBALANCERESGAZMIN", "GAZCONBALANCERESGAZMAX", &ResourceRanges::initialGas},
    {"GAZCONNACHSODKONDMIN", "GAZCONNACHSODKONDMAX", &ResourceRanges::c},
    {"BALANCERESGAZCONDMIN", "BALANCERESGAZCONDMAX", &ResourceRanges::balanceCondensate},
    {"GAZCONKOEFIZVLECHMIN", "GAZCONKOEFIZVLECHMAX", &ResourceRanges::Kc},
    {"IZVLEKRESGAZCONDMIN", "IZVLEKRESGAZCONDMAX", &ResourceRanges::recoverableCondensate},
}};

struct FixedField
{
    const char *name;
    std::optional<double> ResourceRanges::*member;
};

inline constexpr std::array<FixedField, 2> Fixed = {{
    {"OILGAZFACTOR2", &ResourceRanges::G},
    {"GAZSTARTPREASURE", &ResourceRanges::Pk},
}};

struct ProbableField
{
    const char *probable;
    const char *probability;
    const char *deviation;
    ProbableFigures ProbableResources::*member;
};

inline constexpr std::array<ProbableField, 6> Probable = {{
    {"OILBALANCERESOURCEP", "OILBALANCERESOURCEPD", "OILBALANCERESOURCES", &ProbableResources::balanceOil},
    {"OILPERSPECTRESOURCEP", "OILPERSPECTRESOURCEPD", "OILPERSPECTRESOURCES",
     &ProbableResources::recoverableOil},
    {"PERSPRESGAZRASTVP", "PERSPRESGAZRASTVPD", "PERSPRESGAZRASTVS", &ProbableResources::dissolvedGas},
    {"GAZBALANCERESOURCEP", "GAZBALANCERESOURCEPD", "GAZBALANCERESOURCES", &ProbableResources::initialGas},
    {"GAZBALANCERESOURCEPNEW", "GAZBALANCERESOURCEPDNEW", "GAZBALANCERESOURCESNEW",
     &ProbableResources::balanceGas},
    {"IZVLEKRESGAZCONDPNEW", "IZVLEKRESGAZCONDPDNEW", "IZVLEKRESGAZCONDSNEW",
     &ProbableResources::recoverableCondensate},
}};

} // namespace tarvena::horizonfields
