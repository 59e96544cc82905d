#include "editor/pages/economicspage.h"

namespace tarvena::editor {

EconomicsPage::EconomicsPage(TDataModule2 &data, QWidget *parent)
    : TablePage(data, "TabSheet14", QStringLiteral("12.Экономика"), parent)
{}

} // namespace tarvena::editor
