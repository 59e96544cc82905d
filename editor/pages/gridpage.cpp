#include "editor/pages/gridpage.h"

#include "editor/grid/tablegrid.h"
#include "editor/grid/tablemodel.h"
#include "model/columnsets.h"
#include "model/datamodule.h"
#include "model/prompts.h"
#include "storage/error.h"

#include <QLabel>
#include <QResizeEvent>
#include <QVBoxLayout>

namespace tarvena::editor {

GridPage::GridPage(PageContext &context, const char *objectName, const QString &caption, QWidget *parent)
    : BookPage(context, objectName, caption, parent), mLayout(new QVBoxLayout(this))
{
    mLayout->setContentsMargins(0, 0, 0, 0);
    mLayout->setSpacing(0);
    mLayout->addStretch(1);
}

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
    mLayout->insertWidget(mLayout->count() - 1, band);
    mBands.push_back(band);
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
    grid->setAccessibleName(QLatin1String(gridName));
    connect(grid, &TableGrid::titleClicked, this, [this, grid](int column) { titleClicked(grid, column); });
    connect(grid, &TableGrid::editButtonClicked, this,
            [this, grid](int column) { editButtonClicked(grid, column); });
    mGrids.push_back(grid);
    if (!parent) {
        mLayout->insertWidget(mLayout->count() - 1, grid);
        mSharingGrids.push_back(grid);
    }
    return grid;
}

Navigator *GridPage::addNavigator(const char *objectName, MemTable &table,
                                  const std::vector<Navigator::Button> &buttons, QWidget *parent)
{
    mNavigator = new Navigator(table, context().prompts, buttons, objectName, parent ? parent : this);
    if (!parent)
        mLayout->insertWidget(mLayout->count() - 1, mNavigator);
    return mNavigator;
}

void GridPage::addFilling(QWidget *widget)
{
    // The stretch at the end of the column gives way to the widget.
    mLayout->setStretch(mLayout->count() - 1, 0);
    mLayout->insertWidget(mLayout->count() - 1, widget, 1);
}

TableGrid *GridPage::grid(const char *gridName) const
{
    for (TableGrid *grid : mGrids) {
        if (grid->objectName() == QLatin1String(gridName))
            return grid;
    }
    return nullptr;
}

void GridPage::titleClicked(TableGrid *, int) {}

void GridPage::editButtonClicked(TableGrid *, int) {}

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
    shareHeight();
}

void GridPage::shareHeight()
{
    // Each grid gets half of the height the title bands leave; the navigator sits below the first.
    int bands = 0;
    for (const QLabel *band : mBands)
        bands += band->sizeHint().height();
    const int share = qMax(0, (height() - bands) / 2);
    for (TableGrid *grid : mSharingGrids)
        grid->setFixedHeight(share);
}

} // namespace tarvena::editor
