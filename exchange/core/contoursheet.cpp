#include "exchange/core/contoursheet.h"

#include "exchange/core/scrolleventsheld.h"
#include "exchange/core/sheetwriter.h"
#include "model/coordinates.h"
#include "model/datamodule.h"
#include "model/horizons.h"
#include "storage/codepage.h"

#include <optional>
#include <unordered_map>
#include <vector>

namespace tarvena {

namespace {

std::string cp1251(const char *utf8)
{
    return codepage::utf8ToCp1251(utf8);
}

std::string horizonName(const TDataModule2 &dm)
{
    return dm.POSIB_PRODUCT_HOR.FieldByName("STRATIGRSVIT").AsString();
}

std::string coordinateSystemName(const TDataModule2 &dm)
{
    return dm.POSIB_PRODUCT_HOR.FieldByName("_KONTURKOORDTYPE").AsString();
}

std::optional<double> coordinate(const Value &value)
{
    return storedNumber(value);
}

using Contour = StoredContour;

// The header row, then the points as the contour page shows them in the horizon's coordinate system
// (the texts of the contour table's OnGetText).
void writeContour(SheetWriter &writer, int system, const Contour &points)
{
    static const std::string longitude = cp1251("Долгота");
    static const std::string latitude = cp1251("Широта");
    writer.WritePair(longitude, latitude, true, true);
    CoordinateText x, y;
    for (const StoredPoint &point : points)
        writer.WriteTextPair(x.of(system, point.x), y.of(system, point.y));
}

int coordinateSystem(const TDataModule2 &dm)
{
    return dm.POSIB_PRODUCT_HOR.FieldByName("KONTURKOORDTYPE").AsInteger();
}

// The identity of the current horizon; a horizon without one owns no points.
std::optional<std::int64_t> horizonId(const TDataModule2 &dm)
{
    const Field &id = dm.POSIB_PRODUCT_HOR.FieldByName("ID");
    return id.IsNull() ? std::nullopt : std::optional<std::int64_t>(id.AsInteger());
}

} // namespace

std::string contourSheetFileName()
{
    return "Таблица 11 Контуры ловушек.xls";
}

std::string contourSheetTitle()
{
    return cp1251("Таблица 11. \"Контуры ловушек\"");
}

void writeContourSheet(SheetWriter &writer, TDataModule2 &dm, const std::string &path)
{
    const std::string horizonLabel = cp1251("Возможный продуктивный горизонт: ");
    const std::string systemLabel = cp1251("   Тип координат контура:");
    MemTable &horizons = dm.POSIB_PRODUCT_HOR;
    ControlsDisabledScope quiet(horizons);
    ScrollEventsHeld held(horizons); // the contours are found by their owner instead
    const auto contours = contoursByHorizon(dm.KONTUR);
    const Contour none;

    writer.BeginSpreadsheet(path);
    writer.WriteCell(1, 1, contourSheetTitle(), true);
    writer.CurrentRow = 2;
    writer.CurrentColumn = 1;
    for (horizons.First(); !horizons.Eof(); horizons.Next()) {
        writer.CurrentColumn = 1;
        writer.WriteNext(horizonLabel + horizonName(dm) + systemLabel + coordinateSystemName(dm), true);
        ++writer.CurrentRow;
        writer.CurrentColumn = 1;
        const std::optional<std::int64_t> id = horizonId(dm);
        const auto own = id ? contours.find(*id) : contours.end();
        writeContour(writer, coordinateSystem(dm), own == contours.end() ? none : own->second);
    }
    writer.FinishSpreadsheet();
}

void exportContour(SheetWriter &writer, TDataModule2 &dm, const std::string &path)
{
    // The contour table shows the current horizon's points.
    Contour contour;
    if (horizonId(dm)) {
        MemTable &points = dm.KONTUR;
        const Field &x = points.FieldByName("X");
        const Field &y = points.FieldByName("Y");
        for (int row = 0; row < points.RecordCount(); ++row)
            contour.push_back({coordinate(points.valueAt(row, x)), coordinate(points.valueAt(row, y))});
    }

    writer.UseExcel = true;
    writer.BeginSpreadsheet(path);
    writer.WriteCell(1, 1,
                     cp1251("Координаты контура    ") + horizonName(dm) + cp1251("   Тип координат:    ") +
                         coordinateSystemName(dm),
                     true);
    writer.CurrentRow = 2;
    writer.CurrentColumn = 1;
    writeContour(writer, coordinateSystem(dm), contour);
    writer.FinishSpreadsheet();
}

} // namespace tarvena
