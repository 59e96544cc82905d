#pragma once
// The slots of the documents and graphics page as plain data: their titles, and the derivation of
// the three slot lists from the horizons and the stored attachments. The editor shows these lists,
// and unpacking decides by the document titles which folder an attachment goes into. Texts are code
// page 1251, as the tables hold them.
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

// Slot titles are cut to this many characters.
inline constexpr std::size_t kSlotTitleSize = 80;

// One slot of a list: a named place for one attached file.
struct DocumentSlot
{
    std::string title;       // DOCTYPE
    std::string derivedKey;  // DOCTYPE2: To1, Str2, Prod1, Geo3, Vrem1; empty for the fixed slots
    std::string fileName;    // the stored name (FILES.NAME); empty when the slot is free
    std::string srcName;     // the loaded file's name without its folder
    std::string description; // the comment
    int attachment = -1;     // the attachment's position among those derived from; -1 when free

    bool isFree() const { return fileName.empty(); }
    // The key a stored name begins with: the derived key, else the title.
    const std::string &key() const { return derivedKey.empty() ? title : derivedKey; }
};

// An attachment as FILES stores it, without its content.
struct StoredAttachment
{
    std::string name;
    std::string srcName;
    std::string description;
};

// What the lists are derived from, each in its table's current order.
struct SlotSources
{
    std::vector<std::string> reflectHorizons;    // INDEXOG of each reflecting horizon
    std::vector<std::string> productiveHorizons; // unit name, a blank and STRATIGRSVIT of each
    std::vector<StoredAttachment> attachments;   // the rows of FILES
};

struct DerivedSlots
{
    std::vector<DocumentSlot> documents;
    std::vector<DocumentSlot> graphics;
    std::vector<DocumentSlot> additional; // ends with one free slot
};

// The three lists: the fixed slots, two map slots per reflecting horizon and one per productive
// horizon (keys numbered by position), the profile sections, then each attachment placed by its
// stored name. Every attachment lands in exactly one slot: one whose slot is taken already goes on
// to the next rule that fits, at the latest to the additional graphics.
DerivedSlots deriveFileSlots(const SlotSources &sources);

// A free slot of the additional graphics list.
DocumentSlot freeAdditionalSlot();
// A stored name without its extension (the part from the last dot on).
std::string storedNameBase(std::string_view name);
// The extension of a file name, dot included; empty when it has no dot.
std::string fileExtension(std::string_view fileName);
// Texts equal with letter case folded by the program's lower-case table.
bool sameNoCase(std::string_view a, std::string_view b);

} // namespace tarvena
