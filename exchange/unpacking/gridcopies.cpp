#include "exchange/unpacking/gridcopies.h"

#include "exchange/workbooks/sheetwriter.h"
#include "model/columnsets.h"
#include "model/datamodule.h"
#include "storage/codepage.h"

namespace tarvena {

const std::vector<GridCopy> &gridCopies()
{
    static const std::vector<GridCopy> copies = [] {
        struct Row
        {
            const char *fileName, *title, *grid;
            bool reflect;
        };
        const Row rows[] = {
            {"Таблица 5 Отражающие горизонты.xls", "Таблица 5. \"Отражающие горизонты (ОГ)\"", "JvDBGrid1",
             true},
            {"Таблица 6 Качество.xls", "Таблица 6. \"Качество\"", "JvDBGrid2", true},
            {"Таблица 7 Возможные продуктивные горизонты.xls",
             "Таблица 7. \"Возможные продуктивные горизонты (ВПГ)\"", "JvDBGrid3", false},
            {"Таблица 8а Ресурсы нефти.xls", "Таблица 8а. \"Ресурсы нефти\"", "JvDBGrid4", false},
            {"Таблица 8б Ресурсы нефти.xls", "Таблица 8б. \"Ресурсы нефти\"", "JvDBGrid5", false},
            {"Таблица 9а Ресурсы газа.xls", "Таблица 9а. \"Ресурсы газа\"", "JvDBGrid6", false},
            {"Таблица 9б Ресурсы газа.xls", "Таблица 9б. \"Ресурсы газа\"", "JvDBGrid7", false},
            {"Таблица 10а Ресурсы газоконденсата.xls", "Таблица 10а. \"Ресурсы газоконденсата\"", "JvDBGrid8",
             false},
            {"Таблица 10б Ресурсы газоконденсата.xls", "Таблица 10б. \"Ресурсы газоконденсата\"", "JvDBGrid9",
             false},
        };
        std::vector<GridCopy> list;
        for (const Row &row : rows)
            list.push_back({row.fileName, codepage::utf8ToCp1251(row.title), row.grid, row.reflect});
        return list;
    }();
    return copies;
}

void writeGridCopy(SheetWriter &writer, TDataModule2 &dm, const GridCopy &copy, const std::string &path)
{
    writer.BeginSpreadsheet(path);
    writer.WriteCell(1, 1, copy.title, true);
    writer.CurrentRow = 2;
    writer.WriteGrid(gridColumns(copy.gridName),
                     copy.reflectHorizons ? dm.REFLECT_HORIZONTS : dm.POSIB_PRODUCT_HOR);
    writer.FinishSpreadsheet();
}

} // namespace tarvena
