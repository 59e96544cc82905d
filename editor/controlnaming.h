#pragma once
// Every control carries its name from the passport's forms as objectName, its caption as accessible
// name (through its buddy label when it has one) and its hint as tooltip, so a screen reader and an
// acceptance check driving the program through the accessibility bus find it as a user reads it.
#include <QString>

class QLabel;
class QWidget;

namespace tarvena::editor {

void nameControl(QWidget *control, const char *objectName, const QString &caption, const QString &hint,
                 QLabel *buddy = nullptr);

} // namespace tarvena::editor
