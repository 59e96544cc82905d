#include "model/contourpoints.h"

#include "model/datamodule.h"
#include "model/identity.h"
#include "model/pagechecks.h"
#include "storage/error.h"

#include <algorithm>
#include <cstdint>

namespace tarvena {

namespace {

// The identity of the horizon whose contour the page shows.
std::int64_t currentHorizon(TDataModule2 &dm)
{
    MemTable &horizons = dm.POSIB_PRODUCT_HOR;
    const Field &id = horizons.FieldByName("ID");
    if ((horizons.IsEmpty() && horizons.State() != TableState::Insert) || id.IsNull())
        throw Error(pagechecks::kNoProductiveHorizons);
    return id.AsInteger();
}

void settlePendingPoint(MemTable &contour)
{
    if (contour.State() == TableState::Browse)
        return;
    if (contour.Modified())
        contour.Post();
    else
        contour.Cancel();
}

// The contour table's filter while the horizon owner is current.
std::string ownerFilter(std::int64_t owner)
{
    return "HEAD_ID=" + std::to_string(owner);
}

struct StoredPoint
{
    std::vector<Value> values;
    int status;
};

} // namespace

void replaceContour(TDataModule2 &dm, const std::vector<ContourPoint> &points)
{
    MemTable &contour = dm.KONTUR;
    MemTable &horizons = dm.POSIB_PRODUCT_HOR;
    const std::int64_t owner = currentHorizon(dm);
    settlePendingPoint(contour);

    const int idIndex = contour.FieldByName("ID").dataIndex();
    const int headIndex = contour.FieldByName("HEAD_ID").dataIndex();
    const int xIndex = contour.FieldByName("X").dataIndex();
    const int yIndex = contour.FieldByName("Y").dataIndex();
    const std::size_t width = 1 + static_cast<std::size_t>(std::max({idIndex, headIndex, xIndex, yIndex}));

    // The table is rebuilt in one pass rather than point by point: the other horizons' points keep
    // their order and state, the new points follow them, as appending them one by one would leave them.
    std::vector<StoredPoint> kept;
    // While the table shows this horizon's points and nothing else is stored, nothing is kept.
    const bool onlyOwn = contour.Filtered() && contour.Filter == ownerFilter(owner) &&
                         contour.RecordCount() == contour.storedRecordCount();
    if (!onlyOwn) {
        contour.forEachStoredInOrder([&](const std::vector<Value> &record, int status) {
            const auto *head = std::get_if<std::int64_t>(&record[static_cast<std::size_t>(headIndex)]);
            if (!head || *head != owner)
                kept.push_back({record, status});
        });
    }
    {
        ControlsDisabledScope held(contour);
        contour.EmptyTable();
        contour.reserveRecords(kept.size() + points.size());
        for (StoredPoint &point : kept)
            contour.appendStoredRecord(std::move(point.values), point.status);
        // A point's identity is a random draw plus the milliseconds since the system started, free in
        // the table; one clock reading serves every point of the import.
        const std::uint32_t ticks = identity::millisecondsSinceStart();
        for (const ContourPoint &point : points) {
            std::vector<Value> values(width);
            values[static_cast<std::size_t>(idIndex)] =
                std::int64_t{identity::freeRecordId(contour, identity::PointIdRange, ticks)};
            values[static_cast<std::size_t>(headIndex)] = owner;
            values[static_cast<std::size_t>(xIndex)] = point.x;
            values[static_cast<std::size_t>(yIndex)] = point.y;
            contour.appendStoredRecord(std::move(values));
        }
    }
    dm.PassportModified = true;

    if (horizons.State() == TableState::Browse)
        horizons.Edit();
    horizons.FieldByName("KONTURNUMPOINTS").SetAsInteger(static_cast<std::int64_t>(points.size()));
    horizons.Post();
}

void clearContour(TDataModule2 &dm)
{
    replaceContour(dm, {});
}

ContourImportResult importContour(TDataModule2 &dm, std::string_view text, ContourImportSettings settings)
{
    currentHorizon(dm);
    settings.system = dm.POSIB_PRODUCT_HOR.FieldByName("KONTURKOORDTYPE").AsInteger();
    ContourImportResult result = readContour(textLines(text), settings);
    if (result.complete())
        replaceContour(dm, result.points);
    return result;
}

} // namespace tarvena
