#include "model/pagechecks.h"

#include "model/datamodule.h"
#include "model/fluid.h"

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
    static const std::string oil = productFilter(Product::Oil);
    static const std::string gas = productFilter(Product::Gas);
    static const std::string condensate = productFilter(Product::Condensate);
    switch (pageIndex) {
    case 7:
        return oil.c_str();
    case 8:
        return gas.c_str();
    case 9:
        return condensate.c_str();
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
