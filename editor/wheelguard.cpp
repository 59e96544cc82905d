#include "editor/wheelguard.h"

#include <QAbstractScrollArea>
#include <QCoreApplication>
#include <QWheelEvent>

namespace tarvena::editor {

namespace {

// The scroll area whose viewport holds the widget, nullptr when none does.
QAbstractScrollArea *scrollAreaAround(QWidget *widget)
{
    for (QWidget *child = widget, *parent = widget->parentWidget(); parent;
         child = parent, parent = parent->parentWidget()) {
        auto *area = qobject_cast<QAbstractScrollArea *>(parent);
        if (area && area->viewport() == child)
            return area;
    }
    return nullptr;
}

class WheelGuard : public QObject
{
public:
    using QObject::QObject;

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Wheel)
            return false;
        auto *widget = static_cast<QWidget *>(watched);
        if (widget->hasFocus())
            return false;
        // Handed to the scroll area directly rather than left to propagate, so it scrolls whichever
        // way the event came (the window system's or one a program sends).
        if (QAbstractScrollArea *area = scrollAreaAround(widget)) {
            const auto *wheel = static_cast<QWheelEvent *>(event);
            QWidget *viewport = area->viewport();
            QWheelEvent scroll(viewport->mapFromGlobal(wheel->globalPosition()), wheel->globalPosition(),
                               wheel->pixelDelta(), wheel->angleDelta(), wheel->buttons(), wheel->modifiers(),
                               wheel->phase(), wheel->inverted(), wheel->source(), wheel->pointingDevice());
            QCoreApplication::sendEvent(viewport, &scroll);
        }
        event->accept();
        return true;
    }
};

} // namespace

void takeWheelOnlyWithFocus(QWidget *control)
{
    // Not Qt::WheelFocus: a wheel turned over the control must not give it focus either.
    control->setFocusPolicy(Qt::StrongFocus);
    control->installEventFilter(new WheelGuard(control));
}

} // namespace tarvena::editor
