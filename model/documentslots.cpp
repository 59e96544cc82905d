#include "model/documentslots.h"

#include "storage/codepage.h"

#include <algorithm>

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

} // namespace tarvena
