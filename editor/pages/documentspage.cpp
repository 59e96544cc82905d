#include "editor/pages/documentspage.h"

namespace tarvena::editor {

DocumentsPage::DocumentsPage(PageContext &context, QWidget *parent)
    : BookPage(context, "TabSheet2", QStringLiteral("Документы/Графика"), parent)
{}

} // namespace tarvena::editor
