// Rules of the contour points: identity and owner of a new point, the point count of its horizon,
// and the coordinate texts in the horizon's coordinate system.
#include "model/coordinates.h"
#include "model/datamodule.h"
#include "model/identity.h"
#include "model/passportrules.h"

namespace tarvena {

void PassportRules::KONTURNewRecord(MemTable &table)
{
    // While a passport is opened the stored rows bring their IDs, which the copy keeps unique.
    Field &id = table.FieldByName("ID");
    if (id.IsNull() && !mDm.PassportLoading)
        id.SetAsInteger(
            identity::freeRecordId(table, identity::PointIdRange, identity::millisecondsSinceStart()));
    Field &head = table.FieldByName("HEAD_ID");
    if (head.IsNull())
        head.SetAsInteger(mDm.POSIB_PRODUCT_HOR.FieldByName("ID").AsInteger());
}

// The count follows the points the user adds and deletes. It stands aside while a passport is being
// opened (the stored counts come with the horizons), and it never starts a horizon of its own when
// there is none to count for.
void PassportRules::countPoints(int delta)
{
    if (mDm.PassportLoading)
        return;
    MemTable &horizons = mDm.POSIB_PRODUCT_HOR;
    if (horizons.State() == TableState::Closed)
        return;
    if (horizons.State() == TableState::Browse) {
        if (horizons.IsEmpty())
            return;
        horizons.Edit();
    }
    Field &count = horizons.FieldByName("KONTURNUMPOINTS");
    count.SetAsInteger(static_cast<std::int64_t>(count.AsInteger()) + delta);
    horizons.Post();
}

void PassportRules::KONTURAfterInsert(MemTable &)
{
    countPoints(+1);
}

void PassportRules::KONTURAfterDelete(MemTable &)
{
    countPoints(-1);
}

void PassportRules::KONTURAfterPost(MemTable &)
{
    markModified();
}

int PassportRules::currentCoordinateSystem() const
{
    return mDm.POSIB_PRODUCT_HOR.FieldByName("KONTURKOORDTYPE").AsInteger();
}

void PassportRules::KONTURXGetText(Field &field, std::string &text, bool)
{
    text = coordinateText(currentCoordinateSystem(),
                          field.IsNull() ? std::nullopt : std::optional<double>(field.AsFloat()));
}

void PassportRules::KONTURXSetText(Field &field, const std::string &text)
{
    const int system = currentCoordinateSystem();
    const std::optional<double> value = coordinateFromText(system, text);
    if (!value) {
        field.Clear();
        return;
    }
    field.SetAsFloat(*value);
}

} // namespace tarvena
