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

// The page's tab title, as reports name the page.
constexpr const char *tablePageTitle(TablePage page)
{
    constexpr const char *titles[kTablePageCount] = {
        "1.География",
        "2.История",
        "3.Методика подготовки",
        "4.Геология",
        "5.Отражающие горизонты",
        "6.Качество",
        "7.Возможные продуктивные горизонты",
        "8.Ресурсы нефти",
        "9.Ресурсы газа",
        "10.Ресурсы газоконденсата",
        "11.Контуры ловушек",
        "12.Экономика",
    };
    return titles[pageIndex(page)];
}

// The documents page's lists, named together beside the table pages.
inline constexpr const char *kDocumentsPageTitle = "Документы/Графика";

} // namespace tarvena
