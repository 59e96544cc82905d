#include "exchange/core/contoursheet.h"

#include "exchange/core/sheetwriter.h"
#include "exchange/core/streamedsheet.h"
#include "model/coordinates.h"
#include "model/datamodule.h"
#include "model/horizons.h"
#include "storage/codepage.h"

#include <string_view>
#include <vector>

namespace tarvena {

namespace {

std::string cp1251(const char *utf8)
{
    return codepage::utf8ToCp1251(utf8);
}

// Cells through the sheet writer's spreadsheet, whatever its engine.
struct WriterCells
{
    SheetWriter &writer;
    void quotedText(int row, int column, std::string_view text, bool bold)
    {
        writer.WriteCell(column, row, text, bold);
    }
};

// The header row, then the points as the contour page shows them in the horizon's coordinate system
// (the texts of the contour table's OnGetText), from row on; row ends past the last point.
template <typename Cells> void putContour(Cells &cells, int &row, int system, const StoredContour &points)
{
    static const std::string longitude = cp1251("Долгота");
    static const std::string latitude = cp1251("Широта");
    cells.quotedText(row, 1, longitude, true);
    cells.quotedText(row, 2, latitude, true);
    ++row;
    CoordinateText x, y;
    for (const StoredPoint &point : points) {
        cells.quotedText(row, 1, x.of(system, point.x), false);
        cells.quotedText(row, 2, y.of(system, point.y), false);
        ++row;
    }
}

template <typename Cells> void putContourSheet(Cells &cells, const std::vector<ProductiveHorizon> &horizons)
{
    const std::string horizonLabel = cp1251("Возможный продуктивный горизонт: ");
    const std::string systemLabel = cp1251("   Тип координат контура:");
    cells.quotedText(1, 1, contourSheetTitle(), true);
    int row = 2;
    for (const ProductiveHorizon &horizon : horizons) {
        cells.quotedText(row++, 1, horizonLabel + horizon.name + systemLabel + horizon.systemName, true);
        putContour(cells, row, horizon.system, horizon.contour);
    }
}

std::string horizonName(const TDataModule2 &dm)
{
    return dm.POSIB_PRODUCT_HOR.FieldByName("STRATIGRSVIT").AsString();
}

std::string coordinateSystemName(const TDataModule2 &dm)
{
    return dm.POSIB_PRODUCT_HOR.FieldByName("_KONTURKOORDTYPE").AsString();
}

int coordinateSystem(const TDataModule2 &dm)
{
    return dm.POSIB_PRODUCT_HOR.FieldByName("KONTURKOORDTYPE").AsInteger();
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

void writeContourSheet(SheetWriter &writer, const TDataModule2 &dm, const std::string &path)
{
    const std::vector<ProductiveHorizon> horizons = readProductiveHorizons(dm);
    if (!writer.WritesOwnWorkbooks()) {
        writer.BeginSpreadsheet(path);
        WriterCells cells{writer};
        putContourSheet(cells, horizons);
        writer.FinishSpreadsheet();
        return;
    }
    // The program's own workbook: the sheet goes straight into the workbook stream.
    std::size_t expectedCells = 1;
    for (const ProductiveHorizon &horizon : horizons)
        expectedCells += 3 + 2 * horizon.contour.size();
    xls::StreamedSheet sheet(expectedCells);
    putContourSheet(sheet, horizons);
    writer.SaveWorkbookStream(path, sheet.stream());
}

void exportContour(SheetWriter &writer, TDataModule2 &dm, const std::string &path)
{
    // The contour table shows the current horizon's points.
    StoredContour contour;
    if (currentHorizonId(dm)) {
        MemTable &points = dm.KONTUR;
        const Field &x = points.FieldByName("X");
        const Field &y = points.FieldByName("Y");
        for (int row = 0; row < points.RecordCount(); ++row)
            contour.push_back({storedNumber(points.valueAt(row, x)), storedNumber(points.valueAt(row, y))});
    }

    writer.UseExcel = true;
    writer.BeginSpreadsheet(path);
    WriterCells cells{writer};
    cells.quotedText(1, 1,
                     cp1251("Координаты контура    ") + horizonName(dm) + cp1251("   Тип координат:    ") +
                         coordinateSystemName(dm),
                     true);
    int row = 2;
    putContour(cells, row, coordinateSystem(dm), contour);
    writer.FinishSpreadsheet();
}

} // namespace tarvena
