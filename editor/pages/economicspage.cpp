#include "editor/pages/economicspage.h"

namespace tarvena::editor {

EconomicsPage::EconomicsPage(PageContext &context, QWidget *parent)
    : BookPage(context, "TabSheet14", QStringLiteral("12.Экономика"), parent)
{}

} // namespace tarvena::editor
