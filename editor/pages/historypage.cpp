#include "editor/pages/historypage.h"

namespace tarvena::editor {

HistoryPage::HistoryPage(PageContext &context, QWidget *parent)
    : RecordPage(context, "TabSheet4", QStringLiteral("2.История"), parent)
{
    addFields(RecordGroup::History);
}

} // namespace tarvena::editor
