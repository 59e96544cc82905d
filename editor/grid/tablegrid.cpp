#include "editor/grid/tablegrid.h"

#include "editor/grid/delegates.h"
#include "editor/grid/rowcommands.h"
#include "editor/grid/tablemodel.h"
#include "editor/grid/wrappingheader.h"

#include <QKeyEvent>
#include <QScopedValueRollback>

namespace tarvena::editor {

namespace {

constexpr int kMinColumnWidth = 70;
constexpr int kMaxColumnWidth = 150;

} // namespace

TableGrid::TableGrid(TableModel *model, const char *objectName, QWidget *parent)
    : QTableView(parent), mModel(model), mDelegate(new GridDelegate(model, this))
{
    setObjectName(QLatin1String(objectName));
    model->setParent(this);
    setHorizontalHeader(new WrappingHeader(this));
    setModel(model);
    setItemDelegate(mDelegate);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setSelectionMode(QAbstractItemView::SingleSelection);
    // The current cell's editor is always open.
    setEditTriggers(QAbstractItemView::AllEditTriggers);
    setTabKeyNavigation(true);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    verticalHeader()->setFixedWidth(14);
    fitColumns();

    connect(mModel, &TableModel::cursorMoved, this, &TableGrid::followCursor);
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, &TableGrid::titleClicked);
    connect(mDelegate, &GridDelegate::editButtonClicked, this, &TableGrid::editButtonClicked);
    followCursor(mModel->currentRow());
}

void TableGrid::setTitlesSort(bool sort)
{
    horizontalHeader()->setSectionsClickable(sort);
    horizontalHeader()->setSortIndicatorShown(sort);
    horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
}

void TableGrid::showSortMarker(int column, Qt::SortOrder order)
{
    horizontalHeader()->setSortIndicator(column, order);
}

int TableGrid::columnOf(const std::string &fieldName) const
{
    return mModel->columnOf(fieldName);
}

void TableGrid::fitColumns()
{
    // A column is as wide as its title's longest line, within bounds; longer titles wrap.
    for (int c = 0; c < mModel->columnCount(); ++c) {
        int width = kMinColumnWidth;
        for (const QString &line :
             mModel->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString().split('\n'))
            width = qMax(width, fontMetrics().horizontalAdvance(line) + 12);
        setColumnWidth(c, qMin(width, kMaxColumnWidth));
    }
}

void TableGrid::followCursor(int row)
{
    const QScopedValueRollback<bool> syncing(mSyncing, true);
    if (row < 0) {
        setCurrentIndex({});
        return;
    }
    const int column = currentIndex().isValid() ? currentIndex().column() : 0;
    const QModelIndex target = mModel->index(row, column);
    if (currentIndex() != target)
        setCurrentIndex(target);
    else
        viewport()->update();
}

void TableGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    // The view first hands the left cell's editor to the model, while the cursor still stands on its row.
    QTableView::currentChanged(current, previous);
    if (mSyncing || !current.isValid() || current.row() == previous.row())
        return;
    if (!mModel->moveCursorTo(current.row()))
        followCursor(mModel->currentRow()); // the row left could not be posted: the cursor stays
}

void TableGrid::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Insert && event->modifiers() == Qt::NoModifier) {
        if (mInsertAllowed && !mModel->table().ReadOnly)
            insertRow(mModel->table(), mModel->prompts());
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::ControlModifier) {
        if (mDeleteAllowed && !mModel->table().ReadOnly)
            deleteRow(mModel->table(), mModel->prompts());
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

} // namespace tarvena::editor
