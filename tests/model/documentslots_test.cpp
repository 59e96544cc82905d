// The slot lists of the documents and graphics page derived from the horizons and the stored names:
// fixed slots, map slots by horizon position, profile sections with their free successors, and each
// attachment placed by the first rule that fits.
#include "model/documentslots.h"
#include "storage/codepage.h"
#include "tests/support/samplepassport.h"

#include <gtest/gtest.h>

namespace tarvena {
namespace {

using testing::cp;

std::string utf8(const std::string &text)
{
    return codepage::cp1251ToUtf8(text);
}

// A list as "title | key | file" lines, in UTF-8; the key column is empty for the fixed slots.
std::vector<std::string> rows(const std::vector<DocumentSlot> &list)
{
    std::vector<std::string> lines;
    for (const DocumentSlot &slot : list)
        lines.push_back(utf8(slot.title) + " | " + slot.derivedKey + " | " + utf8(slot.fileName));
    return lines;
}

SlotSources sources(std::vector<const char *> reflect, std::vector<const char *> productive,
                    std::vector<const char *> names)
{
    SlotSources s;
    for (const char *index : reflect)
        s.reflectHorizons.push_back(cp(index));
    for (const char *name : productive)
        s.productiveHorizons.push_back(cp(name));
    for (const char *name : names)
        s.attachments.push_back({cp(name), cp(name), {}});
    return s;
}

// Where attachment i landed: "D <title>", "G <key>" or "A <position in the additional list>".
std::string placeOf(const DerivedSlots &lists, int i)
{
    for (const DocumentSlot &slot : lists.documents)
        if (slot.attachment == i)
            return "D " + utf8(slot.title);
    for (const DocumentSlot &slot : lists.graphics)
        if (slot.attachment == i)
            return "G " + utf8(slot.key());
    for (std::size_t n = 0; n < lists.additional.size(); ++n)
        if (lists.additional[n].attachment == i)
            return "A " + std::to_string(n);
    return "nowhere";
}

const std::vector<std::string> kFixedGraphics = {
    "Список графики |  | ", "Обзорная карта |  | ", "Фрагмент тектонической схемы |  | ",
    "Карта изученности |  | ", "Сводный геолого-геофизический разрез |  | "};

std::vector<std::string> withFixedGraphics(std::vector<std::string> derived)
{
    std::vector<std::string> all = kFixedGraphics;
    all.insert(all.end(), derived.begin(), derived.end());
    return all;
}

TEST(DocumentSlots, WorkedExample)
{
    const DerivedSlots lists = deriveFileSlots(sources(
        {"Т2", "Б"}, {"J3 Ю1"}, {"Титульный лист.doc", "To2.jpg", "Geo1.bmp", "Geo5.bmp", "photo.jpg"}));

    EXPECT_EQ(
        rows(lists.documents),
        (std::vector<std::string>{"Титульный лист |  | Титульный лист.doc", "Пояснительная записка |  | ",
                                  "Рекомендации |  | ", "Экспертное заключение |  | "}));
    EXPECT_EQ(rows(lists.graphics), withFixedGraphics({
                                        "Карта То по ОГ: Т2 | To1 | ",
                                        "Карта То по ОГ: Б | To2 | To2.jpg",
                                        "Структурная карта по ОГ: Т2 | Str1 | ",
                                        "Структурная карта по ОГ: Б | Str2 | ",
                                        "Структурная карта по ПГ: J3 Ю1 | Prod1 | ",
                                        "Геолого-геофизический разрез по профилю №1 | Geo1 | Geo1.bmp",
                                        "Геолого-геофизический разрез по профилю №2 | Geo2 | Geo5.bmp",
                                        "Геолого-геофизический разрез по профилю №3 | Geo3 | ",
                                        "Временной сейсмический разрез по профилю №1 | Vrem1 | ",
                                    }));
    EXPECT_EQ(rows(lists.additional), (std::vector<std::string>{"Дополнительный файл графики |  | photo.jpg",
                                                                "Дополнительный файл графики |  | "}));
    // The "То" of the time map's title is Cyrillic, the key's "To" Latin.
    EXPECT_EQ(lists.graphics[5].title.substr(6, 2), cp("То"));
    EXPECT_EQ(lists.graphics[5].derivedKey.substr(0, 2), "To");
    EXPECT_EQ(lists.graphics[6].attachment, 1);
}

TEST(DocumentSlots, EmptyPassportHasTheFixedSlotsAndOneFreeSlotOfEachGrowingKind)
{
    const DerivedSlots lists = deriveFileSlots({});
    EXPECT_EQ(lists.documents.size(), 4u);
    EXPECT_EQ(rows(lists.graphics),
              withFixedGraphics({"Геолого-геофизический разрез по профилю №1 | Geo1 | ",
                                 "Временной сейсмический разрез по профилю №1 | Vrem1 | "}));
    EXPECT_EQ(rows(lists.additional), std::vector<std::string>{"Дополнительный файл графики |  | "});
}

TEST(DocumentSlots, PlacementByStoredName)
{
    const struct
    {
        const char *what;
        std::vector<const char *> reflect, productive, names;
        std::vector<std::string> places;
    } cases[] = {
        {"additional graphics move into fixed, map and section slots",
         {"Т2"},
         {},
         {"Обзорная карта.png", "To1.png", "Geology.jpg"},
         {"G Обзорная карта", "G To1", "G Geo1"}},
        {"stored maps keep their numbers when the first horizon is gone",
         {"М", "Б"},
         {},
         {"To1.jpg", "To2.jpg", "To3.jpg"},
         {"G To1", "G To2", "A 0"}},
        {"two additional graphics of one name", {}, {}, {"photo.jpg", "photo.jpg"}, {"A 0", "A 1"}},
        {"letter case is ignored, Cyrillic included",
         {"Т2", "Б"},
         {"J3 Ю1"},
         {"TO2.JPG", "ТИТУЛЬНЫЙ ЛИСТ.doc", "str1.bmp", "PROD1.png", "РЕКОМЕНДАЦИИ"},
         {"G To2", "D Титульный лист", "G Str1", "G Prod1", "D Рекомендации"}},
        {"a Cyrillic То is no time-map key", {"Т2"}, {}, {"То1.jpg"}, {"A 0"}},
        {"numbers beyond the horizons and other bases are additional",
         {"Т2"},
         {"J3 Ю1"},
         {"Prod2.png", "Str0.png", "To1.old.jpg", "Structure.png"},
         {"A 0", "A 1", "A 2", "A 3"}},
        {"a slot taken already leaves the next file of its name to the additional list",
         {"Т2"},
         {},
         {"Обзорная карта.png", "обзорная карта.jpg", "To1.png", "To1.jpg"},
         {"G Обзорная карта", "A 0", "G To1", "A 1"}},
        {"sections fill their slots in stored order, whatever their numbers",
         {},
         {},
         {"Vrem7.bmp", "Geo3.bmp", "Vrem1.bmp", "geo"},
         {"G Vrem1", "G Geo1", "G Vrem2", "G Geo2"}},
    };
    for (const auto &c : cases) {
        const DerivedSlots lists = deriveFileSlots(sources(c.reflect, c.productive, c.names));
        std::vector<std::string> places;
        for (int i = 0; i < int(c.names.size()); ++i)
            places.push_back(placeOf(lists, i));
        EXPECT_EQ(places, c.places) << c.what;
        EXPECT_TRUE(lists.additional.back().isFree()) << c.what;
    }
}

TEST(DocumentSlots, SectionSlotsGrowBelowTheirKindAndAtTheEnd)
{
    const DerivedSlots lists = deriveFileSlots(sources({}, {}, {"Vrem1.bmp", "Geo1.bmp", "Vrem2.bmp"}));
    EXPECT_EQ(rows(lists.graphics),
              withFixedGraphics({"Геолого-геофизический разрез по профилю №1 | Geo1 | Geo1.bmp",
                                 "Геолого-геофизический разрез по профилю №2 | Geo2 | ",
                                 "Временной сейсмический разрез по профилю №1 | Vrem1 | Vrem1.bmp",
                                 "Временной сейсмический разрез по профилю №2 | Vrem2 | Vrem2.bmp",
                                 "Временной сейсмический разрез по профилю №3 | Vrem3 | "}));
}

TEST(DocumentSlots, TitlesAreCutToEightyCharacters)
{
    const std::string longIndex(100, 'X');
    SlotSources s;
    s.reflectHorizons = {longIndex};
    const DerivedSlots lists = deriveFileSlots(s);
    const DocumentSlot &timeMap = lists.graphics[5];
    EXPECT_EQ(timeMap.title.size(), kSlotTitleSize);
    EXPECT_EQ(timeMap.title, (timeMapSlots().titlePrefix + longIndex).substr(0, kSlotTitleSize));
    EXPECT_EQ(timeMap.derivedKey, "To1");
}

} // namespace
} // namespace tarvena
