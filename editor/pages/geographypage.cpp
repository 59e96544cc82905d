#include "editor/pages/geographypage.h"

namespace tarvena::editor {

GeographyPage::GeographyPage(TDataModule2 &data, QWidget *parent)
    : TablePage(data, "TabSheet3", QStringLiteral("1.География"), parent)
{}

} // namespace tarvena::editor
