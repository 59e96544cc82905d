#include "editor/pages/horizonpage.h"

#include "editor/dialogs/probabilisticdialog.h"
#include "editor/dialogs/selectors.h"
#include "editor/grid/tablegrid.h"
#include "editor/grid/tablemodel.h"
#include "editor/guiprompts.h"
#include "editor/pages/horizonentry.h"
#include "model/columnsets.h"
#include "model/datamodule.h"
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

HorizonPage::HorizonPage(PageContext &context, const HorizonPageSpec &spec, QWidget *parent)
    : BookPage(context, spec.objectName, QString::fromUtf8(spec.caption), parent), mSpec(spec)
{
    for (const BandSpec &band : spec.bands) {
        addTitleBand(band.objectName, QString::fromUtf8(band.text));
        if (band.grid)
            addGrid(band.grid);
        if (const auto fluid = probabilisticGridFluid(band.grid))
            attachProbabilisticButton(mBands.back(), data(), *fluid);
    }
    if (spec.navigator)
        addNavigator(spec.navigator, mGrids.back()->tableModel()->table(), spec.navigatorButtons());
}

void HorizonPage::addTitleBand(const char *objectName, const QString &text)
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
}

MemTable &HorizonPage::tableOf(const char *gridName) const
{
    const std::string &name = gridTableName(gridName);
    for (MemTable *table : data().passportTables()) {
        if (table->Name() == name)
            return *table;
    }
    throw Error("Нет таблицы " + name);
}

TableGrid *HorizonPage::addGrid(const char *gridName, QWidget *parent)
{
    auto *model = new TableModel(tableOf(gridName), gridColumns(gridName), context().prompts);
    auto *grid = new TableGrid(model, gridName, parent ? parent : this);
    // Found on the accessibility bus by the caption of its band, as the user reads the page.
    grid->setAccessibleName(mBands.empty() ? QLatin1String(gridName) : mBands.back()->text());
    grid->setAccessibleDescription(QLatin1String(gridName));
    grid->setTitlesSort(true);
    connect(grid, &TableGrid::titleClicked, this, [this, grid](int column) {
        if (grid->titlesSort())
            sortByTitle(grid, column);
    });
    connect(grid, &TableGrid::editButtonClicked, this,
            [this, grid](int column) { editButtonClicked(grid, column); });
    mGrids.push_back(grid);
    if (!parent)
        mStacked.push_back(grid);
    return grid;
}

Navigator *HorizonPage::addNavigator(const char *objectName, MemTable &table,
                                     const std::vector<Navigator::Button> &buttons, QWidget *parent)
{
    mNavigator = new Navigator(table, context().prompts, buttons, objectName, parent ? parent : this);
    if (!parent)
        mStacked.push_back(mNavigator);
    return mNavigator;
}

void HorizonPage::addFilling(QWidget *widget)
{
    widget->setParent(this);
    mFilling = widget;
}

TableGrid *HorizonPage::grid(const char *gridName) const
{
    for (TableGrid *grid : mGrids) {
        if (grid->objectName() == QLatin1String(gridName))
            return grid;
    }
    return nullptr;
}

void HorizonPage::pageEntered()
{
    runCommand(context().prompts, [this] { data().PostPendingEdits(); });
    enterCheck();
}

void HorizonPage::afterOpen()
{
    for (TableGrid *grid : mGrids)
        grid->clearSortMarker();
}

void HorizonPage::sortByTitle(TableGrid *grid, int column)
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

void HorizonPage::editButtonClicked(TableGrid *grid, int column)
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
    const QString step = grid->tableModel()->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
    chooseAndPost(table, table.FieldByName(keyName), chooser, context().prompts, step);
}

bool HorizonPage::tell(const pagechecks::Verdict &verdict)
{
    if (verdict.passed())
        return true;
    warn(context(), verdict.warning);
    if (verdict.goToPage)
        context().host.postTablePage(*verdict.goToPage);
    return false;
}

bool HorizonPage::passesEntryCheck()
{
    const bool required = pagechecks::horizonsRequired(data());
    switch (mSpec.check) {
    case EntryCheck::NotRequiredWarning:
        if (!required)
            warn(context(), pagechecks::kHorizonsNotRequired);
        return true;
    case EntryCheck::ReflectHorizons:
        return tell(
            pagechecks::reflectHorizonsCheck(pagechecks::hasRows(data().REFLECT_HORIZONTS), required));
    case EntryCheck::RecalculationHorizon: {
        showEveryProductiveHorizon(context());
        const bool stays =
            tell(pagechecks::reflectHorizonsCheck(pagechecks::hasRows(data().REFLECT_HORIZONTS), required));
        // An object whose reflecting horizons are required names the recalculation horizon by choosing
        // one of them; any other object types the horizon's name.
        TableGrid *horizons = mGrids.front();
        horizons->setColumnHidden(horizons->columnOf("_REFLECTHOR_ID"), !required);
        horizons->setColumnHidden(horizons->columnOf("STRUCTOGNEW"), required);
        return stays;
    }
    case EntryCheck::Horizons:
        return tell(enterHorizons(context())) && (!mSpec.fluid || applyHydrocarbonFilter());
    }
    return true;
}

bool HorizonPage::applyHydrocarbonFilter()
{
    const std::optional<bool> anyPasses = narrowProductiveHorizons(context(), mSpec.fluid);
    if (!anyPasses)
        return false;
    const pagechecks::Verdict verdict = pagechecks::hydrocarbonCheck(*anyPasses);
    if (verdict.passed())
        return true;
    warn(context(), verdict.warning);
    showEveryProductiveHorizon(context());
    if (verdict.goToPage)
        context().host.postTablePage(*verdict.goToPage);
    return false;
}

void HorizonPage::resizeEvent(QResizeEvent *event)
{
    BookPage::resizeEvent(event);
    arrange();
}

void HorizonPage::showEvent(QShowEvent *event)
{
    BookPage::showEvent(event);
    arrange();
}

void HorizonPage::arrange()
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
