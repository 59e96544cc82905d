#include "editor/pages/methodspage.h"

namespace tarvena::editor {

MethodsPage::MethodsPage(PageContext &context, QWidget *parent)
    : RecordPage(context, "TabSheet5", QStringLiteral("3.Методика подготовки"), parent)
{
    for (RecordGroup group : {RecordGroup::Seismic2D, RecordGroup::Seismic3D, RecordGroup::Electrical,
                              RecordGroup::OtherMethod, RecordGroup::StructuralDrilling})
        addFields(group);
    alignCaptionColumns();
}

} // namespace tarvena::editor
