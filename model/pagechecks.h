#pragma once
// What the horizon pages check when they are entered: the preparation method decides whether
// reflecting horizons are required, and the warnings send the user to the page where the missing rows
// are entered. The pages show the warnings and queue the page switches; the decisions are here.
#include "model/fluid.h"
#include "model/tablepage.h"

#include <optional>

namespace tarvena {
class MemTable;
class TDataModule2;
} // namespace tarvena

namespace tarvena::pagechecks {

// The warnings' texts (UTF-8).
inline constexpr const char *kNoReflectHorizons = "Отсутствуют отражающие горизонты";
inline constexpr const char *kNoProductiveHorizons = "Отсутствуют возможные продуктивные горизонты";
inline constexpr const char *kNoSuchHydrocarbon = "На объекте нет такого УВ";
inline constexpr const char *kHorizonsNotRequired =
    "При использовании метода подготовки \"Электроразведка\", или \"Другой геофизический метод\", или "
    "\"Структурное бурение\" заполнение этой таблицы не требуется!";

// The preparation method that needs reflecting horizons.
inline constexpr int kSeismicMethod = 89;

// Reflecting horizons are required when no preparation method is chosen (0 or empty) or it is 89.
bool horizonsRequired(const TDataModule2 &dm);
// The table has at least one visible record.
bool hasRows(const MemTable &table);

// The hydrocarbon filter of a resource page: the productive horizons whose type carries its product.
const char *resourceFilter(Product product);

// A warning to show and the page to go to afterwards (none for the warning that lets the page open).
struct Verdict
{
    const char *warning = nullptr;
    std::optional<TablePage> goToPage;
    bool passed() const { return warning == nullptr; }
};

// Pages 6 to 11: without reflecting horizons where they are required, back to page 5.
Verdict reflectHorizonsCheck(bool haveReflectHorizons, bool required);
// Pages 8 to 11 after the first check: without productive horizons, to page 7.
Verdict productiveHorizonsCheck(bool haveProductiveHorizons);
// Pages 8 to 11 and the documents page, with every productive horizon shown: the first of the two
// checks above that fails, or none.
Verdict horizonsEntryCheck(const TDataModule2 &dm);
// A resource page whose filter lets no horizon through: to page 7 (the filter is removed).
Verdict hydrocarbonCheck(bool rowsPassFilter);

} // namespace tarvena::pagechecks
