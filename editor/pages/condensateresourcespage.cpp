#include "editor/pages/condensateresourcespage.h"

namespace tarvena::editor {

CondensateResourcesPage::CondensateResourcesPage(PageContext &context, QWidget *parent)
    : BookPage(context, "TabSheet12", QStringLiteral("10.Ресурсы газоконденсата"), parent)
{}

} // namespace tarvena::editor
