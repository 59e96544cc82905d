#include "exchange/core/contourpoints.h"

#include "model/datamodule.h"

namespace tarvena {

std::optional<double> coordinateValue(const Value &value)
{
    if (const auto *real = std::get_if<double>(&value))
        return *real;
    if (const auto *whole = std::get_if<std::int64_t>(&value))
        return static_cast<double>(*whole);
    return std::nullopt;
}

std::optional<std::int64_t> currentHorizonId(const TDataModule2 &dm)
{
    const Field &id = dm.POSIB_PRODUCT_HOR.FieldByName("ID");
    return id.IsNull() ? std::nullopt : std::optional<std::int64_t>(id.AsInteger());
}

std::unordered_map<std::int64_t, Contour> contoursByHorizon(const MemTable &points)
{
    const int head = points.FieldByName("HEAD_ID").dataIndex();
    const int x = points.FieldByName("X").dataIndex();
    const int y = points.FieldByName("Y").dataIndex();
    std::unordered_map<std::int64_t, Contour> contours;
    // A horizon's points mostly follow one another: the owner of the last point is looked up once.
    std::optional<std::int64_t> lastOwner;
    Contour *last = nullptr;
    points.forEachStoredInOrder([&](const std::vector<Value> &record, int) {
        const auto *owner = std::get_if<std::int64_t>(&record[head]);
        if (!owner)
            return;
        if (lastOwner != *owner) {
            lastOwner = *owner;
            last = &contours[*owner];
        }
        last->push_back({coordinateValue(record[x]), coordinateValue(record[y])});
    });
    return contours;
}

Contour currentHorizonContour(const TDataModule2 &dm)
{
    const std::optional<std::int64_t> id = currentHorizonId(dm);
    if (!id)
        return {};
    const MemTable &points = dm.KONTUR;
    const int head = points.FieldByName("HEAD_ID").dataIndex();
    const int x = points.FieldByName("X").dataIndex();
    const int y = points.FieldByName("Y").dataIndex();
    Contour contour;
    points.forEachStoredInOrder([&](const std::vector<Value> &record, int) {
        const auto *owner = std::get_if<std::int64_t>(&record[head]);
        if (owner && *owner == *id)
            contour.push_back({coordinateValue(record[x]), coordinateValue(record[y])});
    });
    return contour;
}

} // namespace tarvena
