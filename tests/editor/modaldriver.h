#pragma once
// Drives a modal dialog of the program as a user does, once its event loop runs.
#include <QApplication>
#include <QDialog>
#include <QTimer>

namespace tarvena::testing {

// Runs drive on the first visible modal dialog of type D; a dialog that drive left open (a failed
// check inside it) is cancelled so that the test ends instead of waiting for a user.
template <class D, class Drive> void whenShown(Drive drive)
{
    auto *timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, drive] {
        auto *dialog = qobject_cast<D *>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        timer->stop();
        timer->deleteLater();
        drive(dialog);
        if (dialog->isVisible())
            dialog->reject();
    });
    timer->start();
}

} // namespace tarvena::testing
