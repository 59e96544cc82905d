#pragma once
// The slot titles of the documents and graphics page as plain data: the editor's slot lists are built
// from them, and unpacking decides by them which folder an attachment goes into. Texts are code page
// 1251, as the slot lists hold them.
#include <string>
#include <string_view>
#include <vector>

namespace tarvena {

// The four fixed slots of the documents list, in list order; the first is the title page.
const std::vector<std::string> &documentSlotTitles();
// "Титульный лист": the document that unpacks into the passport folder itself.
const std::string &titlePageSlotTitle();
// The five fixed slots of the graphics list, in list order.
const std::vector<std::string> &fixedGraphicsSlotTitles();

// The derived graphics slots: a title prefix (followed by the horizon or the profile number) and the
// Latin key prefix of the stored name (followed by the slot's number).
struct DerivedSlotKind
{
    std::string titlePrefix;
    std::string keyPrefix;
};
const DerivedSlotKind &timeMapSlots();      // "Карта То по ОГ: " INDEXOG, To1 ...
const DerivedSlotKind &structureMapSlots(); // "Структурная карта по ОГ: " INDEXOG, Str1 ...
const DerivedSlotKind &productiveMapSlots(); // "Структурная карта по ПГ: " unit and name, Prod1 ...
const DerivedSlotKind &geologicalSectionSlots(); // "Геолого-геофизический разрез по профилю №" n, Geo1 ...
const DerivedSlotKind &seismicSectionSlots(); // "Временной сейсмический разрез по профилю №" n, Vrem1 ...
// The title of every slot of the additional graphics list.
const std::string &additionalGraphicsSlotTitle();

// Whether name (1251) is the title of a documents slot, letter case ignored.
bool isDocumentSlotTitle(std::string_view name);

} // namespace tarvena
