// Rules of the productive horizons: the computed resources and the contour filter.
#include "model/datamodule.h"
#include "model/passportrules.h"
#include "model/resources.h"

namespace tarvena {
namespace {

std::optional<double> input(const MemTable &table, const char *name)
{
    const Field &field = table.FieldByName(name);
    if (field.IsNull())
        return std::nullopt;
    return field.AsFloat();
}

void output(MemTable &table, const char *name, const std::optional<double> &value)
{
    if (value)
        table.FieldByName(name).SetAsFloat(*value);
}

} // namespace

void PassportRules::POSIB_PRODUCT_HORAfterPost(MemTable &)
{
    markModified();
}

void PassportRules::POSIB_PRODUCT_HORAfterScroll(MemTable &table)
{
    const Field &id = table.FieldByName("ID");
    MemTable &contour = mDm.KONTUR;
    // A horizon being inserted has no points yet: the contour grid shows every point until the
    // cursor moves again.
    if (id.IsNull()) {
        contour.SetFiltered(false);
        return;
    }
    contour.SetFilter("HEAD_ID=" + std::to_string(id.AsInteger()));
    contour.SetFiltered(true);
}

void PassportRules::POSIB_PRODUCT_HORCalcFields(MemTable &table)
{
    if (!table.Active())
        return;
    setScaleText(table, "SCALE", "_scale");
    const ResourceResults r =
        computeResources(readResourceInputs([&table](const char *name) { return input(table, name); }));
    output(table, "CALC_BAL_RES", r.balanceOil);
    output(table, "CALC_PERSP_RES", r.recoverableOil);
    output(table, "CALC_PERSP_RES_RGAZ", r.dissolvedGas);
    output(table, "CALC_BALGAZ_RES", r.initialGas);
    output(table, "CALC_NEWGAZBAL", r.balanceGas);
    output(table, "CALC_BALGAZCOND_RES", r.balanceCondensate);
    output(table, "CALC_PERSPGAZCOND_RES", r.recoverableCond);
}

} // namespace tarvena
