#include "editor/pages/gasresourcespage.h"

namespace tarvena::editor {

GasResourcesPage::GasResourcesPage(TDataModule2 &data, QWidget *parent)
    : TablePage(data, "TabSheet11", QStringLiteral("9.Ресурсы газа"), parent)
{}

} // namespace tarvena::editor
