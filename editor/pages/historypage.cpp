#include "editor/pages/historypage.h"

namespace tarvena::editor {

HistoryPage::HistoryPage(TDataModule2 &data, QWidget *parent)
    : TablePage(data, "TabSheet4", QStringLiteral("2.История"), parent)
{}

} // namespace tarvena::editor
