#include "editor/pages/oilresourcespage.h"

namespace tarvena::editor {

OilResourcesPage::OilResourcesPage(PageContext &context, QWidget *parent)
    : BookPage(context, "TabSheet10", QStringLiteral("8.Ресурсы нефти"), parent)
{}

} // namespace tarvena::editor
