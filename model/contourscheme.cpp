#include "model/contourscheme.h"

#include "model/datamodule.h"

#include <functional>
#include <optional>
#include <unordered_map>

namespace tarvena {

namespace {

double coordinate(const Value &value)
{
    if (const auto *real = std::get_if<double>(&value))
        return *real;
    if (const auto *whole = std::get_if<std::int64_t>(&value))
        return static_cast<double>(*whole);
    return 0;
}

// Every horizon's points in one pass over the stored points, whatever the contour table's filter.
std::unordered_map<std::int64_t, std::vector<ContourPoint>> contoursByOwner(const MemTable &contour)
{
    const auto head = static_cast<std::size_t>(contour.FieldByName("HEAD_ID").dataIndex());
    const auto x = static_cast<std::size_t>(contour.FieldByName("X").dataIndex());
    const auto y = static_cast<std::size_t>(contour.FieldByName("Y").dataIndex());
    std::unordered_map<std::int64_t, std::vector<ContourPoint>> contours;
    // A horizon's points mostly follow one another: the owner of the last point is looked up once.
    std::optional<std::int64_t> lastOwner;
    std::vector<ContourPoint> *last = nullptr;
    contour.forEachStoredInOrder([&](const std::vector<Value> &record, int) {
        const auto *owner = std::get_if<std::int64_t>(&record[head]);
        if (!owner)
            return;
        if (lastOwner != *owner) {
            lastOwner = *owner;
            last = &contours[*owner];
        }
        last->push_back({coordinate(record[x]), coordinate(record[y])});
    });
    return contours;
}

class ScrollHandlerHeld
{
public:
    explicit ScrollHandlerHeld(MemTable &table) : mTable(table), mHandler(std::move(table.AfterScroll))
    {
        mTable.AfterScroll = nullptr;
    }
    ~ScrollHandlerHeld()
    {
        mTable.AfterScroll = std::move(mHandler);
        if (mTable.AfterScroll && mTable.Active()) {
            try {
                mTable.AfterScroll(mTable);
            } catch (...) {
                // What the walk found is what the caller hears about.
            }
        }
    }
    ScrollHandlerHeld(const ScrollHandlerHeld &) = delete;
    ScrollHandlerHeld &operator=(const ScrollHandlerHeld &) = delete;

private:
    MemTable &mTable;
    std::function<void(MemTable &)> mHandler;
};

class Extent
{
public:
    void take(const ContourPoint &point, ContourScheme &scheme)
    {
        if (mEmpty) {
            scheme.minX = scheme.maxX = point.x;
            scheme.minY = scheme.maxY = point.y;
            mEmpty = false;
            return;
        }
        scheme.minX = std::min(scheme.minX, point.x);
        scheme.maxX = std::max(scheme.maxX, point.x);
        scheme.minY = std::min(scheme.minY, point.y);
        scheme.maxY = std::max(scheme.maxY, point.y);
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
    ScrollHandlerHeld scrolls(horizons);
    auto contours = contoursByOwner(dm.KONTUR);
    const Field &id = horizons.FieldByName("ID");
    const Field &title = horizons.FieldByName("STRATIGRSVIT");
    Field &count = horizons.FieldByName("KONTURNUMPOINTS");
    for (horizons.First(); !horizons.Eof(); horizons.Next()) {
        ContourOutline outline;
        outline.title = title.AsString();
        if (!id.IsNull()) {
            if (const auto own = contours.find(id.AsInteger()); own != contours.end())
                outline.points = std::move(own->second);
        }
        const auto n = static_cast<std::int64_t>(outline.points.size());
        for (const ContourPoint &point : outline.points)
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
