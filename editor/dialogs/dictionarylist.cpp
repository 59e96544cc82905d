#include "editor/dialogs/dictionarylist.h"

#include "editor/text.h"

#include <QHeaderView>
#include <QScopedValueRollback>

namespace tarvena::editor {

DictionaryNamesModel::DictionaryNamesModel(MemTable &view, QObject *parent)
    : QAbstractTableModel(parent), mView(view), mName(view.FieldByName("NAME"))
{
    mSubscription = TableSubscription(mView, [this](const TableChange &change) {
        if (change.kind == TableChange::LayoutChanged) {
            beginResetModel();
            endResetModel();
        }
        if (change.kind == TableChange::LayoutChanged || change.kind == TableChange::Scrolled)
            emit cursorMoved();
    });
}

int DictionaryNamesModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : mView.RecordCount();
}

int DictionaryNamesModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 1;
}

QVariant DictionaryNamesModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::AccessibleTextRole))
        return {};
    return fromCp1251(mView.displayTextAt(index.row(), mName));
}

DictionaryList::DictionaryList(MemTable &view, const char *objectName, QWidget *parent)
    : QTableView(parent), mModel(new DictionaryNamesModel(view, this))
{
    setObjectName(QLatin1String(objectName));
    setModel(mModel);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setTabKeyNavigation(false);
    horizontalHeader()->hide();
    horizontalHeader()->setStretchLastSection(true);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    connect(mModel, &DictionaryNamesModel::cursorMoved, this, &DictionaryList::followCursor);
    followCursor();
}

void DictionaryList::followCursor()
{
    const QScopedValueRollback<bool> syncing(mSyncing, true);
    const int row = view().RecNo() - 1;
    if (row < 0) {
        clearSelection();
        setCurrentIndex(QModelIndex());
        return;
    }
    const QModelIndex index = mModel->index(row, 0);
    setCurrentIndex(index);
    scrollTo(index);
}

void DictionaryList::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QTableView::currentChanged(current, previous);
    if (mSyncing || !current.isValid() || current.row() == view().RecNo() - 1)
        return;
    view().SetRecNo(current.row() + 1);
}

} // namespace tarvena::editor
