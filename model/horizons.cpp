#include "model/horizons.h"

#include "model/datamodule.h"
#include "model/fieldvalue.h"
#include "model/horizonfields.h"
#include "storage/codepage.h"

namespace tarvena {
namespace {

std::string storedText(const Value &value)
{
    const auto *text = std::get_if<std::string>(&value);
    return text ? *text : std::string();
}

std::optional<std::int64_t> storedKey(const Value &value)
{
    if (const auto *whole = std::get_if<std::int64_t>(&value))
        return *whole;
    return std::nullopt;
}

// Reads one record of a table through its fields: a stored record in place, or the current record
// with its pending edits.
class RecordReader
{
public:
    explicit RecordReader(const StoredRecordView &record) : mRecord(&record) {}
    RecordReader() = default; // the current record
    Value value(const Field &field) const { return mRecord ? mRecord->value(field) : field.value(); }
    std::optional<double> number(const Field &field) const { return storedNumber(value(field)); }
    std::optional<std::int64_t> key(const Field &field) const { return storedKey(value(field)); }
    std::string text(const Field &field) const { return storedText(value(field)); }

private:
    const StoredRecordView *mRecord = nullptr;
};

std::vector<ReflectingHorizon> readReflecting(const MemTable &table)
{
    const auto field = [&](const char *name) -> const Field & { return table.FieldByName(name); };
    const Field &id = field("ID");
    const Field &index = field("INDEXOG");
    const Field &suite = field("STRATIGRSVIT");
    const Field &unit = field("_stratigr_id");
    const Field &area = field("SQUARE");
    const Field &amplitude = field("AMPLITUDE");
    std::vector<ReflectingHorizon> horizons;
    table.forEachStoredRecord([&](const StoredRecordView &view) {
        const RecordReader record(view);
        horizons.push_back({record.key(id), record.text(index), record.text(suite), record.text(unit),
                            record.number(area), record.number(amplitude)});
    });
    return horizons;
}

// The productive horizons' fields, each found once.
struct ProductiveFields
{
    explicit ProductiveFields(const MemTable &table)
        : id(table.FieldByName("ID")), name(table.FieldByName("STRATIGRSVIT")),
          unit(table.FieldByName("_stratigr_id")), reflecting(table.FieldByName("REFLECTHOR_ID")),
          reflectingIndex(table.FieldByName("_REFLECTHOR_ID")), fluid(table.FieldByName("UV_ID")),
          fluidName(table.FieldByName("_UV_ID")), system(table.FieldByName("KONTURKOORDTYPE")),
          systemName(table.FieldByName("_KONTURKOORDTYPE")), typedArea(table.FieldByName("POSIBLESQUARE"))
    {
        for (const auto &input : horizonfields::Inputs)
            inputs.push_back(&table.FieldByName(input.name));
        for (const auto &range : horizonfields::Ranges)
            ranges.push_back({&table.FieldByName(range.min), &table.FieldByName(range.max)});
        for (const auto &fixed : horizonfields::Fixed)
            fixedInputs.push_back(&table.FieldByName(fixed.name));
        for (const auto &figures : horizonfields::Probable)
            probable.push_back({&table.FieldByName(figures.probable), &table.FieldByName(figures.probability),
                                &table.FieldByName(figures.deviation)});
    }

