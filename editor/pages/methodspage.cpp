#include "editor/pages/methodspage.h"

namespace tarvena::editor {

MethodsPage::MethodsPage(TDataModule2 &data, QWidget *parent)
    : TablePage(data, "TabSheet5", QStringLiteral("3.Методика подготовки"), parent)
{}

} // namespace tarvena::editor
