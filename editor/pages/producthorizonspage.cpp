#include "editor/pages/producthorizonspage.h"

#include "editor/grid/tablegrid.h"
#include "model/datamodule.h"

namespace tarvena::editor {

ProductHorizonsPage::ProductHorizonsPage(PageContext &context, QWidget *parent)
    : GridPage(context, "TabSheet9", QStringLiteral("7.Возможные продуктивные горизонты"), parent)
{
    addTitleBand("JvDBGrid3Title", QStringLiteral("Возможные продуктивные горизонты"));
    addGrid("JvDBGrid3");
    addNavigator("DBNavigator2", data().POSIB_PRODUCT_HOR, Navigator::allButtons());
}

void ProductHorizonsPage::TabSheet9Enter()
{
    removeProductiveFilter();
    checkReflectHorizons();
    // An object whose reflecting horizons are required names the recalculation horizon by choosing
    // one of them; any other object types the horizon's name.
    const bool required = horizonsRequired();
    TableGrid *horizons = grid("JvDBGrid3");
    horizons->setColumnHidden(horizons->columnOf("_REFLECTHOR_ID"), !required);
    horizons->setColumnHidden(horizons->columnOf("STRUCTOGNEW"), required);
}

void ProductHorizonsPage::JvDBGrid3EditButtonClick(int column)
{
    gridEditButtonClick(grid("JvDBGrid3"), column);
}

} // namespace tarvena::editor
