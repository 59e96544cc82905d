#include "editor/pages/contourchart.h"

#include "editor/text.h"
#include "exchange/core/contourscheme.h"

#include <QChart>
#include <QLegend>
#include <QLineSeries>
#include <QValueAxis>

namespace tarvena::editor {

namespace {

constexpr int kOutlineWidth = 3;

QValueAxis *axis(const QString &title)
{
    auto *axis = new QValueAxis;
    axis->setTitleText(title);
    // Projected coordinates run to millions: no exponent, no fixed decimals.
    axis->setLabelFormat(QStringLiteral("%.10g"));
    return axis;
}

} // namespace

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
    c->addAxis(mBottomAxis, Qt::AlignBottom);
    c->addAxis(mLeftAxis, Qt::AlignLeft);
    mBottomAxis->setRange(0, 0);
    mLeftAxis->setRange(0, 0);
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

void ContourChart::showScheme(const ContourScheme &scheme)
{
    const int count = static_cast<int>(scheme.outlines.size());
    const QList<QAbstractSeries *> series = chart()->series();
    for (int extra = count; extra < series.size(); ++extra) {
        chart()->removeSeries(series.at(extra));
        delete series.at(extra);
    }
    for (int i = 0; i < count; ++i) {
        const ContourOutline &source = scheme.outlines[std::size_t(i)];
        QList<QPointF> points;
        points.reserve(qsizetype(source.points.size()));
        for (const StoredPoint &point : source.points)
            points.append(QPointF(point.x.value_or(0), point.y.value_or(0)));
        QLineSeries *line = outline(i);
        line->setName(fromCp1251(source.title));
        line->replace(points);
    }
    mBottomAxis->setRange(scheme.minX, scheme.maxX);
    mLeftAxis->setRange(scheme.minY, scheme.maxY);
}

} // namespace tarvena::editor
