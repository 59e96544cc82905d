#pragma once
// Pictures of the editor as its user sees it: the real main window, offscreen, on a passport, one
// picture per page of both page books, and the program's own small windows.
#include <QImage>
#include <QString>
#include <QStringList>

#include <vector>

namespace tarvena::manual {

struct WindowPicture
{
    QString kind;        // "page" for a page of a page book, "window" for a window of its own
    QString name;        // the page's objectName ("TabSheet3") or the window's ("AboutBox")
    QString caption;     // the tab's caption or the window's title
    bool hidden = false; // a page whose tab the user never sees; it has no picture
    QImage image;
};

// Opens passport in the main window with the dictionaries of dictionaryFolder and grabs every page.
// Throws std::runtime_error when the passport does not open or entering a page leaves it.
// notes receives what the program told its user meanwhile (a page check's warning, say).
std::vector<WindowPicture> grabWindows(const QString &dictionaryFolder, const QString &passport,
                                       QStringList &notes);

} // namespace tarvena::manual
