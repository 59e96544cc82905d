// The passport check of the trap contours: a coordinate system, three points or more with both
// coordinates inside the territory bounds the contour import checks, a ring that closes into a simple
// polygon, and an area on the ellipsoid that agrees with the typed one.
#include "model/completeness_checks.h"
#include "model/contourimport.h"
#include "model/coordinates.h"

#include <cmath>

namespace tarvena::completeness {

namespace {

// The territory bounds' kind of a coordinate system; 0 for none known.
int territoryKind(int system)
{
    switch (system) {
    case CoordDegMinSec:
    case CoordDecimalDegrees:
        return 1;
    case CoordMercator:
        return 2;
    case CoordGaussKruger:
        return 3;
    default:
        return 0;
    }
}

std::string pointsText(std::size_t count)
{
    const std::size_t tens = count % 100, ones = count % 10;
    const char *word = (tens >= 11 && tens <= 14) ? "точек"
                       : ones == 1                ? "точка"
                       : (ones >= 2 && ones <= 4) ? "точки"
                                                  : "точек";
    return std::to_string(count) + " " + word;
}

// True when every point is whole and inside the territory; the first fault is listed.
bool checkPoints(const ProductiveHorizon &horizon, int row, FindingList &list)
{
    const std::string title = horizonTitle(horizon);
    for (std::size_t i = 0; i < horizon.contour.size(); ++i) {
        const StoredPoint &point = horizon.contour[i];
        if (!point.x || !point.y) {
            list.add(Check::ContourEmptyPoint, {title, std::to_string(i + 1)}, row);
            return false;
        }
        const int kind = territoryKind(horizon.system);
        if (kind != 0 && !CheckTerritory(kind, *point.x, *point.y)) {
            list.add(Check::ContourTerritory,
                     {title, std::to_string(i + 1), numberText(*point.x), numberText(*point.y)}, row);
            return false;
        }
    }
    return true;
}

} // namespace

bool areasDisagree(double computedKm2, double typedKm2)
{
    return std::abs(computedKm2 - typedKm2) > 0.1 * std::abs(typedKm2);
}

void checkContours(const Horizons &horizons, const ContourMeasure &measure, FindingList &list)
{
    for (std::size_t i = 0; i < horizons.productive.size(); ++i) {
        const ProductiveHorizon &horizon = horizons.productive[i];
        const int row = static_cast<int>(i);
        const std::string title = horizonTitle(horizon);
        bool placeable = true;
        if (horizon.system == CoordNone) {
            list.add(Check::ContourSystem, {title}, row);
            placeable = false;
        }
        if (horizon.contour.size() < 3) {
            list.add(Check::ContourPoints, {title, pointsText(horizon.contour.size())}, row);
            placeable = false;
        }
        placeable = checkPoints(horizon, row, list) && placeable;
        if (!placeable || !measure)
            continue;
        const ContourMeasurement measured = measure(horizon);
        if (!measured.areaKm2)
            list.add(Check::ContourShape, {title, measured.fault}, row);
        else if (horizon.typedArea && areasDisagree(*measured.areaKm2, *horizon.typedArea))
            list.add(Check::ContourArea,
                     {title, numberText(*measured.areaKm2), numberText(*horizon.typedArea)}, row);
    }
}

} // namespace tarvena::completeness
