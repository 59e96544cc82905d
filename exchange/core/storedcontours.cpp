#include "exchange/core/storedcontours.h"

#include "model/datamodule.h"

namespace tarvena {

std::optional<double> storedCoordinate(const Value &value)
{
    if (const auto *real = std::get_if<double>(&value))
        return *real;
    if (const auto *whole = std::get_if<std::int64_t>(&value))
        return static_cast<double>(*whole);
    return std::nullopt;
}

std::unordered_map<std::int64_t, StoredContour> contoursByHorizon(const MemTable &points)
{
    const auto head = static_cast<std::size_t>(points.FieldByName("HEAD_ID").dataIndex());
    const auto x = static_cast<std::size_t>(points.FieldByName("X").dataIndex());
    const auto y = static_cast<std::size_t>(points.FieldByName("Y").dataIndex());
    std::unordered_map<std::int64_t, StoredContour> contours;
    // A horizon's points mostly follow one another: the owner of the last point is looked up once.
    std::optional<std::int64_t> lastOwner;
    StoredContour *last = nullptr;
    points.forEachStoredRecord([&](const StoredRecordView &record) {
        const Value owner = record.value(int(head));
        const auto *id = std::get_if<std::int64_t>(&owner);
        if (!id)
            return;
        if (lastOwner != *id) {
            lastOwner = *id;
            last = &contours[*id];
        }
        last->push_back({storedCoordinate(record.value(int(x))), storedCoordinate(record.value(int(y)))});
    });
    return contours;
}

std::optional<std::int64_t> currentHorizonId(const TDataModule2 &dm)
{
    const Field &id = dm.POSIB_PRODUCT_HOR.FieldByName("ID");
    return id.IsNull() ? std::nullopt : std::optional<std::int64_t>(id.AsInteger());
}

StoredContour currentHorizonContour(const TDataModule2 &dm)
{
    const std::optional<std::int64_t> id = currentHorizonId(dm);
    if (!id)
        return {};
    const MemTable &points = dm.KONTUR;
    const auto head = static_cast<std::size_t>(points.FieldByName("HEAD_ID").dataIndex());
    const auto x = static_cast<std::size_t>(points.FieldByName("X").dataIndex());
    const auto y = static_cast<std::size_t>(points.FieldByName("Y").dataIndex());
    StoredContour contour;
    points.forEachStoredRecord([&](const StoredRecordView &record) {
        const Value owner = record.value(int(head));
        const auto *ownerId = std::get_if<std::int64_t>(&owner);
        if (ownerId && *ownerId == *id)
            contour.push_back(
                {storedCoordinate(record.value(int(x))), storedCoordinate(record.value(int(y)))});
    });
    return contour;
}

} // namespace tarvena
