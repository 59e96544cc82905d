#include "editor/controlnaming.h"

#include <QLabel>
#include <QWidget>

namespace tarvena::editor {

void nameControl(QWidget *control, const char *objectName, const QString &caption, const QString &hint,
                 QLabel *buddy)
{
    if (objectName && *objectName)
        control->setObjectName(QLatin1String(objectName));
    control->setAccessibleName(caption);
    // A compound control (a read-only field with its button) is read through the part that takes the
    // focus: that part carries the caption too.
    if (QWidget *proxy = control->focusProxy())
        proxy->setAccessibleName(caption);
    if (!hint.isEmpty()) {
        control->setToolTip(hint);
        control->setAccessibleDescription(hint);
    }
    if (buddy)
        buddy->setBuddy(control);
}

} // namespace tarvena::editor
