#pragma once
// The base of the horizon pages (pages 5 to 11): bold title bands, grids over the horizon tables with
// the column sets of the model, a navigator, and the page check that runs when the page is entered.
// The grids share the page's height: each gets half of what the title bands leave.
#include "editor/grid/navigator.h"
#include "editor/pages/bookpage.h"

#include <vector>

class QLabel;
class QVBoxLayout;

namespace tarvena {
class MemTable;
}

namespace tarvena::editor {

class TableGrid;

class GridPage : public BookPage
{
    Q_OBJECT
public:
    GridPage(PageContext &context, const char *objectName, const QString &caption, QWidget *parent = nullptr);

    TableGrid *grid(const char *gridName) const;
    Navigator *navigator() const { return mNavigator; }
    void pageEntered() override { enterCheck(); }

protected:
    QLabel *addTitleBand(const char *objectName, const QString &text);
    // A grid with its column set; its table is the one the column set belongs to. Without a parent it
    // goes below the bands and shares the page's height; with one, the page places it itself.
    TableGrid *addGrid(const char *gridName, QWidget *parent = nullptr);
    Navigator *addNavigator(const char *objectName, MemTable &table,
                            const std::vector<Navigator::Button> &buttons, QWidget *parent = nullptr);
    // A widget below the bands and grids that takes the rest of the page's height.
    void addFilling(QWidget *widget);
    MemTable &tableOf(const char *gridName) const;

    // The page's check on entering it.
    virtual void enterCheck() {}
    // A title of a grid was clicked (sorting).
    virtual void titleClicked(TableGrid *grid, int column);
    // The ellipsis button of a unit or scale cell was pressed.
    virtual void editButtonClicked(TableGrid *grid, int column);

    // A warning box of the page checks: "Предупреждение", the warning icon, OK.
    void warn(const char *text);
    // Queues a switch of the inner page control, made once the check has returned.
    void goToPage(int index);

    void resizeEvent(QResizeEvent *event) override;

private:
    void shareHeight();

    QVBoxLayout *mLayout;
    std::vector<QLabel *> mBands;
    std::vector<TableGrid *> mGrids;
    std::vector<TableGrid *> mSharingGrids;
    Navigator *mNavigator = nullptr;
};

} // namespace tarvena::editor
