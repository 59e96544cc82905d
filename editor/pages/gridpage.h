#pragma once
// The base of the horizon pages (pages 5 to 11): bold title bands, grids over the horizon tables with
// the column sets of the model, a navigator, the page check that runs when the page is entered, the
// sort by a title click and the cell buttons of the unit and scale columns. The grids laid out by
// addGrid share the page's height: each gets half of what the title bands leave.
#include "editor/grid/navigator.h"
#include "editor/pages/bookpage.h"

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

class GridPage : public BookPage
{
    Q_OBJECT
public:
    GridPage(PageContext &context, const char *objectName, const QString &caption, QWidget *parent = nullptr);

    TableGrid *grid(const char *gridName) const;
    const std::vector<TableGrid *> &grids() const { return mGrids; }
    const std::vector<QLabel *> &titleBands() const { return mBands; }
    Navigator *navigator() const { return mNavigator; }

    // Posts the pending edits of every passport table, then runs the page's check.
    void pageEntered() override;
    // A newly opened passport starts without sort markers.
    void afterOpen() override;

    // A title of JvDBGrid1 .. JvDBGrid9 was clicked: marks the column and sorts the grid's table on
    // its field ("_stratigr_id" by the units' stratigraphic order), ascending or with ":desc".
    void JvDBGrid1TitleBtnClick(TableGrid *grid, int column);
    // The ellipsis button of a "_stratigr_id" or "_scale" cell (JvDBGrid1EditButtonClick,
    // JvDBGrid3EditButtonClick): the picker or the scale editor for the current row, then a post.
    void gridEditButtonClick(TableGrid *grid, int column);

protected:
    QLabel *addTitleBand(const char *objectName, const QString &text);
    // A grid with its column set; its table is the one the column set belongs to, and its titles sort
    // (setTitlesSort(false) for a grid whose titles do not). Without a parent it goes below what the
    // page has so far and shares the page's height; with one, the page places it itself.
    TableGrid *addGrid(const char *gridName, QWidget *parent = nullptr);
    // The navigator of a table, below what the page has so far unless it gets a parent.
    Navigator *addNavigator(const char *objectName, MemTable &table,
                            const std::vector<Navigator::Button> &buttons, QWidget *parent = nullptr);
    // A widget below the bands and grids that takes the rest of the page's height.
    void addFilling(QWidget *widget);
    MemTable &tableOf(const char *gridName) const;

    // The page's check on entering it.
    virtual void enterCheck() {}
    // A title of a grid was clicked; sorts when the grid's titles sort.
    virtual void titleClicked(TableGrid *grid, int column);
    // The ellipsis button of a unit or scale cell was pressed.
    virtual void editButtonClicked(TableGrid *grid, int column);

    // The pieces of the page checks. Each shows its warning and queues the page switch itself, and
    // returns true when the page may stay.
    bool horizonsRequired() const;
    // Pages 6 to 11: reflecting horizons are there or not required (W1, back to page 5).
    bool checkReflectHorizons();
    // Pages 8 to 11: the productive horizons, counted without a filter, are there (W2, to page 7).
    bool checkProductiveHorizons();
    // Pages 8 to 10: narrows the productive horizons to the page's hydrocarbon type; when none is of
    // that type, W3, the filter is removed again and page 7 is shown.
    bool applyHydrocarbonFilter(int pageIndex);
    // Pages 8 to 10: the filter removed, reflecting and productive horizons checked, then the page's
    // hydrocarbon filter (inner page index 7, 8 or 9).
    void enterResourcePage(int pageIndex);
    // Shows the whole list of productive horizons; the current horizon stays current.
    void removeProductiveFilter();
    bool tell(const pagechecks::Verdict &verdict);

    // A warning box of the page checks: "Предупреждение", the warning icon, OK.
    void warn(const char *text);
    // Queues a switch of the inner page control, made once the check has returned.
    void goToPage(int index);

    // The page changed size (TabSheet7Resize .. TabSheet12Resize): the grids share its height.
    virtual void pageResized() { arrange(); }
    // Places the bands, grids and navigator: each grid gets half of what the bands leave.
    void arrange();

    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    std::vector<QLabel *> mBands;
    std::vector<TableGrid *> mGrids;
    // Bands, grids and the navigator placed by addTitleBand, addGrid and addNavigator, top to bottom.
    std::vector<QWidget *> mStacked;
    QWidget *mFilling = nullptr;
    Navigator *mNavigator = nullptr;
};

} // namespace tarvena::editor
