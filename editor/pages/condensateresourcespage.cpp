#include "editor/pages/condensateresourcespage.h"

namespace tarvena::editor {

CondensateResourcesPage::CondensateResourcesPage(TDataModule2 &data, QWidget *parent)
    : TablePage(data, "TabSheet12", QStringLiteral("10.Ресурсы газоконденсата"), parent)
{}

} // namespace tarvena::editor
