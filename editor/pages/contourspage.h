#pragma once
// Page "11.Контуры ловушек": the productive horizons, the points of the current horizon's trap
// contour, and the scheme of all contours. Its buttons import a contour from text, clear it, redraw
// the scheme (which also sets every horizon's point count right) and export the contour to a workbook.
#include "editor/dialogservice.h"
#include "editor/pages/horizonpage.h"

class QLabel;
class QPushButton;
class QSplitter;

namespace tarvena::editor {

class ContourAreaLine;
class ContourChart;

class ContoursPage : public HorizonPage
{
    Q_OBJECT
public:
    explicit ContoursPage(PageContext &context, QWidget *parent = nullptr);

    ContourChart *Chart1() const { return mChart1; }
    ContourAreaLine *areaLine() const { return mAreaLine; }
    // The horizons the scheme could not place, under it; hidden when every one is drawn.
    QLabel *chartNotes() const { return mChartNotes; }
    QPushButton *button(const char *name) const;

    // Import ("Импорт"), clear ("Очистить контур"), redraw ("Обновить график"), export ("Экспорт").
    void BitBtn10Click();
    void BitBtn11Click();
    void BitBtn12Click();
    void BitBtn16Click();
    // After an undone or redone step: the scheme in sight is drawn again from the points it brought
    // back (a page out of sight redraws on entry, as the stored data changed).
    void followReplay();
    // "Экспорт в ГИС": every horizon's contour to a GIS file.
    void GisExportClick();

protected:
    // TabSheet13Enter: the horizon pages' check (warns and leaves when a table the page needs is
    // empty), then the scheme redrawn.
    void enterCheck() override;

private:
    QWidget *buildPointsPanel(QWidget *parent);
    // Redraws the scheme; throws what the walk over the horizons throws.
    void redraw();
    // The redraw after an import, a clear and on entering the page, whose errors are not told.
    void redrawQuietly();

    QSplitter *mSplitter1 = nullptr;
    QSplitter *mSplitter2 = nullptr;
    ContourChart *mChart1 = nullptr;
    ContourAreaLine *mAreaLine = nullptr;
    // The data change stamp the scheme was drawn from; 0 before the first drawing and after a failed one.
    std::uint64_t mDrawnStamp = 0;
    QLabel *mChartNotes = nullptr;
    FileDialogSettings mExportDialog;
};

} // namespace tarvena::editor
