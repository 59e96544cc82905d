// Rules shared by both horizon tables and those of the reflecting horizons: identity at the first
// post, the isohypse sign and the scale text.
#include "model/datamodule.h"
#include "model/identity.h"
#include "model/passportrules.h"

namespace tarvena {
namespace {

void assignIdentity(MemTable &table)
{
    Field &id = table.FieldByName("ID");
    if (id.IsNull())
        id.SetAsInteger(
            identity::freeRecordId(table, identity::HorizonIdRange, identity::millisecondsSinceStart()));
}

// The mark of the last closed isohypse is stored below zero whichever way it was typed.
void makeIsohypseNegative(Field &field)
{
    if (!field.IsNull() && field.AsFloat() > 0)
        field.SetAsFloat(-field.AsFloat());
}

} // namespace

void PassportRules::REFLECT_HORIZONTSBeforePost(MemTable &table)
{
    assignIdentity(table);
}

void PassportRules::REFLECT_HORIZONTSAfterPost(MemTable &)
{
    markModified();
}

void PassportRules::REFLECT_HORIZONTSCalcFields(MemTable &table)
{
    if (table.Active())
        setScaleText(table, "SCALE", "_scale");
}

void PassportRules::REFLECT_HORIZONTSIZOGIPSMARKChange(Field &field)
{
    makeIsohypseNegative(field);
}

void PassportRules::POSIB_PRODUCT_HORBeforePost(MemTable &table)
{
    assignIdentity(table);
}

void PassportRules::POSIB_PRODUCT_HORIZOGIPSMARKChange(Field &field)
{
    makeIsohypseNegative(field);
}

} // namespace tarvena
