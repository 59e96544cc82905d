#pragma once
// Chart1 of the contour page: the scheme of the trap contours, one closed outline per productive
// horizon listed by its name in the legend, the axes spanning exactly the points of all horizons.
#include <QChartView>

class QLineSeries;
class QValueAxis;

namespace tarvena {
struct ContourScheme;
}

namespace tarvena::editor {

class ContourChart : public QChartView
{
    Q_OBJECT
public:
    explicit ContourChart(QWidget *parent = nullptr);

    // Replaces what the chart shows; the series are kept and their points replaced in one go.
    void showScheme(const ContourScheme &scheme);

    QValueAxis *bottomAxis() const { return mBottomAxis; }
    QValueAxis *leftAxis() const { return mLeftAxis; }
    QList<QLineSeries *> outlines() const;

private:
    QLineSeries *outline(int index);

    QValueAxis *mBottomAxis;
    QValueAxis *mLeftAxis;
};

} // namespace tarvena::editor
