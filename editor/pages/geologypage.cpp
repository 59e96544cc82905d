#include "editor/pages/geologypage.h"

namespace tarvena::editor {

GeologyPage::GeologyPage(PageContext &context, QWidget *parent)
    : BookPage(context, "TabSheet6", QStringLiteral("4.Геология"), parent)
{}

} // namespace tarvena::editor
