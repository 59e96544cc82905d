#include "editor/grid/tablegrid.h"

#include "editor/grid/delegates.h"
#include "editor/grid/rowcommands.h"
#include "editor/grid/rowindicator.h"
#include "editor/grid/tablemodel.h"
#include "editor/grid/wrappingheader.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QScopedValueRollback>

namespace tarvena::editor {

namespace {

constexpr int kMinColumnWidth = 70;
constexpr int kMaxTitleWidth = 150;
constexpr int kMaxColumnWidth = 260;
// Rows looked at to size the columns: enough to see typical values, few enough for any table.
constexpr int kSizingRows = 20;

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
    setVerticalHeader(new RowIndicator(model, this));
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    setTitlesSort(false);
    fitColumns();

    connect(mModel, &TableModel::cursorMoved, this, &TableGrid::scheduleFollow);
    // While the model resets, the view may make its first cell current on its own (focus returning
    // from a dropped editor): that is no choice of the user's and must not move the table's cursor.
    connect(mModel, &QAbstractItemModel::modelAboutToBeReset, this, [this] { mResetting = true; });
    connect(mModel, &QAbstractItemModel::modelReset, this, [this] { mResetting = false; });
    connect(mModel, &TableModel::aboutToPost, this, &TableGrid::commitOpenEditor);
    connect(mModel, &TableModel::recordReverted, this, &TableGrid::refreshOpenEditor);
    // The row indicator follows the current row and the table's state.
    connect(mModel, &QAbstractItemModel::dataChanged, verticalHeader()->viewport(),
            qOverload<>(&QWidget::update));
    connect(mModel, &TableModel::cursorMoved, verticalHeader()->viewport(), qOverload<>(&QWidget::update));
    connect(mDelegate, &GridDelegate::typingStarted, mModel, &TableModel::startEdit);
    // Sized by the values of the first passport that shows rows; the user's widths stay after that.
    connect(mModel, &QAbstractItemModel::modelReset, this, [this] {
        if (!mColumnsFitted)
            fitColumns();
    });
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int column) {
        if (mTitlesSort)
            emit titleClicked(column);
    });
    connect(mDelegate, &GridDelegate::editButtonClicked, this, &TableGrid::editButtonClicked);
    connect(mDelegate, &GridDelegate::rowKeyPressed, this, &TableGrid::rowKey);
    followCursor(mModel->currentRow());
    // Not shown yet: the model waits until it is.
    mModel->setViewed(false);
}

void TableGrid::setTitlesSort(bool sort)
{
    mTitlesSort = sort;
    horizontalHeader()->setSectionsClickable(sort);
    horizontalHeader()->setSortIndicatorShown(sort);
    clearSortMarker();
}

Qt::SortOrder TableGrid::nextSortOrder(int column) const
{
    if (column != mSortColumn)
        return Qt::AscendingOrder;
    return mSortOrder == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
}

void TableGrid::showSortMarker(int column, Qt::SortOrder order)
{
    mSortColumn = column;
    mSortOrder = order;
    horizontalHeader()->setSortIndicator(column, order);
}

void TableGrid::clearSortMarker()
{
    mSortColumn = -1;
    mSortOrder = Qt::AscendingOrder;
    horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
}

int TableGrid::columnOf(const std::string &fieldName) const
{
    return mModel->columnOf(fieldName);
}

void TableGrid::fitColumns()
{
    // A column is as wide as its title's longest line and the first rows' values, within bounds;
    // longer titles wrap.
    const int rows = qMin(mModel->rowCount(), kSizingRows);
    const int markRoom = style()->pixelMetric(QStyle::PM_HeaderMarkSize) + 4;
    for (int c = 0; c < mModel->columnCount(); ++c) {
        int width = kMinColumnWidth;
        const QString title = mModel->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        for (const QString &line : title.split('\n'))
            width = qMax(width, qMin(fontMetrics().horizontalAdvance(line) + 12, kMaxTitleWidth));
        // A title wraps between words only: its longest word must fit, beside the sort arrow.
        for (const QString &word :
             title.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts))
            width = qMax(width, fontMetrics().horizontalAdvance(word) + 12 + markRoom);
        for (int row = 0; row < rows; ++row)
            width =
                qMax(width, fontMetrics().horizontalAdvance(mModel->index(row, c).data().toString()) + 12);
        setColumnWidth(c, qMin(width, kMaxColumnWidth));
    }
    mColumnsFitted = rows > 0;
}

void TableGrid::scheduleFollow()
{
    // The view catches up with the cursor once the event loop runs: a burst of moves and resets (a
    // filter, a page check) lays the view out once. Until then no change of its current cell is
    // taken for the user's.
    if (mFollowPending)
        return;
    mFollowPending = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            mFollowPending = false;
            followCursor(mModel->currentRow());
        },
        Qt::QueuedConnection);
}

void TableGrid::followCursor(int row)
{
    const QScopedValueRollback<bool> syncing(mSyncing, true);
    if (row < 0) {
        setCurrentIndex({});
        return;
    }
    // The column stays where the user left it, also across a reset of the rows.
    const int column = currentIndex().isValid() ? currentIndex().column() : mColumn;
    const QModelIndex target = mModel->index(row, qBound(0, column, mModel->columnCount() - 1));
    if (currentIndex() == target) {
        viewport()->update();
        return;
    }
    // A move the program made opens no editor by itself: the editor comes back once the event loop
    // runs, so a burst of moves (a sort, a filter, a check) builds one editor, not one per move.
    const EditTriggers triggers = editTriggers();
    setEditTriggers(triggers & ~CurrentChanged);
    setCurrentIndex(target);
    setEditTriggers(triggers);
    scheduleReopen();
}

void TableGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    if (current.isValid())
        mColumn = current.column();
    // The view first hands the left cell's editor to the model, while the cursor still stands on its row.
    QTableView::currentChanged(current, previous);
    if (!mSyncing && previous.isValid() && current != previous && mDelegate->holdsRefusal() &&
        mDelegate->openEditorIndex() == previous) {
        returnToRefusedCell(previous); // the text left behind was refused: the user corrects it first
        return;
    }
    if (mSyncing || mResetting || mFollowPending || !current.isValid() || current.row() == previous.row())
        return;
    if (!mModel->moveCursorTo(current.row()))
        followCursor(mModel->currentRow()); // the row left could not be posted: the cursor stays
}

void TableGrid::refreshOpenEditor()
{
    QWidget *editor = mDelegate->openEditor();
    const QModelIndex cell = mDelegate->openEditorIndex();
    if (editor && cell.isValid())
        mDelegate->resetEditor(editor, cell);
}

void TableGrid::commitOpenEditor()
{
    // A post takes what is typed in the open cell, as it does from a bound edit box.
    if (QWidget *editor = mDelegate->openEditor(); editor && mDelegate->editorDirty())
        commitData(editor);
}

bool TableGrid::keepRefusedCell()
{
    QWidget *editor = mDelegate->openEditor();
    if (!editor || !mDelegate->holdsRefusal())
        return false;
    editor->setFocus();
    mDelegate->selectForReplacing();
    return true;
}

void TableGrid::returnToRefusedCell(const QModelIndex &cell)
{
    {
        const QScopedValueRollback<bool> syncing(mSyncing, true);
        const EditTriggers triggers = editTriggers();
        setEditTriggers(triggers & ~CurrentChanged);
        setCurrentIndex(cell);
        setEditTriggers(triggers);
    }
    keepRefusedCell();
}

void TableGrid::closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint)
{
    if (editor == mDelegate->openEditor() && mDelegate->judging()) {
        mDelegate->closeAfterJudging(hint);
        return;
    }
    // Enter, Tab or a click elsewhere after a refused text: the cell stays open with it. A move the
    // program makes (another row shown, the page left) and Escape give the text up.
    if (editor == mDelegate->openEditor() && mDelegate->holdsRefusal()) {
        if (hint != QAbstractItemDelegate::RevertModelCache && !mSyncing && isVisible() && keepRefusedCell())
            return;
        mDelegate->dropRefusal();
    }
    QTableView::closeEditor(editor, hint);
    if (hint == QAbstractItemDelegate::RevertModelCache)
        mModel->cancelUntouched();
    // Enter and Escape end the edit, not the editor: the current cell shows its editor again.
    if (hint == QAbstractItemDelegate::NoHint || hint == QAbstractItemDelegate::RevertModelCache)
        scheduleReopen();
}

void TableGrid::showEvent(QShowEvent *event)
{
    mModel->setViewed(true);
    QTableView::showEvent(event);
}

void TableGrid::hideEvent(QHideEvent *event)
{
    QTableView::hideEvent(event);
    mModel->setViewed(false);
}

void TableGrid::focusInEvent(QFocusEvent *event)
{
    QTableView::focusInEvent(event);
    scheduleReopen();
}

void TableGrid::scheduleReopen()
{
    if (mReopenPosted)
        return;
    mReopenPosted = true;
    QMetaObject::invokeMethod(this, &TableGrid::reopenEditor, Qt::QueuedConnection);
}

void TableGrid::reopenEditor()
{
    mReopenPosted = false;
    const QModelIndex current = currentIndex();
    if (!mDelegate->openEditor() && current.isValid() && (current.flags() & Qt::ItemIsEditable) &&
        state() != EditingState && hasFocus())
        edit(current, AllEditTriggers, nullptr); // declined while a click's own delayed edit is due
}

void TableGrid::rowKey(const QKeyEvent *event)
{
    if (mModel->table().ReadOnly)
        return;
    if (event->key() == Qt::Key_Insert) {
        if (mInsertAllowed)
            insertRow(mModel->table(), mModel->prompts());
    } else if (mDeleteAllowed) {
        deleteRow(mModel->table(), mModel->prompts());
    }
}

void TableGrid::mousePressEvent(QMouseEvent *event)
{
    // The press took the focus from a cell with refused text, which kept it: the click goes nowhere.
    if (mDelegate->holdsRefusal() && indexAt(event->position().toPoint()) != mDelegate->openEditorIndex()) {
        keepRefusedCell();
        event->accept();
        return;
    }
    QTableView::mousePressEvent(event);
}

void TableGrid::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The double click that opened a cell's editor edits it in place.
    const QModelIndex cell = indexAt(event->position().toPoint());
    if (QWidget *editor = mDelegate->openEditor(); editor && cell == mDelegate->openEditorIndex()) {
        QMouseEvent toEditor(QEvent::MouseButtonDblClick, editor->mapFrom(viewport(), event->position()),
                             event->globalPosition(), event->button(), event->buttons(), event->modifiers());
        QCoreApplication::sendEvent(editor, &toEditor);
        event->accept();
        return;
    }
    QTableView::mouseDoubleClickEvent(event);
}

void TableGrid::keyPressEvent(QKeyEvent *event)
{
    // A key that reaches the grid from its open editor (an arrow moving to another row) hands the
    // typed text over first; refused text keeps the cell.
    if (QWidget *editor = mDelegate->openEditor();
        editor && mDelegate->editorDirty() && event->key() != Qt::Key_Escape) {
        commitData(editor);
        if (keepRefusedCell()) {
            event->accept();
            return;
        }
    }
    if (GridDelegate::isRowKey(event)) {
        rowKey(event);
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        mModel->cancelUntouched(); // as from an open editor
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

} // namespace tarvena::editor
