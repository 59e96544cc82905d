// The attachments compared slot by slot: a slot is the same slot in both passports when it has the
// same key (an additional graphic: the same stored name).
#include "model/datamodule.h"
#include "model/documentslots.h"
#include "model/passportdiff_parts.h"
#include "storage/codepage.h"

namespace tarvena::diff {

namespace {

const char *const kListCaptions[] = {"Документы", "Графика", "Дополнительная графика"};
const char *const kListGrids[] = {"JvDBGrid12", "JvDBGrid13", "JvDBGrid11"};

// A filled slot with the content of its file.
struct FilledSlot
{
    int list;
    int place;
    const DocumentSlot *slot;
    const std::string *content; // null when the file has none
};

struct SlotsOf
{
    DerivedSlots lists;
    std::vector<const std::string *> contents; // by attachment, in FILES order
};

// The slot lists as the documents page derives them, from the stored records.
SlotsOf slotsOf(const TDataModule2 &dm, const Horizons &horizons)
{
    SlotSources sources;
    for (const ReflectingHorizon &horizon : horizons.reflecting)
        sources.reflectHorizons.push_back(horizon.index);
    for (const ProductiveHorizon &horizon : horizons.productive)
        sources.productiveHorizons.push_back(horizon.stratigraphicUnit + " " + horizon.name);
    const MemTable &files = dm.FILES;
    const int name = files.FieldByName("NAME").dataIndex();
    const int source = files.FieldByName("SRCNAME").dataIndex();
    const int description = files.FieldByName("DESCRIPTION").dataIndex();
    const int content = files.FieldByName("CONTENT").dataIndex();
    std::vector<const std::string *> contents;
    files.forEachStoredRecord([&](const StoredRecordView &record) {
        const auto text = [&](int index) {
            const std::string *bytes = record.bytes(index);
            return bytes ? *bytes : std::string();
        };
        sources.attachments.push_back({text(name), text(source), text(description)});
        contents.push_back(record.bytes(content));
    });
    return {deriveFileSlots(sources), std::move(contents)};
}

std::vector<FilledSlot> filledSlots(const SlotsOf &slots)
{
    std::vector<FilledSlot> filled;
    const std::vector<DocumentSlot> *lists[] = {&slots.lists.documents, &slots.lists.graphics,
                                                &slots.lists.additional};
    for (int list = 0; list < 3; ++list)
        for (std::size_t place = 0; place < lists[list]->size(); ++place) {
            const DocumentSlot &slot = (*lists[list])[place];
            if (slot.isFree())
                continue;
            const std::string *content =
                slot.attachment >= 0 ? slots.contents[static_cast<std::size_t>(slot.attachment)] : nullptr;
            filled.push_back({list, static_cast<int>(place), &slot, content});
        }
    return filled;
}

bool sameSlot(const FilledSlot &a, const FilledSlot &b)
{
    if (a.list != b.list)
        return false;
    return a.list == 2 ? sameNoCase(a.slot->fileName, b.slot->fileName)
                       : sameNoCase(a.slot->key(), b.slot->key());
}

std::string fileOf(const DocumentSlot &slot)
{
    return "«" + codepage::cp1251ToUtf8(slot.srcName.empty() ? slot.fileName : slot.srcName) + "»";
}

std::vector<std::string> slotPath(const FilledSlot &slot)
{
    return {diffPageCaption(kDocumentsPage), kListCaptions[slot.list],
            codepage::cp1251ToUtf8(slot.slot->title)};
}

DiffTarget slotTarget(const FilledSlot &slot)
{
    DiffTarget target = pageTarget(kDocumentsPage, kListGrids[slot.list]);
    target.slotList = slot.list;
    target.slot = slot.place;
    return target;
}

DiffLine slotLine(DiffLine::Kind kind, const FilledSlot &slot, std::string change)
{
    return makeLine(kind, slotPath(slot), std::move(change), slotTarget(slot));
}

bool sameContent(const std::string *a, const std::string *b)
{
    return a && b ? *a == *b : a == b;
}

} // namespace

void compareAttachments(const TDataModule2 &before, const TDataModule2 &after, const Horizons &was,
                        const Horizons &is, std::vector<DiffLine> &lines)
{
    const SlotsOf slotsWas = slotsOf(before, was);
    const SlotsOf slotsIs = slotsOf(after, is);
    const std::vector<FilledSlot> filledWas = filledSlots(slotsWas);
    const std::vector<FilledSlot> filledIs = filledSlots(slotsIs);
    std::vector<bool> kept(filledWas.size(), false);
    for (const FilledSlot &slot : filledIs) {
        std::size_t j = 0;
        while (j < filledWas.size() && (kept[j] || !sameSlot(filledWas[j], slot)))
            ++j;
        if (j == filledWas.size()) {
            lines.push_back(slotLine(DiffLine::Kind::Added, slot, "добавлен файл " + fileOf(*slot.slot)));
            continue;
        }
        kept[j] = true;
        const FilledSlot &old = filledWas[j];
        if (!sameContent(old.content, slot.content)) {
            const std::string was = fileOf(*old.slot);
            const std::string is = fileOf(*slot.slot);
            DiffLine line =
                slotLine(DiffLine::Kind::Replaced, slot,
                         was == is ? "заменено содержимое файла " + is : "файл заменён: " + was + " → " + is);
            line.before = was;
            line.after = is;
            lines.push_back(std::move(line));
        }
        if (old.slot->description != slot.slot->description) {
            std::vector<std::string> path = slotPath(slot);
            path.emplace_back("Комментарий");
            lines.push_back(changedLine(std::move(path), old.slot->description, slot.slot->description,
                                        slotTarget(slot)));
        }
    }
    for (std::size_t j = 0; j < filledWas.size(); ++j)
        if (!kept[j]) {
            DiffLine line =
                slotLine(DiffLine::Kind::Removed, filledWas[j], "удалён файл " + fileOf(*filledWas[j].slot));
            line.target.slot = -1;
            lines.push_back(std::move(line));
        }
}

} // namespace tarvena::diff
