// The passport check of the documents page: the fixed slots that must be filled, the ones a reviewer
// may do without, and the structural maps of the horizons.
#include "model/completeness_checks.h"
#include "model/datamodule.h"
#include "storage/codepage.h"

#include <array>

namespace tarvena::completeness {

namespace {

// A fixed slot of a list and what its emptiness is.
struct FixedSlot
{
    SlotList list;
    int slot;
    Check check;
};

// The documents list: the title page and the explanatory note, then the recommendations and the
// expert opinion (written by the reviewers themselves, so only advised); every fixed map.
constexpr std::array<FixedSlot, 9> kFixedSlots = {{
    {SlotList::Documents, 0, Check::RequiredDocument},
    {SlotList::Documents, 1, Check::RequiredDocument},
    {SlotList::Documents, 2, Check::AdvisedDocument},
    {SlotList::Documents, 3, Check::AdvisedDocument},
    {SlotList::Graphics, 0, Check::RequiredDocument},
    {SlotList::Graphics, 1, Check::RequiredDocument},
    {SlotList::Graphics, 2, Check::RequiredDocument},
    {SlotList::Graphics, 3, Check::RequiredDocument},
    {SlotList::Graphics, 4, Check::RequiredDocument},
}};

bool startsWith(const std::string &text, const std::string &prefix)
{
    return text.compare(0, prefix.size(), prefix) == 0;
}

Place slotPlace(SlotList list, int slot)
{
    Place place;
    place.kind = PlaceKind::DocumentSlot;
    place.list = list;
    place.row = slot;
    return place;
}

} // namespace

void checkDocuments(const TDataModule2 &dm, FindingList &list)
{
    // Every horizon has its slot, whatever filter a resource page left.
    const Horizons horizons = readHorizons(dm);
    SlotSources sources;
    for (const ReflectingHorizon &horizon : horizons.reflecting)
        sources.reflectHorizons.push_back(horizon.index);
    for (const ProductiveHorizon &horizon : horizons.productive)
        sources.productiveHorizons.push_back(horizon.stratigraphicUnit + " " + horizon.name);
    sources.attachments = slotSources(dm).attachments;
    const DerivedSlots slots = deriveFileSlots(sources);

    for (const FixedSlot &fixed : kFixedSlots) {
        const auto &slotList = fixed.list == SlotList::Documents ? slots.documents : slots.graphics;
        const DocumentSlot &slot = slotList.at(std::size_t(fixed.slot));
        if (slot.isFree())
            list.add(fixed.check, {codepage::cp1251ToUtf8(slot.title)}, slotPlace(fixed.list, fixed.slot));
    }
    for (std::size_t i = 0; i < slots.graphics.size(); ++i) {
        const DocumentSlot &slot = slots.graphics[i];
        const bool map = startsWith(slot.derivedKey, structureMapSlots().keyPrefix) ||
                         startsWith(slot.derivedKey, productiveMapSlots().keyPrefix);
        if (map && slot.isFree())
            list.add(Check::HorizonMap, {codepage::cp1251ToUtf8(slot.title)},
                     slotPlace(SlotList::Graphics, static_cast<int>(i)));
    }
}

} // namespace tarvena::completeness
