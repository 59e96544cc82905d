#include "editor/pages/oilresourcespage.h"

namespace tarvena::editor {

OilResourcesPage::OilResourcesPage(TDataModule2 &data, QWidget *parent)
    : TablePage(data, "TabSheet10", QStringLiteral("8.Ресурсы нефти"), parent)
{}

} // namespace tarvena::editor
