#pragma once
// The productive horizons with what a map shows of each: names, areas, the deterministic resources
// and the trap contour.
#include "exchange/core/contourpoints.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace tarvena {
class TDataModule2;
}

namespace tarvena::gis {

// The computed resources of a horizon, in the order of HorizonRecord::resources.
inline constexpr std::array<const char *, 7> ResourceFields = {
    "CALC_BAL_RES",   "CALC_PERSP_RES",      "CALC_PERSP_RES_RGAZ",  "CALC_BALGAZ_RES",
    "CALC_NEWGAZBAL", "CALC_BALGAZCOND_RES", "CALC_PERSPGAZCOND_RES"};

// Texts are code page 1251, as the model holds them.
struct HorizonRecord
{
    int number = 0;                  // 1-based, in table order
    std::string name;                // STRATIGRSVIT
    std::string stratigraphicUnit;   // _stratigr_id
    std::string hydrocarbonType;     // _UV_ID
    std::string systemName;          // _KONTURKOORDTYPE
    int system = 0;                  // KONTURKOORDTYPE, empty as 0
    std::optional<double> typedArea; // POSIBLESQUARE
    std::array<std::optional<double>, ResourceFields.size()> resources;
    Contour contour;
};

// Posts the pending edits and reads every horizon in table order, whatever the table's filter; the
// filter, the current horizon and the contour table's filter are as they were afterwards.
std::vector<HorizonRecord> readHorizonRecords(TDataModule2 &dm);

// "Горизонт N «name»" (UTF-8), the way notes name a horizon.
std::string horizonTitle(const HorizonRecord &horizon);

} // namespace tarvena::gis
