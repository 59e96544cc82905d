#include "editor/pages/horizonpagespec.h"

#include "model/pagechecks.h"
#include "storage/error.h"

namespace tarvena::editor {

namespace {

// The page operations the original form named keep their names here: a page's Enter and Resize
// (TabSheet7Enter, ...) are its entry check and its layout, the cell buttons of every grid
// (JvDBGrid1EditButtonClick, ...) and its title clicks (JvDBGrid1TitleBtnClick) are HorizonPage's.
const HorizonPageSpec kPages[] = {
    // TabSheet7
    {.page = TablePage::ReflectHorizons,
     .objectName = "TabSheet7",
     .caption = "5.Отражающие горизонты",
     .bands = {{"JvDBGrid1Title", "Характеристики объекта по различным отражающим горизонтам", "JvDBGrid1"}},
     .navigator = "DBNavigator1",
     .navigatorButtons = &Navigator::allButtons,
     .check = EntryCheck::NotRequiredWarning},
    // TabSheet8
    {.page = TablePage::Quality,
     .objectName = "TabSheet8",
     .caption = "6.Качество",
     .bands = {{"JvDBGrid2Title", "Качество подготовки объекта по различным отражающим горизонтам",
                "JvDBGrid2"}},
     .navigator = "DBNavigator4",
     .navigatorButtons = &Navigator::browseButtons,
     .check = EntryCheck::ReflectHorizons},
    // TabSheet9
    {.page = TablePage::ProductHorizons,
     .objectName = "TabSheet9",
     .caption = "7.Возможные продуктивные горизонты",
     .bands = {{"JvDBGrid3Title", "Возможные продуктивные горизонты", "JvDBGrid3"}},
     .navigator = "DBNavigator2",
     .navigatorButtons = &Navigator::allButtons,
     .check = EntryCheck::RecalculationHorizon},
    // TabSheet10
    {.page = TablePage::OilResources,
     .objectName = "TabSheet10",
     .caption = "8.Ресурсы нефти",
     .bands = {{"JvDBGrid4Title",
                "Подсчетные параметры и подготовленные ресурсы нефти. Детерминированный подход.",
                "JvDBGrid4"},
               {"JvDBGrid5Title",
                "Подсчетные параметры и подготовленные ресурсы нефти. Вероятностный подход.", "JvDBGrid5"}},
     .fluid = pagechecks::resourceFilter(Product::Oil)},
    // TabSheet11
    {.page = TablePage::GasResources,
     .objectName = "TabSheet11",
     .caption = "9.Ресурсы газа",
     .bands = {{"JvDBGrid6Title",
                "Подсчетные параметры и подготовленные ресурсы газа. Детерминированный подход.", "JvDBGrid6"},
               {"JvDBGrid7Title", "Подсчетные параметры и подготовленные ресурсы газа. Вероятностный подход.",
                "JvDBGrid7"}},
     .fluid = pagechecks::resourceFilter(Product::Gas)},
    // TabSheet12
    {.page = TablePage::CondensateResources,
     .objectName = "TabSheet12",
     .caption = "10.Ресурсы газоконденсата",
     .bands = {{"JvDBGrid8Title",
                "Подсчетные параметры и подготовленные ресурсы газоконденсата. Детерминированный подход.",
                "JvDBGrid8"},
               {"JvDBGrid9Title",
                "Подсчетные параметры и подготовленные ресурсы газоконденсата. Вероятностный подход.",
                "JvDBGrid9"}},
     .fluid = pagechecks::resourceFilter(Product::Condensate)},
    // TabSheet13: the contour page places its grids and navigator itself.
    {.page = TablePage::Contours,
     .objectName = "TabSheet13",
     .caption = "11.Контуры ловушек",
     .bands = {{"TabSheet13Title", "Контуры ловушек"}}},
};

} // namespace

const HorizonPageSpec &horizonPageSpec(TablePage page)
{
    for (const HorizonPageSpec &spec : kPages) {
        if (spec.page == page)
            return spec;
    }
    throw Error("Нет страницы горизонтов с номером " + std::to_string(pageIndex(page) + 1));
}

} // namespace tarvena::editor