    const Field &id, &name, &unit, &reflecting, &reflectingIndex, &fluid, &fluidName, &system, &systemName,
        &typedArea;
    std::vector<const Field *> inputs;
    std::vector<std::array<const Field *, 2>> ranges;
    std::vector<const Field *> fixedInputs;
    std::vector<std::array<const Field *, 3>> probable;
};

ProductiveHorizon readProductive(const RecordReader &record, const ProductiveFields &f)
{
    ProductiveHorizon horizon;
    horizon.id = record.key(f.id);
    horizon.name = record.text(f.name);
    horizon.stratigraphicUnit = record.text(f.unit);
    horizon.reflectingId = record.key(f.reflecting);
    horizon.reflectingIndex = record.text(f.reflectingIndex);
    horizon.fluid = fluidOfKey(fieldvalue::toInt64(record.value(f.fluid)));
    horizon.fluidName = record.text(f.fluidName);
    horizon.system = static_cast<int>(record.number(f.system).value_or(0));
    horizon.systemName = record.text(f.systemName);
    horizon.typedArea = record.number(f.typedArea);
    for (std::size_t i = 0; i < horizonfields::Inputs.size(); ++i)
        horizon.parameters.*horizonfields::Inputs[i].member = record.number(*f.inputs[i]);
    // The calculated fields hold what the same computation gives for the stored inputs.
    horizon.computed = computeResources(horizon.parameters);
    for (std::size_t i = 0; i < horizonfields::Ranges.size(); ++i)
        horizon.ranges.*horizonfields::Ranges[i].member = {record.number(*f.ranges[i][0]),
                                                           record.number(*f.ranges[i][1])};
    for (std::size_t i = 0; i < horizonfields::Fixed.size(); ++i)
        horizon.ranges.*horizonfields::Fixed[i].member = record.number(*f.fixedInputs[i]);
    for (std::size_t i = 0; i < horizonfields::Probable.size(); ++i)
        horizon.probable.*horizonfields::Probable[i].member = {record.number(*f.probable[i][0]),
                                                               record.number(*f.probable[i][1]),
                                                               record.number(*f.probable[i][2])};
    return horizon;
}

} // namespace

std::optional<double> storedNumber(const Value &value)
{
    if (const auto *real = std::get_if<double>(&value))
        return *real;
    if (const auto *whole = std::get_if<std::int64_t>(&value))
        return static_cast<double>(*whole);
    return std::nullopt;
}

std::vector<ProductiveHorizon> readProductiveHorizons(const TDataModule2 &dm)
{
    const MemTable &table = dm.POSIB_PRODUCT_HOR;
    auto contours = contoursByHorizon(dm.KONTUR);
    const ProductiveFields fields(table);
    std::vector<ProductiveHorizon> horizons;
    table.forEachStoredRecord([&](const StoredRecordView &view) {
        ProductiveHorizon horizon = readProductive(RecordReader(view), fields);
        horizon.number = static_cast<int>(horizons.size()) + 1;
        if (horizon.id)
            if (auto own = contours.find(*horizon.id); own != contours.end())
                horizon.contour = std::move(own->second);
        horizons.push_back(std::move(horizon));
    });
    return horizons;
}

ProductiveHorizon currentProductiveHorizon(const MemTable &horizons)
{
    return readProductive(RecordReader(), ProductiveFields(horizons));
}

std::vector<ReflectingHorizon> readReflectingHorizons(const TDataModule2 &dm)
{
    return readReflecting(dm.REFLECT_HORIZONTS);
}

Horizons readHorizons(const TDataModule2 &dm)
{
    return {readReflectingHorizons(dm), readProductiveHorizons(dm)};
}

void showEveryHorizon(TDataModule2 &dm)
{
    dm.POSIB_PRODUCT_HOR.SetFiltered(false);
    dm.POSIB_PRODUCT_HOR.First();
    dm.REFLECT_HORIZONTS.First();
}

std::string horizonTitle(const ProductiveHorizon &horizon)
{
    return "Горизонт " + std::to_string(horizon.number) + " «" + codepage::cp1251ToUtf8(horizon.name) + "»";
}

std::unordered_map<std::int64_t, StoredContour> contoursByHorizon(const MemTable &points)
{
    const int head = points.FieldByName("HEAD_ID").dataIndex();
    const int x = points.FieldByName("X").dataIndex();
    const int y = points.FieldByName("Y").dataIndex();
    std::unordered_map<std::int64_t, StoredContour> contours;
    // A horizon's points mostly follow one another: the owner of the last point is looked up once.
    std::optional<std::int64_t> lastOwner;
    StoredContour *last = nullptr;
    points.forEachStoredRecord([&](const StoredRecordView &record) {
        const std::optional<std::int64_t> owner = storedKey(record.value(head));
        if (!owner)
            return;
        if (lastOwner != owner) {
            lastOwner = owner;
            last = &contours[*owner];
        }
        last->push_back({storedNumber(record.value(x)), storedNumber(record.value(y))});
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
    const int head = points.FieldByName("HEAD_ID").dataIndex();
    const int x = points.FieldByName("X").dataIndex();
    const int y = points.FieldByName("Y").dataIndex();
    StoredContour contour;
    points.forEachStoredRecord([&](const StoredRecordView &record) {
        if (storedKey(record.value(head)) == id)
            contour.push_back({storedNumber(record.value(x)), storedNumber(record.value(y))});
    });
    return contour;
}

} // namespace tarvena
