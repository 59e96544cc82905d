#include "editor/pages/geologypage.h"

namespace tarvena::editor {

GeologyPage::GeologyPage(TDataModule2 &data, QWidget *parent)
    : TablePage(data, "TabSheet6", QStringLiteral("4.Геология"), parent)
{}

} // namespace tarvena::editor
