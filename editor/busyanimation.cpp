#include "editor/busyanimation.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace tarvena {

namespace {

constexpr int kLoopMs = 1400;
constexpr int kFrameMs = 40;

void drawFolder(QPainter &painter, const QRectF &box)
{
    const QColor body(0xE8, 0xB0, 0x3C);
    QPainterPath tab;
    tab.addRoundedRect(QRectF(box.left(), box.top(), box.width() * 0.45, box.height() * 0.3), 2, 2);
    painter.setPen(QPen(body.darker(140), 1));
    painter.setBrush(body.darker(115));
    painter.drawPath(tab);
    painter.setBrush(body);
    painter.drawRoundedRect(
        QRectF(box.left(), box.top() + box.height() * 0.15, box.width(), box.height() * 0.85), 3, 3);
}

void drawSheet(QPainter &painter, const QPointF &centre, double tilt)
{
    painter.save();
    painter.translate(centre);
    painter.rotate(tilt);
    const QRectF sheet(-8, -10, 16, 20);
    painter.setPen(QPen(QColor(0x60, 0x70, 0x80), 1));
    painter.setBrush(Qt::white);
    painter.drawRect(sheet);
    painter.setPen(QPen(QColor(0x9A, 0xB0, 0xC8), 1));
    for (int line = 0; line < 4; ++line)
        painter.drawLine(QPointF(-5, -6 + line * 4), QPointF(5, -6 + line * 4));
    painter.restore();
}

} // namespace

BusyAnimation::BusyAnimation(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Animate1"));
    mClock.start();
    connect(&mTicker, &QTimer::timeout, this, qOverload<>(&QWidget::update));
    mTicker.start(kFrameMs);
}

double BusyAnimation::phase() const
{
    return double(mClock.elapsed() % kLoopMs) / kLoopMs;
}

void BusyAnimation::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), Qt::white);

    const double folderW = 44;
    const double folderH = 34;
    const double top = (height() - folderH) / 2 + 6;
    const QRectF from(24, top, folderW, folderH);
    const QRectF to(width() - 24 - folderW, top, folderW, folderH);
    drawFolder(painter, from);
    drawFolder(painter, to);

    // The sheet rises out of the first folder, flies over in an arc and drops into the second.
    const double t = phase();
    const QPointF start(from.center().x(), from.top() + 6);
    const QPointF end(to.center().x(), to.top() + 6);
    const double x = start.x() + (end.x() - start.x()) * t;
    const double lift = std::sin(t * M_PI) * (start.y() - 13); // the sheet's top stays inside
    drawSheet(painter, QPointF(x, start.y() - lift), -20 + 40 * t);
}

} // namespace tarvena
