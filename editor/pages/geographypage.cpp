#include "editor/pages/geographypage.h"

namespace tarvena::editor {

GeographyPage::GeographyPage(PageContext &context, QWidget *parent)
    : RecordPage(context, "TabSheet3", QStringLiteral("1.География"), parent)
{
    addFields(RecordGroup::Geography);
}

} // namespace tarvena::editor
