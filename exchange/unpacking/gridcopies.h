#pragma once
// Tables 5 to 10 of an unpacked passport: copies of the horizon grids, one workbook each.
#include <string>
#include <vector>

namespace tarvena {

class SheetWriter;
class TDataModule2;

struct GridCopy
{
    std::string fileName; // UTF-8, "Таблица 5 Отражающие горизонты.xls"
    std::string title;    // code page 1251, the bold A1 text
    std::string gridName; // the column set, "JvDBGrid1"
    bool reflectHorizons; // REFLECT_HORIZONTS, else POSIB_PRODUCT_HOR
};

// The nine grid copies in the order they are written.
const std::vector<GridCopy> &gridCopies();

// Writes one grid copy to path (UTF-8): the title in A1, the column titles in row 2, a row per record
// of the table in its current order from row 3.
void writeGridCopy(SheetWriter &writer, TDataModule2 &dm, const GridCopy &copy, const std::string &path);

} // namespace tarvena
