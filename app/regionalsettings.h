#pragma once
// The process-wide settings fixed at start: number conversions with "." whatever the machine's
// locale, and Russian texts in Qt's own dialogs and buttons.
class QCoreApplication;

namespace tarvena {

// Call once, after the application object exists and before any window is created.
void InitRegionalSettings(QCoreApplication &application);

} // namespace tarvena
