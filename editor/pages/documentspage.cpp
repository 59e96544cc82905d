#include "editor/pages/documentspage.h"

namespace tarvena::editor {

DocumentsPage::DocumentsPage(TDataModule2 &data, QWidget *parent)
    : TablePage(data, "TabSheet2", QStringLiteral("Документы/Графика"), parent)
{}

} // namespace tarvena::editor
