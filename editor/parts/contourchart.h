#pragma once
// Chart1 of the contour page: the scheme of the trap contours in geographic degrees, one closed
// outline per productive horizon listed by its name in the legend, the axes spanning the points of
// all horizons. Each outline is drawn thinned to what the plot's pixels can show; the thinning is
// done again only when the points or the plot's width change, and the drawn chart is kept as a
// picture that is painted again only when something in it changes.
#include <QChartView>
#include <QPixmap>

#include <vector>

class QLineSeries;
class QValueAxis;

namespace tarvena::gis {
struct DegreeScheme;
}

namespace tarvena::editor {

class ContourChart : public QChartView
{
    Q_OBJECT
public:
    explicit ContourChart(QWidget *parent = nullptr);

    // Replaces what the chart shows; the same points again change nothing.
    void showScheme(const gis::DegreeScheme &scheme);

    QValueAxis *bottomAxis() const { return mBottomAxis; }
    QValueAxis *leftAxis() const { return mLeftAxis; }
    QList<QLineSeries *> outlines() const;

protected:
    // Shows the kept picture, drawing it first when the chart changed since or the view has another
    // size: showing the page again costs a copy of pixels, not the stroking of every outline.
    void paintEvent(QPaintEvent *event) override;

private:
    struct Outline
    {
        std::vector<double> x, y;
        bool operator==(const Outline &) const = default;
    };

    QLineSeries *outline(int index);
    // Gives every series its points thinned for the plot's present width.
    void decimate();
    void plotAreaChanged(const QRectF &area);

    QValueAxis *mBottomAxis;
    QValueAxis *mLeftAxis;
    std::vector<Outline> mOutlines;
    double mMinX = 0, mMaxX = 0;
    int mColumns = 0; // the plot width the series were thinned for
    QPixmap mPicture;
    bool mPictureValid = false;
};

// The range an axis shows for values from min to max: a range of no width is widened on both sides by
// a small part of its value (1e-6 for 0), since a chart cannot show a range without width.
std::pair<double, double> visibleRange(double min, double max);

} // namespace tarvena::editor
