#include "model/pagechecks.h"

#include "model/datamodule.h"

namespace tarvena::pagechecks {

bool horizonsRequired(const TDataModule2 &dm)
{
    const int method = dm.PASPORTS.FieldByName("PREPARATIONMETHOD_ID").AsInteger(); // empty reads as 0
    return method == 0 || method == kSeismicMethod;
}

bool hasRows(const MemTable &table)
{
    return table.Active() && table.RecordCount() >= 1;
}

const char *resourceFilter(int pageIndex)
{
    switch (pageIndex) {
    case 7:
        return "UV_ID=397 OR UV_ID=399 OR UV_ID=886";
    case 8:
        return "UV_ID=398 OR UV_ID=399 OR UV_ID=401 OR UV_ID=886";
    case 9:
        return "UV_ID=401 OR UV_ID=886";
    default:
        return nullptr;
    }
}

Verdict reflectHorizonsCheck(bool haveReflectHorizons, bool required)
{
    if (!haveReflectHorizons && required)
        return {kNoReflectHorizons, kReflectHorizonsPage};
    return {};
}

Verdict productiveHorizonsCheck(bool haveProductiveHorizons)
{
    if (!haveProductiveHorizons)
        return {kNoProductiveHorizons, kProductiveHorizonsPage};
    return {};
}

Verdict hydrocarbonCheck(bool rowsPassFilter)
{
    if (!rowsPassFilter)
        return {kNoSuchHydrocarbon, kProductiveHorizonsPage};
    return {};
}

} // namespace tarvena::pagechecks
