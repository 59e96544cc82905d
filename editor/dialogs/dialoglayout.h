#pragma once
// Pieces shared by the small modal dialogs: the confirm and cancel buttons below their content, and
// the dialog centred on its screen.
class QDialog;
class QHBoxLayout;
class QPushButton;
class QWidget;

namespace tarvena::editor {

// A row with the confirm button (the default, pressed by Enter) and the cancel button (also Esc),
// named Button1 and Button2. The confirm button is connected by the caller; cancel rejects.
QHBoxLayout *confirmButtons(QDialog *dialog, QPushButton *confirm, QPushButton *cancel);
// Centres a dialog on the screen it is shown on.
void centreOnScreen(QWidget *dialog);

} // namespace tarvena::editor
