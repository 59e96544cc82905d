#include "exchange/unpacking/contoursheet.h"

#include "exchange/workbooks/sheetwriter.h"
#include "exchange/workbooks/streamedsheet.h"
#include "model/coordinates.h"
#include "model/datamodule.h"
#include "model/horizons.h"
#include "storage/codepage.h"

#include <bit>
#include <cstdint>
#include <optional>
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
    CoordinateText texts;
    void quotedText(int row, int column, std::string_view text, bool bold)
    {
        writer.WriteCell(column, row, text, bold);
    }
    void coordinate(int row, int column, int system, std::optional<double> value)
    {
        writer.WriteCell(column, row, texts.of(system, value), false);
    }
};

// Cells straight into engine 2's workbook stream. Equal coordinates of one system have equal texts,
// so a coordinate met before takes its shared text without being formatted and looked up again, as
// the points contours share mostly are (a closed contour ends where it begins, the contours of one
// trap's horizons follow the same outline). The values remembered are kept few enough to stay in the
// cache; later new values are formatted each time.
class StreamedCells
{
public:
    explicit StreamedCells(std::size_t expectedCells) : sheet(expectedCells), mKnown(Slots) {}

    void quotedText(int row, int column, std::string_view text, bool bold)
    {
        sheet.quotedText(row, column, text, bold);
    }
    void coordinate(int row, int column, int system, std::optional<double> value)
    {
        if (!value) {
            sheet.quotedText(row, column, mTexts.of(system, value), false);
            return;
        }
        const auto bits = std::bit_cast<std::uint64_t>(*value);
        std::size_t slot = ((bits ^ std::uint64_t(system)) * 0x9E3779B97F4A7C15u) >> (64 - SlotBits);
        for (; mKnown[slot].used; slot = (slot + 1) & (Slots - 1)) {
            if (mKnown[slot].bits == bits && mKnown[slot].system == system) {
                sheet.sharedText(row, column, mKnown[slot].text);
                return;
            }
        }
        const xls::StreamedSheet::SharedText text =
            sheet.quotedText(row, column, mTexts.of(system, value), false);
        if (mCount < Slots / 2) {
            mKnown[slot] = {bits, system, true, text};
            ++mCount;
        }
    }

    xls::StreamedSheet sheet;

private:
    static constexpr int SlotBits = 15;
    static constexpr std::size_t Slots = std::size_t(1) << SlotBits;
    struct Known
    {
        std::uint64_t bits = 0;
        int system = 0;
        bool used = false;
        xls::StreamedSheet::SharedText text;
    };
    std::vector<Known> mKnown;
    std::size_t mCount = 0;
    CoordinateText mTexts;
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
    for (const StoredPoint &point : points) {
        cells.coordinate(row, 1, system, point.x);
        cells.coordinate(row, 2, system, point.y);
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
        WriterCells cells{writer, {}};
        putContourSheet(cells, horizons);
        writer.FinishSpreadsheet();
        return;
    }
    // The program's own workbook: the sheet goes straight into the workbook stream.
    std::size_t expectedCells = 1;
    for (const ProductiveHorizon &horizon : horizons)
        expectedCells += 3 + 2 * horizon.contour.size();
    StreamedCells cells(expectedCells);
    putContourSheet(cells, horizons);
    writer.SaveWorkbookStream(path, cells.sheet.stream());
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
    WriterCells cells{writer, {}};
    cells.quotedText(1, 1,
                     cp1251("Координаты контура    ") + horizonName(dm) + cp1251("   Тип координат:    ") +
                         coordinateSystemName(dm),
                     true);
    int row = 2;
    putContour(cells, row, coordinateSystem(dm), contour);
    writer.FinishSpreadsheet();
}

} // namespace tarvena
