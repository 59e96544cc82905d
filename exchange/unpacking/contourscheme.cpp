#include "exchange/unpacking/contourscheme.h"

#include "exchange/unpacking/scrolleventsheld.h"
#include "model/datamodule.h"
#include "model/horizons.h"

namespace tarvena {

namespace {

class Extent
{
public:
    void take(const StoredPoint &point, ContourScheme &scheme)
    {
        const double x = point.x.value_or(0);
        const double y = point.y.value_or(0);
        if (mEmpty) {
            scheme.minX = scheme.maxX = x;
            scheme.minY = scheme.maxY = y;
            mEmpty = false;
            return;
        }
        scheme.minX = std::min(scheme.minX, x);
        scheme.maxX = std::max(scheme.maxX, x);
        scheme.minY = std::min(scheme.minY, y);
        scheme.maxY = std::max(scheme.maxY, y);
    }

private:
    bool mEmpty = true;
};

} // namespace

ContourScheme redrawContours(TDataModule2 &dm)
{
    MemTable &horizons = dm.POSIB_PRODUCT_HOR;
    ContourScheme scheme;
    Extent extent;
    // The walk moves the horizons and with them the points shown; their views hear it once. The points
    // are found by their owner, so the horizons' scroll handler, which refilters the points, runs once
    // for the first horizon when the walk is done.
    ControlsDisabledScope held(dm.KONTUR);
    ScrollEventsHeld scrolls(horizons);
    auto contours = contoursByHorizon(dm.KONTUR);
    const Field &id = horizons.FieldByName("ID");
    const Field &title = horizons.FieldByName("STRATIGRSVIT");
    const Field &system = horizons.FieldByName("KONTURKOORDTYPE");
    Field &count = horizons.FieldByName("KONTURNUMPOINTS");
    for (horizons.First(); !horizons.Eof(); horizons.Next()) {
        ContourOutline outline;
        outline.title = title.AsString();
        outline.system = system.IsNull() ? 0 : static_cast<int>(system.AsInteger());
        if (!id.IsNull()) {
            if (const auto own = contours.find(id.AsInteger()); own != contours.end())
                outline.points = std::move(own->second);
        }
        const auto n = static_cast<std::int64_t>(outline.points.size());
        for (const StoredPoint &point : outline.points)
            extent.take(point, scheme);
        if (n > 0)
            outline.points.push_back(outline.points.front());
        if (n != count.AsInteger()) {
            horizons.Edit();
            count.SetAsInteger(n);
            horizons.Post();
        }
        scheme.outlines.push_back(std::move(outline));
    }
    horizons.First();
    return scheme;
}

} // namespace tarvena
