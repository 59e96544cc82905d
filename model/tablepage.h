#pragma once
// The inner pages of the "Таблицы" page in their fixed order: page checks and page switch requests
// name the page they send the user to by these, never by a tab's number.
namespace tarvena {

enum class TablePage
{
    Geography,
    History,
    Methods,
    Geology,
    ReflectHorizons,
    Quality,
    ProductHorizons,
    OilResources,
    GasResources,
    CondensateResources,
    Contours,
    Economics,
};

inline constexpr int kTablePageCount = static_cast<int>(TablePage::Economics) + 1;

// The page's position in the inner page control.
constexpr int pageIndex(TablePage page)
{
    return static_cast<int>(page);
}

} // namespace tarvena
