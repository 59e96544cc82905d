#include "app/windowplacement.h"

#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <QSettings>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>

namespace tarvena {

namespace {

const char kGeometryKey[] = "MainWindow/geometry";
// The settings file of the program: tarvena/tarvena.conf in the user's configuration folder.
const char kSettingsName[] = "tarvena";

} // namespace

void placeMainWindow(QMainWindow &window, const QTabWidget *const *strips, int stripCount)
{
    const QSettings settings{QLatin1String(kSettingsName), QLatin1String(kSettingsName)};
    const QByteArray kept = settings.value(QLatin1String(kGeometryKey)).toByteArray();
    if (!kept.isEmpty() && window.restoreGeometry(kept))
        return;
    // The widest strip's tabs side by side with what surrounds the strip in the window (the outer
    // strip, frames, margins): no tab hides behind the scroll arrows. A strip with scroll arrows bounds
    // its own size hint, so what surrounds it is the window's hint less the strip's.
    int needed = window.width();
    const int frames = 2 * window.style()->pixelMetric(QStyle::PM_DefaultFrameWidth) + 8;
    for (int i = 0; i < stripCount; ++i) {
        const QTabWidget *strip = strips[i];
        const int around = window.sizeHint().width() - strip->sizeHint().width();
        needed = qMax(needed, around + strip->tabBar()->sizeHint().width() + frames);
    }
    const QScreen *screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    QSize size(needed, window.height());
    if (screen) {
        const QRect room = screen->availableGeometry();
        size = size.boundedTo(room.size());
        window.resize(size);
        window.move(room.x() + (room.width() - window.width()) / 2,
                    room.y() + (room.height() - window.height()) / 2);
        return;
    }
    window.resize(size);
}

void keepMainWindowPlace(const QMainWindow &window)
{
    QSettings settings{QLatin1String(kSettingsName), QLatin1String(kSettingsName)};
    settings.setValue(QLatin1String(kGeometryKey), window.saveGeometry());
}

} // namespace tarvena
