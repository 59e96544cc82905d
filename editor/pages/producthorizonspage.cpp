#include "editor/pages/producthorizonspage.h"

namespace tarvena::editor {

ProductHorizonsPage::ProductHorizonsPage(PageContext &context, QWidget *parent)
    : BookPage(context, "TabSheet9", QStringLiteral("7.Возможные продуктивные горизонты"), parent)
{}

} // namespace tarvena::editor
