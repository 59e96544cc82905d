#include "exchange/gis/horizonrecords.h"

#include "exchange/core/scrolleventsheld.h"
#include "model/datamodule.h"
#include "storage/codepage.h"

namespace tarvena::gis {

namespace {

// Shows every horizon while the records are read (they are read without moving the cursor), then
// the filtered view and its current horizon again.
class UnfilteredWalk
{
public:
    explicit UnfilteredWalk(MemTable &horizons) : mHorizons(horizons), mFiltered(horizons.Filtered())
    {
        if (!mFiltered)
            return;
        mHeld.emplace(horizons);
        if (const Field &id = horizons.FieldByName("ID"); horizons.RecordCount() > 0 && !id.IsNull())
            mCurrent = id.AsInteger();
        horizons.SetFiltered(false);
    }
    ~UnfilteredWalk()
    {
        if (!mFiltered)
            return;
        try {
            mHorizons.SetFiltered(true);
            if (mCurrent)
                mHorizons.Locate("ID", Value(*mCurrent));
        } catch (...) {
            // The records read are what the caller asked for.
        }
    }
    UnfilteredWalk(const UnfilteredWalk &) = delete;
    UnfilteredWalk &operator=(const UnfilteredWalk &) = delete;

private:
    MemTable &mHorizons;
    bool mFiltered;
    // Destroyed after the body: the contour filter follows the restored horizon once.
    std::optional<ScrollEventsHeld> mHeld;
    std::optional<std::int64_t> mCurrent;
};

std::optional<double> number(const Value &value)
{
    return coordinateValue(value);
}

std::string text(const Value &value)
{
    const auto *string = std::get_if<std::string>(&value);
    return string ? *string : std::string();
}

} // namespace

std::vector<HorizonRecord> readHorizonRecords(TDataModule2 &dm)
{
    dm.PostPendingEdits();
    MemTable &horizons = dm.POSIB_PRODUCT_HOR;
    const auto contours = contoursByHorizon(dm.KONTUR);
    UnfilteredWalk walk(horizons);
    auto field = [&](const char *name) -> const Field & { return horizons.FieldByName(name); };
    const Field &id = field("ID");
    const Field &name = field("STRATIGRSVIT");
    const Field &unit = field("_stratigr_id");
    const Field &type = field("_UV_ID");
    const Field &systemName = field("_KONTURKOORDTYPE");
    const Field &system = field("KONTURKOORDTYPE");
    const Field &typedArea = field("POSIBLESQUARE");
    std::vector<const Field *> resources;
    for (const char *resource : ResourceFields)
        resources.push_back(&field(resource));

    std::vector<HorizonRecord> records;
    for (int row = 0, rows = horizons.RecordCount(); row < rows; ++row) {
        HorizonRecord record;
        record.number = row + 1;
        record.name = text(horizons.valueAt(row, name));
        record.stratigraphicUnit = text(horizons.valueAt(row, unit));
        record.hydrocarbonType = text(horizons.valueAt(row, type));
        record.systemName = text(horizons.valueAt(row, systemName));
        record.system = static_cast<int>(number(horizons.valueAt(row, system)).value_or(0));
        record.typedArea = number(horizons.valueAt(row, typedArea));
        for (std::size_t i = 0; i < resources.size(); ++i)
            record.resources[i] = number(horizons.valueAt(row, *resources[i]));
        const Value owner = horizons.valueAt(row, id);
        if (const auto *key = std::get_if<std::int64_t>(&owner))
            if (auto found = contours.find(*key); found != contours.end())
                record.contour = found->second;
        records.push_back(std::move(record));
    }
    return records;
}

std::string horizonTitle(const HorizonRecord &horizon)
{
    return "Горизонт " + std::to_string(horizon.number) + " «" + codepage::cp1251ToUtf8(horizon.name) + "»";
}

} // namespace tarvena::gis
