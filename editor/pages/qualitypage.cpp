#include "editor/pages/qualitypage.h"

namespace tarvena::editor {

QualityPage::QualityPage(PageContext &context, QWidget *parent)
    : BookPage(context, "TabSheet8", QStringLiteral("6.Качество"), parent)
{}

} // namespace tarvena::editor
