#pragma once
// The main window's size and place: on the first run wide enough for every page tab where the screen
// allows it; after that as the user left it on closing.
class QMainWindow;
class QTabWidget;

namespace tarvena {

// Gives the window the size and place kept from the last run, or else a width that shows every tab
// of the tab strips (within the screen's room), centred on the screen.
void placeMainWindow(QMainWindow &window, const QTabWidget *const *strips, int stripCount);
// Keeps the window's size and place for the next run.
void keepMainWindowPlace(const QMainWindow &window);

} // namespace tarvena
