#pragma once
// The look of the program's file and folder dialogs: Qt's own dialog, so it reads Russian on every
// desktop, with modification dates in the program's format and columns as wide as their texts.
class QFileDialog;

namespace tarvena::editor {

// Applies the look to a dialog before it is shown.
void prepareFileDialog(QFileDialog &dialog);

} // namespace tarvena::editor
