#include "model/documentslots.h"

#include "storage/codepage.h"

#include <algorithm>
#include <functional>

namespace tarvena {

namespace {

std::vector<std::string> cp1251List(std::initializer_list<const char *> utf8)
{
    std::vector<std::string> list;
    for (const char *text : utf8)
        list.push_back(codepage::utf8ToCp1251(text));
    return list;
}

DerivedSlotKind derived(const char *titleUtf8, const char *key)
{
    return {codepage::utf8ToCp1251(titleUtf8), key};
}

DocumentSlot titledSlot(const std::string &title)
{
    DocumentSlot slot;
    slot.title = title.substr(0, kSlotTitleSize);
    return slot;
}

// A map slot of the n-th horizon: the kind's title followed by the horizon's name.
DocumentSlot numberedSlot(const DerivedSlotKind &kind, const std::string &name, int n)
{
    DocumentSlot slot = titledSlot(kind.titlePrefix + name);
    slot.derivedKey = kind.keyPrefix + std::to_string(n);
    return slot;
}

DocumentSlot profileSlot(const DerivedSlotKind &kind, int n)
{
    return numberedSlot(kind, std::to_string(n), n);
}

bool beginsWith(const std::string &base, const std::string &prefix)
{
    return base.size() >= prefix.size() &&
           codepage::LowerCaseByTable(std::string_view(base).substr(0, prefix.size())) ==
               codepage::LowerCaseByTable(prefix);
}

using SlotTest = std::function<bool(const DocumentSlot &)>;

// Fills the first free slot of list that passes test.
bool fillFree(std::vector<DocumentSlot> &list, const SlotTest &test,
              const std::function<bool(DocumentSlot &)> &fill)
{
    for (DocumentSlot &slot : list) {
        if (slot.isFree() && test(slot))
            return fill(slot);
    }
    return false;
}

} // namespace

const std::vector<std::string> &documentSlotTitles()
{
    static const std::vector<std::string> titles =
        cp1251List({"Титульный лист", "Пояснительная записка", "Рекомендации", "Экспертное заключение"});
    return titles;
}

const std::string &titlePageSlotTitle()
{
    return documentSlotTitles().front();
}

const std::vector<std::string> &fixedGraphicsSlotTitles()
{
    static const std::vector<std::string> titles =
        cp1251List({"Список графики", "Обзорная карта", "Фрагмент тектонической схемы", "Карта изученности",
                    "Сводный геолого-геофизический разрез"});
    return titles;
}

// The "То" of the time map's title is Cyrillic; the keys are Latin.
const DerivedSlotKind &timeMapSlots()
{
    static const DerivedSlotKind kind = derived("Карта То по ОГ: ", "To");
    return kind;
}

const DerivedSlotKind &structureMapSlots()
{
    static const DerivedSlotKind kind = derived("Структурная карта по ОГ: ", "Str");
    return kind;
}

const DerivedSlotKind &productiveMapSlots()
{
    static const DerivedSlotKind kind = derived("Структурная карта по ПГ: ", "Prod");
    return kind;
}

const DerivedSlotKind &geologicalSectionSlots()
{
    static const DerivedSlotKind kind = derived("Геолого-геофизический разрез по профилю №", "Geo");
    return kind;
}

const DerivedSlotKind &seismicSectionSlots()
{
    static const DerivedSlotKind kind = derived("Временной сейсмический разрез по профилю №", "Vrem");
    return kind;
}

const std::string &additionalGraphicsSlotTitle()
{
    static const std::string title = codepage::utf8ToCp1251("Дополнительный файл графики");
    return title;
}

bool isDocumentSlotTitle(std::string_view name)
{
    const std::string lower = codepage::LowerCaseByTable(name);
    const std::vector<std::string> &titles = documentSlotTitles();
    return std::any_of(titles.begin(), titles.end(),
                       [&](const std::string &title) { return codepage::LowerCaseByTable(title) == lower; });
}

std::string storedNameBase(std::string_view name)
{
    const std::size_t dot = name.rfind('.');
    return std::string(dot == std::string_view::npos ? name : name.substr(0, dot));
}

std::string fileExtension(std::string_view fileName)
{
    const std::size_t dot = fileName.rfind('.');
    return dot == std::string_view::npos ? std::string() : std::string(fileName.substr(dot));
}

bool sameNoCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && codepage::LowerCaseByTable(a) == codepage::LowerCaseByTable(b);
}

DocumentSlot freeAdditionalSlot()
{
    return titledSlot(additionalGraphicsSlotTitle());
}

DerivedSlots deriveFileSlots(const SlotSources &sources)
{
    DerivedSlots lists;
    for (const std::string &title : documentSlotTitles())
        lists.documents.push_back(titledSlot(title));

    std::vector<DocumentSlot> &graphics = lists.graphics;
    for (const std::string &title : fixedGraphicsSlotTitles())
        graphics.push_back(titledSlot(title));
    for (const DerivedSlotKind *kind : {&timeMapSlots(), &structureMapSlots()}) {
        int n = 0;
        for (const std::string &index : sources.reflectHorizons)
            graphics.push_back(numberedSlot(*kind, index, ++n));
    }
    int n = 0;
    for (const std::string &name : sources.productiveHorizons)
        graphics.push_back(numberedSlot(productiveMapSlots(), name, ++n));
    graphics.push_back(profileSlot(geologicalSectionSlots(), 1));
    graphics.push_back(profileSlot(seismicSectionSlots(), 1));

    int geological = 0;
    int seismic = 0;
    for (std::size_t i = 0; i < sources.attachments.size(); ++i) {
        const StoredAttachment &attachment = sources.attachments[i];
        const std::string base = storedNameBase(attachment.name);
        const auto fill = [&](DocumentSlot &slot) {
            slot.fileName = attachment.name;
            slot.srcName = attachment.srcName;
            slot.description = attachment.description;
            slot.attachment = int(i);
            return true;
        };
        const auto byTitle = [&](const DocumentSlot &slot) { return sameNoCase(slot.title, base); };
        const auto byKey = [&](const DocumentSlot &slot) { return sameNoCase(slot.key(), base); };
        const auto keyed = [&](const DerivedSlotKind &kind, const SlotTest &test) {
            return beginsWith(base, kind.keyPrefix) && fillFree(graphics, test, fill);
        };
        // A profile section takes the next free section slot whatever its own number; a new free
        // slot follows it.
        const auto section = [&](const DerivedSlotKind &kind, int &count, bool insertBelow) {
            if (!beginsWith(base, kind.keyPrefix))
                return false;
            const std::string key = kind.keyPrefix + std::to_string(count + 1);
            const auto slot = std::find_if(graphics.begin(), graphics.end(),
                                           [&](const DocumentSlot &s) { return sameNoCase(s.key(), key); });
            if (slot == graphics.end() || !slot->isFree())
                return false;
            fill(*slot);
            ++count;
            const DocumentSlot next = profileSlot(kind, count + 1);
            if (insertBelow)
                graphics.insert(slot + 1, next);
            else
                graphics.push_back(next);
            return true;
        };

        if (fillFree(lists.documents, byTitle, fill) || keyed(timeMapSlots(), byKey) ||
            keyed(structureMapSlots(), byKey) || fillFree(graphics, byTitle, fill) ||
            section(geologicalSectionSlots(), geological, true) || keyed(productiveMapSlots(), byKey) ||
            section(seismicSectionSlots(), seismic, false))
            continue;
        lists.additional.push_back(freeAdditionalSlot());
        fill(lists.additional.back());
    }
    lists.additional.push_back(freeAdditionalSlot());
    return lists;
}

} // namespace tarvena
