#include "editor/pages/contourspage.h"

namespace tarvena::editor {

ContoursPage::ContoursPage(PageContext &context, QWidget *parent)
    : BookPage(context, "TabSheet13", QStringLiteral("11.Контуры ловушек"), parent)
{}

} // namespace tarvena::editor
