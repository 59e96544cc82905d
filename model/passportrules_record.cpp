// Rules of the passport record: the region cascades and the scale texts. The geology page's free-text
// edits follow the classifier fields through the table's change notices, not through these rules.
#include "model/datamodule.h"
#include "model/passportrules.h"

namespace tarvena {

// Narrows a dictionary view to the children of the chosen parent plus its empty entry.
void PassportRules::narrowView(int view, const Field &parent)
{
    mDm.dict(view).SetFilter("PARENT_ID=" + std::to_string(parent.AsInteger()) + " OR ID=0");
}

void PassportRules::PASPORTSFEDERALOKRUG_IDChange(Field &field)
{
    if (!mDm.dict(2).Active())
        return;
    // The subject fields keep their values even when the narrowed views no longer list them.
    for (int view : {2, 3, 4})
        narrowView(view, field);
}

void PassportRules::PASPORTSGEO_PROVINCE_IDChange(Field &field)
{
    if (!mDm.dict(12).Active())
        return;
    field.table().FieldByName("GEO_OBLAST_ID").Clear();
    narrowView(12, field);
}

void PassportRules::PASPORTSGEO_OBLAST_IDChange(Field &field)
{
    if (!mDm.dict(13).Active())
        return;
    field.table().FieldByName("GEO_RAION_ID").Clear();
    narrowView(13, field);
}

void PassportRules::PASPORTSCalcFields(MemTable &table)
{
    if (!table.Active())
        return;
    for (const char *name : {"SHOOTSCALE", "SHOOTSCALEEL", "SHOOTSCALEOT", "SHOOTSCALEST"})
        setScaleText(table, name, std::string("_") + name);
}

void PassportRules::PASPORTSAfterPost(MemTable &)
{
    markModified();
}

} // namespace tarvena
