#pragma once
// Whether the desktop has a program to show a file, asked before handing the file over: the desktop's
// opener starts and reports success even when it then finds nothing to show the file with.
#include <QString>

namespace tarvena::editor {

// False when the desktop names no program for the file's type; true when it names one or cannot be
// asked (the opener itself then decides).
bool hasViewerFor(const QString &path);

} // namespace tarvena::editor
