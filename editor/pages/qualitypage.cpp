#include "editor/pages/qualitypage.h"

namespace tarvena::editor {

QualityPage::QualityPage(TDataModule2 &data, QWidget *parent)
    : TablePage(data, "TabSheet8", QStringLiteral("6.Качество"), parent)
{}

} // namespace tarvena::editor
