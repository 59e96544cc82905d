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

const char *resourceFilter(Product product)
{
    static const std::string oil = productFilter(Product::Oil);
    static const std::string gas = productFilter(Product::Gas);
    static const std::string condensate = productFilter(Product::Condensate);
    switch (product) {
    case Product::Oil:
        return oil.c_str();
    case Product::Gas:
        return gas.c_str();
    case Product::Condensate:
        return condensate.c_str();
    }
    return nullptr;
}

Verdict reflectHorizonsCheck(bool haveReflectHorizons, bool required)
{
    if (!haveReflectHorizons && required)
        return {kNoReflectHorizons, TablePage::ReflectHorizons};
    return {};
}

Verdict productiveHorizonsCheck(bool haveProductiveHorizons)
{
    if (!haveProductiveHorizons)
        return {kNoProductiveHorizons, TablePage::ProductHorizons};
    return {};
}

Verdict horizonsEntryCheck(const TDataModule2 &dm)
{
    const Verdict reflect = reflectHorizonsCheck(hasRows(dm.REFLECT_HORIZONTS), horizonsRequired(dm));
    return reflect.passed() ? productiveHorizonsCheck(hasRows(dm.POSIB_PRODUCT_HOR)) : reflect;
}

Verdict hydrocarbonCheck(bool rowsPassFilter)
{
    if (!rowsPassFilter)
        return {kNoSuchHydrocarbon, TablePage::ProductHorizons};
    return {};
}

} // namespace tarvena::pagechecks
