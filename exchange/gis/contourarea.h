#pragma once
// The area of a horizon's trap contour computed from its coordinates on the ellipsoid, beside the
// area typed into the passport (POSIBLESQUARE). Nothing in the passport changes.
#include "exchange/gis/crschoice.h"
#include "model/completeness.h"

#include <optional>
#include <string>

namespace tarvena {
class TDataModule2;
struct ProductiveHorizon;
} // namespace tarvena

namespace tarvena::gis {

struct ContourArea
{
    std::optional<double> computedKm2; // empty when the contour cannot be placed
    std::optional<double> typedKm2;    // POSIBLESQUARE
    std::string reason;                // UTF-8: why there is no computed area

    // Both areas are known and the computed one differs from the typed one by more than 10 %.
    bool differs() const;
};

ContourArea contourArea(const ProductiveHorizon &horizon, const CrsSettings &settings = {});

// The current horizon of POSIB_PRODUCT_HOR (its typed area as the record holds it now, its stored
// contour points whatever the contour table's filter). Moves no cursor and posts nothing.
ContourArea currentContourArea(const TDataModule2 &dm, const CrsSettings &settings = {});

// The passport check's measure of a contour: its area on the ellipsoid, or why it has none.
completeness::ContourMeasure contourMeasure(const CrsSettings &settings = {});

// "Площадь контура по координатам: 27.512 км²; площадь возможной залежи: 27.5 км²" (UTF-8); the
// reason in brackets instead of a figure when there is none.
std::string contourAreaText(const ContourArea &area);

} // namespace tarvena::gis
