#include "editor/pages/historypage.h"

namespace tarvena::editor {

HistoryPage::HistoryPage(PageContext &context, QWidget *parent)
    : BookPage(context, "TabSheet4", QStringLiteral("2.История"), parent)
{}

} // namespace tarvena::editor
