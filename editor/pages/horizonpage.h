#pragma once
// A horizon page (pages 5 to 11), built from its spec: bold title bands, grids over the horizon
// tables with the column sets of the model, a navigator, the check that runs when the page is
// entered, the sort by a title click and the cell buttons of the unit and scale columns. The grids
// laid out under the bands share the page's height: each gets half of what the title bands leave.
#include "editor/pages/bookpage.h"
#include "editor/pages/horizonpagespec.h"

#include <vector>

class QLabel;

namespace tarvena {
class MemTable;
namespace pagechecks {
struct Verdict;
}
} // namespace tarvena

namespace tarvena::editor {

class TableGrid;

class HorizonPage : public BookPage
{
    Q_OBJECT
public:
    HorizonPage(PageContext &context, const HorizonPageSpec &spec, QWidget *parent = nullptr);

    const HorizonPageSpec &spec() const { return mSpec; }
    TableGrid *grid(const char *gridName) const;
    const std::vector<TableGrid *> &grids() const { return mGrids; }
    const std::vector<QLabel *> &titleBands() const { return mBands; }
    Navigator *navigator() const { return mNavigator; }

    // Posts the pending edits of every passport table, then runs the page's check.
    void pageEntered() override;
    // A newly opened passport starts without sort markers.
    void afterOpen() override;

    // A title of a grid whose titles sort was clicked: marks the column and sorts the grid's table
    // on its field ("_stratigr_id" by the units' stratigraphic order), ascending or with ":desc".
    void sortByTitle(TableGrid *grid, int column);

protected:
    // A grid with its column set; its table is the one the column set belongs to, and its titles sort
    // (setTitlesSort(false) for a grid whose titles do not). Without a parent it goes below what the
    // page has so far and shares the page's height; with one, the page places it itself.
    TableGrid *addGrid(const char *gridName, QWidget *parent = nullptr);
    // The navigator of a table, below what the page has so far unless it gets a parent.
    Navigator *addNavigator(const char *objectName, MemTable &table,
                            const std::vector<Navigator::Button> &buttons, QWidget *parent = nullptr);
    // A widget below the bands and grids that takes the rest of the page's height.
    void addFilling(QWidget *widget);

    // The page's check on entering it; the contour page redraws its scheme after it.
    virtual void enterCheck() { passesEntryCheck(); }
    // Runs the spec's check; true when the page may stay.
    bool passesEntryCheck();

    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void addTitleBand(const char *objectName, const QString &text);
    MemTable &tableOf(const char *gridName) const;
    // The ellipsis button of a "_stratigr_id" or "_scale" cell: the picker or the scale editor for
    // the current row, then a post.
    void editButtonClicked(TableGrid *grid, int column);
    // Shows the warning and queues the page switch of a failed check; true when it passed.
    bool tell(const pagechecks::Verdict &verdict);
    // Narrows the productive horizons to the page's hydrocarbon type; when none is of that type, the
    // warning, the filter is removed again and page 7 is shown.
    bool applyHydrocarbonFilter();
    // Places the bands, grids and navigator: each grid gets half of what the bands leave.
    void arrange();

    const HorizonPageSpec &mSpec;
    std::vector<QLabel *> mBands;
    std::vector<TableGrid *> mGrids;
    // Bands, grids and the navigator placed by addTitleBand, addGrid and addNavigator, top to bottom.
    std::vector<QWidget *> mStacked;
    QWidget *mFilling = nullptr;
    Navigator *mNavigator = nullptr;
};

} // namespace tarvena::editor
