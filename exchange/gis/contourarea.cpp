#include "exchange/gis/contourarea.h"

#include "exchange/gis/placedcontour.h"
#include "model/datamodule.h"
#include "model/horizons.h"
#include "model/numberformat.h"
#include "model/passportschema.h"
#include "storage/error.h"

namespace tarvena::gis {

namespace {

ContourArea computeArea(int system, const StoredContour &contour, std::optional<double> typed,
                        const CrsSettings &settings)
{
    ContourArea area;
    area.typedKm2 = typed;
    try {
        const PlacedContour placed(system, contour, settings);
        area.reason = placed.shapeFault();
        if (area.reason.empty())
            area.computedKm2 = placed.areaKm2();
    } catch (const Error &e) {
        area.reason = e.what();
    }
    return area;
}

std::string km2(double value)
{
    return numfmt::formatFloat(ResourceFormat, value) + " км²";
}

} // namespace

bool ContourArea::differs() const
{
    return computedKm2 && typedKm2 && completeness::areasDisagree(*computedKm2, *typedKm2);
}

completeness::ContourMeasure contourMeasure(const CrsSettings &settings)
{
    return [settings](const ProductiveHorizon &horizon) {
        const ContourArea area = contourArea(horizon, settings);
        return completeness::ContourMeasurement{area.computedKm2, area.reason};
    };
}

ContourArea contourArea(const ProductiveHorizon &horizon, const CrsSettings &settings)
{
    return computeArea(horizon.system, horizon.contour, horizon.typedArea, settings);
}

ContourArea currentContourArea(const TDataModule2 &dm, const CrsSettings &settings)
{
    const MemTable &horizons = dm.POSIB_PRODUCT_HOR;
    if (horizons.RecordCount() == 0 && horizons.State() != TableState::Insert)
        return {std::nullopt, std::nullopt, "нет горизонта"};
    const Field &typed = horizons.FieldByName("POSIBLESQUARE");
    return computeArea(static_cast<int>(horizons.FieldByName("KONTURKOORDTYPE").AsInteger()),
                       currentHorizonContour(dm),
                       typed.IsNull() ? std::nullopt : std::optional(typed.AsFloat()), settings);
}

std::string contourAreaText(const ContourArea &area)
{
    std::string text = "Площадь контура по координатам: ";
    text += area.computedKm2 ? km2(*area.computedKm2) : "не вычислена (" + area.reason + ")";
    if (area.typedKm2)
        text += "; площадь возможной залежи: " + km2(*area.typedKm2);
    return text;
}

} // namespace tarvena::gis
