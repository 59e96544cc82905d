#include "editor/pages/reflecthorizonspage.h"

namespace tarvena::editor {

ReflectHorizonsPage::ReflectHorizonsPage(TDataModule2 &data, QWidget *parent)
    : TablePage(data, "TabSheet7", QStringLiteral("5.Отражающие горизонты"), parent)
{}

} // namespace tarvena::editor
