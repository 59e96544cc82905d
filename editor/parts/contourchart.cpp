#include "editor/parts/contourchart.h"

#include "editor/parts/outlinedecimation.h"
#include "editor/text.h"
#include "exchange/gis/schemedegrees.h"

#include <QChart>
#include <QGraphicsScene>
#include <QLegend>
#include <QLineSeries>
#include <QPainter>
#include <QValueAxis>

#include <cmath>

namespace tarvena::editor {

namespace {

constexpr int kOutlineWidth = 3;
// Thinning for a plot not laid out yet: as wide as a large screen.
constexpr int kUnknownWidth = 2000;
// A range of no width grows by this part of its value on either side.
constexpr double kWidening = 1e-4;

QValueAxis *axis(const QString &title)
{
    auto *axis = new QValueAxis;
    axis->setTitleText(title);
    // Degrees to about ten metres.
    axis->setLabelFormat(QStringLiteral("%.4f"));
    return axis;
}

} // namespace

std::pair<double, double> visibleRange(double min, double max)
{
    if (max > min)
        return {min, max};
    const double half = min != 0 ? std::abs(min) * kWidening : 1e-6;
    return {min - half, min + half};
}

ContourChart::ContourChart(QWidget *parent)
    : QChartView(new QChart, parent), mBottomAxis(axis(QStringLiteral("Долгота"))),
      mLeftAxis(axis(QStringLiteral("Широта")))
{
    setObjectName(QStringLiteral("Chart1"));
    setAccessibleName(QStringLiteral("Схема контуров"));
    setRenderHint(QPainter::Antialiasing, false);
    QChart *c = chart();
    c->setTitle(QStringLiteral("Схема контуров"));
    // Flat: no shadow, no rounded plate, no animation.
    c->setDropShadowEnabled(false);
    c->setBackgroundRoundness(0);
    c->setAnimationOptions(QChart::NoAnimation);
    c->legend()->setVisible(true);
    c->legend()->setAlignment(Qt::AlignBottom);
    // A horizon's name the legend has to cut shows whole in its tooltip.
    c->legend()->setShowToolTips(true);
    c->addAxis(mBottomAxis, Qt::AlignBottom);
    c->addAxis(mLeftAxis, Qt::AlignLeft);
    mBottomAxis->setRange(0, 1);
    mLeftAxis->setRange(0, 1);
    connect(c, &QChart::plotAreaChanged, this, &ContourChart::plotAreaChanged);
    // Any change of an item (a series, an axis, the legend's hover) makes the picture old; the scene
    // tells it before the view repaints.
    connect(scene(), &QGraphicsScene::changed, this, [this] { mPictureValid = false; });
}

void ContourChart::paintEvent(QPaintEvent *)
{
    const qreal ratio = viewport()->devicePixelRatioF();
    const QSize size = (QSizeF(viewport()->size()) * ratio).toSize();
    if (!mPictureValid || mPicture.size() != size) {
        mPicture = QPixmap(size);
        mPicture.setDevicePixelRatio(ratio);
        mPicture.fill(viewport()->palette().color(viewport()->backgroundRole()));
        QPainter picture(&mPicture);
        picture.setRenderHints(renderHints());
        render(&picture, QRectF(), viewport()->rect());
        mPictureValid = true;
    }
    QPainter painter(viewport());
    painter.drawPixmap(0, 0, mPicture);
}

QList<QLineSeries *> ContourChart::outlines() const
{
    QList<QLineSeries *> result;
    for (QAbstractSeries *series : chart()->series())
        result << static_cast<QLineSeries *>(series);
    return result;
}

QLineSeries *ContourChart::outline(int index)
{
    const QList<QAbstractSeries *> series = chart()->series();
    if (index < series.size())
        return static_cast<QLineSeries *>(series.at(index));
    auto *line = new QLineSeries;
    chart()->addSeries(line);
    line->attachAxis(mBottomAxis);
    line->attachAxis(mLeftAxis);
    // The theme gives the colour when the series joins the chart; the width is the chart's own.
    QPen pen = line->pen();
    pen.setWidth(kOutlineWidth);
    line->setPen(pen);
    return line;
}

void ContourChart::showScheme(const gis::DegreeScheme &scheme)
{
    const int count = static_cast<int>(scheme.outlines.size());
    const QList<QAbstractSeries *> series = chart()->series();
    for (int extra = count; extra < series.size(); ++extra) {
        chart()->removeSeries(series.at(extra));
        delete series.at(extra);
    }
    std::vector<Outline> outlines;
    outlines.reserve(scheme.outlines.size());
    for (int i = 0; i < count; ++i) {
        const gis::DegreeOutline &source = scheme.outlines[std::size_t(i)];
        outline(i)->setName(fromCp1251(source.title));
        outlines.push_back({source.longitude, source.latitude});
    }
    // With no point the axes stay, empty.
    const auto [minX, maxX] = scheme.empty ? std::pair(0.0, 1.0) : visibleRange(scheme.minX, scheme.maxX);
    const auto [minY, maxY] = scheme.empty ? std::pair(0.0, 1.0) : visibleRange(scheme.minY, scheme.maxY);
    mBottomAxis->setRange(minX, maxX);
    mLeftAxis->setRange(minY, maxY);
    if (outlines == mOutlines && minX == mMinX && maxX == mMaxX && mColumns != 0)
        return;
    mOutlines = std::move(outlines);
    mMinX = minX;
    mMaxX = maxX;
    decimate();
}

void ContourChart::plotAreaChanged(const QRectF &area)
{
    if (!mOutlines.empty() && int(area.width()) > 0 && int(area.width()) != mColumns)
        decimate();
}

void ContourChart::decimate()
{
    const int width = int(chart()->plotArea().width());
    mColumns = width > 0 ? width : kUnknownWidth;
    const QList<QLineSeries *> lines = outlines();
    for (std::size_t i = 0; i < mOutlines.size() && i < std::size_t(lines.size()); ++i)
        lines[qsizetype(i)]->replace(
            decimatedOutline(mOutlines[i].x, mOutlines[i].y, mMinX, mMaxX, mColumns));
}

} // namespace tarvena::editor
