#pragma once
// The program's two version strings, fixed at build time (both 1.27.0.0 in this build). The about box
// shows the file version; the update check compares the product version.
#include <QString>

#include <array>

namespace tarvena {

QString fileVersion();
QString productVersion();
// A version string, or its four numbers as "a.b.c.d" when the string is missing.
QString versionText(const char *text, const std::array<int, 4> &numbers);

} // namespace tarvena
