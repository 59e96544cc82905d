#include "editor/pages/gasresourcespage.h"

namespace tarvena::editor {

GasResourcesPage::GasResourcesPage(PageContext &context, QWidget *parent)
    : BookPage(context, "TabSheet11", QStringLiteral("9.Ресурсы газа"), parent)
{}

} // namespace tarvena::editor
