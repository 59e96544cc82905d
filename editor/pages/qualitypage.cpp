#include "editor/pages/qualitypage.h"

#include "model/datamodule.h"

namespace tarvena::editor {

QualityPage::QualityPage(PageContext &context, QWidget *parent)
    : GridPage(context, "TabSheet8", QStringLiteral("6.Качество"), parent)
{
    addTitleBand("JvDBGrid2Title",
                 QStringLiteral("Качество подготовки объекта по различным отражающим горизонтам"));
    addGrid("JvDBGrid2");
    addNavigator("DBNavigator4", data().REFLECT_HORIZONTS, Navigator::browseButtons());
}

void QualityPage::TabSheet8Enter()
{
    checkReflectHorizons();
}

} // namespace tarvena::editor
