#include "editor/pages/producthorizonspage.h"

namespace tarvena::editor {

ProductHorizonsPage::ProductHorizonsPage(TDataModule2 &data, QWidget *parent)
    : TablePage(data, "TabSheet9", QStringLiteral("7.Возможные продуктивные горизонты"), parent)
{}

} // namespace tarvena::editor
