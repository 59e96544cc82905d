#include "model/gridrows.h"

namespace tarvena {

int GridRows::count() const
{
    if (!mTable.Active())
        return 0;
    return mTable.RecordCount() + (insertingRow() >= 0 ? 1 : 0);
}

int GridRows::currentRow() const
{
    const int inserting = insertingRow();
    if (inserting >= 0)
        return inserting;
    return mTable.RecNo() - 1;
}

int GridRows::recordIndex(int gridRow) const
{
    if (gridRow < 0 || gridRow >= count())
        return -1;
    const int inserting = insertingRow();
    if (inserting < 0 || gridRow < inserting)
        return gridRow;
    return gridRow == inserting ? -1 : gridRow - 1;
}

int GridRows::gridRow(int recordIndex) const
{
    const int inserting = insertingRow();
    return inserting >= 0 && recordIndex >= inserting ? recordIndex + 1 : recordIndex;
}

} // namespace tarvena
