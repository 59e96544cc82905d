#pragma once
// The passport comparison's measure of contours on the ellipsoid: how far a point moved, and the
// area computed from the points, as the contour page computes it.
#include "exchange/gis/crschoice.h"
#include "model/passportdiff.h"

namespace tarvena::gis {

class EllipsoidMeasure : public ContourMeasure
{
public:
    explicit EllipsoidMeasure(const CrsSettings &settings = {}) : mSettings(settings) {}
    std::optional<double> distanceMetres(int fromSystem, const StoredPoint &from, int toSystem,
                                         const StoredPoint &to) override;
    std::optional<double> areaKm2(const ProductiveHorizon &horizon) override;

private:
    CrsSettings mSettings;
};

} // namespace tarvena::gis
