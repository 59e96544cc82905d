#include "editor/pages/gridpage.h"

#include "editor/dialogs/selectors.h"
#include "editor/grid/tablegrid.h"
#include "editor/grid/tablemodel.h"
#include "editor/guiprompts.h"
#include "model/columnsets.h"
#include "model/datamodule.h"
#include "model/pagechecks.h"
#include "model/prompts.h"
#include "storage/error.h"

#include <QLabel>
#include <QResizeEvent>

#include <algorithm>
#include <cctype>

namespace tarvena::editor {

namespace {

std::string lowerCase(std::string name)
{
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
    return name;
}

} // namespace

GridPage::GridPage(PageContext &context, const char *objectName, const QString &caption, QWidget *parent)
    : BookPage(context, objectName, caption, parent)
{}

QLabel *GridPage::addTitleBand(const char *objectName, const QString &text)
{
    auto *band = new QLabel(text, this);
    band->setObjectName(QLatin1String(objectName));
    band->setAccessibleName(text);
    band->setAlignment(Qt::AlignCenter);
    band->setWordWrap(true);
    QFont bold = band->font();
    bold.setBold(true);
    band->setFont(bold);
    band->setContentsMargins(4, 4, 4, 4);
    mBands.push_back(band);
    mStacked.push_back(band);
    return band;
}

MemTable &GridPage::tableOf(const char *gridName) const
{
    const std::string &name = gridTableName(gridName);
    for (MemTable *table : data().passportTables()) {
        if (table->Name() == name)
            return *table;
    }
    throw Error("Нет таблицы " + name);
}

TableGrid *GridPage::addGrid(const char *gridName, QWidget *parent)
{
    auto *model = new TableModel(tableOf(gridName), gridColumns(gridName), context().prompts);
    auto *grid = new TableGrid(model, gridName, parent ? parent : this);
    // Found on the accessibility bus by the caption of its band, as the user reads the page.
    grid->setAccessibleName(mBands.empty() ? QLatin1String(gridName) : mBands.back()->text());
    grid->setAccessibleDescription(QLatin1String(gridName));
    grid->setTitlesSort(true);
    connect(grid, &TableGrid::titleClicked, this, [this, grid](int column) { titleClicked(grid, column); });
    connect(grid, &TableGrid::editButtonClicked, this,
            [this, grid](int column) { editButtonClicked(grid, column); });
    mGrids.push_back(grid);
    if (!parent)
        mStacked.push_back(grid);
    return grid;
}

Navigator *GridPage::addNavigator(const char *objectName, MemTable &table,
                                  const std::vector<Navigator::Button> &buttons, QWidget *parent)
{
    mNavigator = new Navigator(table, context().prompts, buttons, objectName, parent ? parent : this);
    if (!parent)
        mStacked.push_back(mNavigator);
    return mNavigator;
}

void GridPage::addFilling(QWidget *widget)
{
    widget->setParent(this);
    mFilling = widget;
}

TableGrid *GridPage::grid(const char *gridName) const
{
    for (TableGrid *grid : mGrids) {
        if (grid->objectName() == QLatin1String(gridName))
            return grid;
    }
    return nullptr;
}

void GridPage::pageEntered()
{
    runCommand(context().prompts, [this] { data().PostPendingEdits(); });
    enterCheck();
}

void GridPage::afterOpen()
{
    for (TableGrid *grid : mGrids)
        grid->clearSortMarker();
}

void GridPage::titleClicked(TableGrid *grid, int column)
{
    if (grid->titlesSort())
        JvDBGrid1TitleBtnClick(grid, column);
}

void GridPage::JvDBGrid1TitleBtnClick(TableGrid *grid, int column)
{
    const Qt::SortOrder order = grid->nextSortOrder(column);
    grid->showSortMarker(column, order);
    std::string field = lowerCase(grid->tableModel()->column(column).fieldName);
    // Units sort in the dictionary's stratigraphic order, not by name.
    if (field == "_stratigr_id")
        field = "_stratigr_id_";
    runCommand(context().prompts, [&] {
        grid->tableModel()->table().SortOn(order == Qt::AscendingOrder ? field : field + ":desc");
    });
}

void GridPage::editButtonClicked(TableGrid *grid, int column)
{
    gridEditButtonClick(grid, column);
}

void GridPage::gridEditButtonClick(TableGrid *grid, int column)
{
    MemTable &table = grid->tableModel()->table();
    const std::string field = lowerCase(grid->tableModel()->column(column).fieldName);
    SelectorBinding::Chooser chooser;
    const char *keyName = nullptr;
    if (field == "_stratigr_id") {
        chooser = unitChooser(context());
        keyName = "STRATIGR_ID";
    } else if (field == "_scale") {
        chooser = scaleChooser(context());
        keyName = "SCALE";
    } else {
        return;
    }
    // The dialog works on the current row, which is the row of the cell whose button was pressed.
    chooseAndPost(table, table.FieldByName(keyName), chooser, context().prompts);
}

bool GridPage::horizonsRequired() const
{
    return pagechecks::horizonsRequired(data());
}

bool GridPage::tell(const pagechecks::Verdict &verdict)
{
    if (verdict.passed())
        return true;
    warn(verdict.warning);
    if (verdict.goToPage)
        goToPage(*verdict.goToPage);
    return false;
}

bool GridPage::checkReflectHorizons()
{
    return tell(
        pagechecks::reflectHorizonsCheck(pagechecks::hasRows(data().REFLECT_HORIZONTS), horizonsRequired()));
}

bool GridPage::checkProductiveHorizons()
{
    return tell(pagechecks::productiveHorizonsCheck(pagechecks::hasRows(data().POSIB_PRODUCT_HOR)));
}

namespace {

// Runs a change of the productive horizons' filter as one notice to the views, and keeps the horizon
// that was current when it is still shown (the engine starts a filtered list from its first row).
template <class Change> void keepingCurrentHorizon(MemTable &horizons, Change change)
{
    const Field &id = horizons.FieldByName("ID");
    const Value current =
        horizons.State() == TableState::Browse && !horizons.IsEmpty() ? id.value() : Value{};
    ControlsDisabledScope hold(horizons);
    change();
    if (!isNull(current) && !horizons.IsEmpty() && id.value() != current)
        horizons.Locate("ID", current);
}

} // namespace

void GridPage::removeProductiveFilter()
{
    MemTable &horizons = data().POSIB_PRODUCT_HOR;
    if (!horizons.Filtered())
        return;
    runCommand(context().prompts,
               [&] { keepingCurrentHorizon(horizons, [&] { horizons.SetFiltered(false); }); });
}

bool GridPage::applyHydrocarbonFilter(int pageIndex)
{
    MemTable &horizons = data().POSIB_PRODUCT_HOR;
    bool anyPasses = false;
    const bool filtered = runCommand(context().prompts, [&] {
        keepingCurrentHorizon(horizons, [&] {
            horizons.SetFilter(pagechecks::resourceFilter(pageIndex));
            horizons.SetFiltered(true);
        });
        anyPasses = pagechecks::hasRows(horizons);
    });
    if (!filtered)
        return false;
    const pagechecks::Verdict verdict = pagechecks::hydrocarbonCheck(anyPasses);
    if (verdict.passed())
        return true;
    warn(verdict.warning);
    removeProductiveFilter();
    if (verdict.goToPage)
        goToPage(*verdict.goToPage);
    return false;
}

void GridPage::enterResourcePage(int pageIndex)
{
    removeProductiveFilter();
    if (checkReflectHorizons() && checkProductiveHorizons())
        applyHydrocarbonFilter(pageIndex);
}

void GridPage::warn(const char *text)
{
    context().prompts.message("Предупреждение", text, Prompts::Icon::Warning, Prompts::Ok);
}

void GridPage::goToPage(int index)
{
    context().host.postTablePage(index);
}

void GridPage::resizeEvent(QResizeEvent *event)
{
    BookPage::resizeEvent(event);
    pageResized();
}

void GridPage::showEvent(QShowEvent *event)
{
    BookPage::showEvent(event);
    arrange();
}

void GridPage::arrange()
{
    // Placed by hand, not by a layout: a layout would keep the page from growing smaller than the
    // heights it last handed out. The grids share what the title bands leave, half each (with an odd
    // remainder one pixel row stays empty); the navigator sits just below its grid.
    auto heightOf = [this](QWidget *widget) {
        const int forWidth = widget->hasHeightForWidth() ? widget->heightForWidth(width()) : -1;
        return forWidth > 0 ? forWidth : widget->sizeHint().height();
    };
    int bands = 0;
    for (QLabel *band : mBands)
        bands += heightOf(band);
    const int share = qMax(0, (height() - bands) / 2);
    int top = 0;
    for (QWidget *widget : mStacked) {
        const bool isGrid = qobject_cast<TableGrid *>(widget) != nullptr;
        const int h = isGrid ? share : heightOf(widget);
        widget->setGeometry(0, top, width(), h);
        top += h;
    }
    if (mFilling)
        mFilling->setGeometry(0, top, width(), qMax(0, height() - top));
}

} // namespace tarvena::editor
