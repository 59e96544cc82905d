// Rules of the productive horizons: the computed resources and the contour filter.
#include "model/datamodule.h"
#include "model/horizonfields.h"
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

ResourceInputs resourceInputs(const MemTable &t)
{
    ResourceInputs in;
    for (const auto &field : horizonfields::Inputs)
        in.*field.member = input(t, field.name);
    return in;
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
    const ResourceResults r = computeResources(resourceInputs(table));
    for (const auto &field : horizonfields::Results)
        output(table, field.name, r.*field.member);
}

} // namespace tarvena
