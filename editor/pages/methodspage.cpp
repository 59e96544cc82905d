#include "editor/pages/methodspage.h"

namespace tarvena::editor {

MethodsPage::MethodsPage(PageContext &context, QWidget *parent)
    : BookPage(context, "TabSheet5", QStringLiteral("3.Методика подготовки"), parent)
{}

} // namespace tarvena::editor
