#include "editor/pages/reflecthorizonspage.h"

#include "model/datamodule.h"

namespace tarvena::editor {

ReflectHorizonsPage::ReflectHorizonsPage(PageContext &context, QWidget *parent)
    : GridPage(context, "TabSheet7", QStringLiteral("5.Отражающие горизонты"), parent)
{
    addTitleBand("JvDBGrid1Title",
                 QStringLiteral("Характеристики объекта по различным отражающим горизонтам"));
    addGrid("JvDBGrid1");
    addNavigator("DBNavigator1", data().REFLECT_HORIZONTS, Navigator::allButtons());
}

} // namespace tarvena::editor
