#include "editor/pages/reflecthorizonspage.h"

#include "model/datamodule.h"
#include "model/pagechecks.h"

namespace tarvena::editor {

ReflectHorizonsPage::ReflectHorizonsPage(PageContext &context, QWidget *parent)
    : GridPage(context, "TabSheet7", QStringLiteral("5.Отражающие горизонты"), parent)
{
    addTitleBand("JvDBGrid1Title",
                 QStringLiteral("Характеристики объекта по различным отражающим горизонтам"));
    addGrid("JvDBGrid1");
    addNavigator("DBNavigator1", data().REFLECT_HORIZONTS, Navigator::allButtons());
}

void ReflectHorizonsPage::TabSheet7Enter()
{
    if (!horizonsRequired())
        warn(pagechecks::kHorizonsNotRequired);
}

void ReflectHorizonsPage::JvDBGrid1EditButtonClick(int column)
{
    gridEditButtonClick(grid("JvDBGrid1"), column);
}

} // namespace tarvena::editor
