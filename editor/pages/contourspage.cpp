#include "editor/pages/contourspage.h"

namespace tarvena::editor {

ContoursPage::ContoursPage(TDataModule2 &data, QWidget *parent)
    : TablePage(data, "TabSheet13", QStringLiteral("11.Контуры ловушек"), parent)
{}

} // namespace tarvena::editor
