#pragma once
// Contours as spreadsheets: table 11 of an unpacked passport (every horizon's contour) and the contour
// page's export of the current horizon's contour.
#include <string>

namespace tarvena {

class SheetWriter;
class TDataModule2;

// "Таблица 11 Контуры ловушек.xls" (UTF-8) and its A1 title (code page 1251).
std::string contourSheetFileName();
std::string contourSheetTitle();

// Table 11 to path (UTF-8): for each horizon of POSIB_PRODUCT_HOR in its shown order, whatever its
// filter, a bold line naming the horizon and its coordinate system, a bold "Долгота"/"Широта" row,
// then one row per point as the contour page shows it. The stored records are read in place: no
// cursor moves and no filter changes, so the contour table is not filtered again.
void writeContourSheet(SheetWriter &writer, const TDataModule2 &dm, const std::string &path);

// The export of the contour page: the current horizon's contour to path (UTF-8) with engine 2.
void exportContour(SheetWriter &writer, TDataModule2 &dm, const std::string &path);

} // namespace tarvena
