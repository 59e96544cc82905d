#include "editor/grid/tablemodel.h"

#include "editor/binding/fieldinput.h"
#include "editor/guiprompts.h"
#include "editor/text.h"

#include <QCoreApplication>
#include <QPointer>

namespace tarvena::editor {

namespace {

// Models with rows to repaint when the event loop next runs: one posted call serves them all.
std::vector<QPointer<TableModel>> &pendingRepaints()
{
    static std::vector<QPointer<TableModel>> models;
    return models;
}

} // namespace

TableModel::TableModel(MemTable &table, ColumnSet columns, Prompts &prompts, QObject *parent)
    : QAbstractTableModel(parent), mTable(table), mColumns(std::move(columns)), mPrompts(prompts),
      mRows(table)
{
    for (std::size_t c = 0; c < mColumns.size(); ++c) {
        Field &field = mTable.FieldByName(mColumns[c].fieldName);
        mFields.push_back(&field);
        // A name looked up in another table repaints when that table changes.
        if (field.Kind() == StoredFieldKind::Lookup && field.LookupDataSet &&
            field.LookupDataSet != &mTable) {
            const int column = int(c);
            mLookupSubscriptions.emplace_back(
                *field.LookupDataSet, [this, column](const TableChange &change) {
                    if (change.kind != TableChange::Scrolled && change.kind != TableChange::UpdateRecord)
                        lookupSourceChanged(column);
                });
        }
    }
    mReportedRows = mRows.count();
    mReportedInserting = mRows.insertingRow();
    mSubscription = TableSubscription(mTable, [this](const TableChange &change) { tableChanged(change); });
}

Field &TableModel::keyField(int column) const
{
    Field &shown = field(column);
    if (shown.Kind() == StoredFieldKind::Lookup)
        return mTable.FieldByName(shown.KeyFields);
    return shown;
}

int TableModel::columnOf(const std::string &fieldName) const
{
    for (std::size_t c = 0; c < mColumns.size(); ++c) {
        if (mColumns[c].fieldName == fieldName)
            return int(c);
    }
    return -1;
}

int TableModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid())
        return 0;
    return mViewed ? mReportedRows : mRows.count(); // a hidden view hears nothing: others read it live
}

int TableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(mColumns.size());
}

QVariant TableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const Field &shown = field(index.column());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole: {
        const int record = mRows.recordIndex(index.row());
        if (record < 0)
            return fromCp1251(shown.DisplayText()); // the record being inserted is the current one
        return fromCp1251(mTable.displayTextAt(record, shown));
    }
    case Qt::EditRole:
        if (index.row() != mRows.currentRow())
            return {};
        if (column(index.column()).kind == FieldKind::List) {
            const Field &key = keyField(index.column());
            return key.IsNull() ? QVariant() : QVariant(qint64(key.AsInteger()));
        }
        return fromCp1251(shown.Text());
    default:
        return {};
    }
}

QVariant TableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= int(mColumns.size()))
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
        return fromCp1251(mColumns[std::size_t(section)].title);
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);
    return {};
}

Qt::ItemFlags TableModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.isValid() && column(index.column()).editable() && !mTable.ReadOnly &&
        !field(index.column()).ReadOnly)
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool TableModel::moveCursorTo(int row)
{
    if (row == mRows.currentRow())
        return true;
    const int record = mRows.recordIndex(row);
    if (record < 0)
        return false;
    if (!runCommand({mPrompts, mTable}, [&] { mTable.SetRecNo(record + 1); })) {
        emit cursorMoved(mRows.currentRow());
        return false;
    }
    return mRows.currentRow() == row || mRows.recordIndex(mRows.currentRow()) == record;
}

bool TableModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || !(flags(index) & Qt::ItemIsEditable))
        return false;
    if (!moveCursorTo(index.row()))
        return false;
    bool taken = true;
    const QString step = headerData(index.column(), Qt::Horizontal, Qt::DisplayRole).toString();
    runCommand({mPrompts, mTable}, {.step = step}, [&] {
        if (column(index.column()).kind == FieldKind::List)
            writePick(keyField(index.column()), value);
        else
            taken = writeTypedText(mTable, field(index.column()), toCp1251(value.toString()), mPrompts);
    });
    repaintRow(mRows.currentRow());
    return taken;
}

void TableModel::writePick(Field &key, const QVariant &value)
{
    const bool none = !value.isValid() || value.isNull();
    const qint64 picked = none ? 0 : value.toLongLong();
    if (none == key.IsNull() && (none || picked == key.AsInteger()))
        return;
    if (mTable.State() == TableState::Browse)
        mTable.Edit();
    if (none)
        key.Clear();
    else
        key.SetAsInteger(picked);
}

void TableModel::setViewed(bool viewed)
{
    if (viewed == mViewed)
        return;
    mViewed = viewed;
    if (mViewed && mStale) {
        mStale = false;
        reset();
    }
}

void TableModel::tableChanged(const TableChange &change)
{
    if (change.kind == TableChange::UpdateRecord) {
        updateRecord(); // also for a view nobody sees: it may hold typed text
        return;
    }
    if (!mViewed) {
        mStale = true; // the view hears it all at once, as a reset, when it is shown again
        return;
    }
    switch (change.kind) {
    case TableChange::StateChanged: {
        const int inserting = mRows.insertingRow();
        if (inserting >= 0 && mReportedInserting < 0) {
            beginInsertRows({}, inserting, inserting);
            mReportedRows = mRows.count();
            mReportedInserting = inserting;
            endInsertRows();
        } else if (inserting < 0 && mReportedInserting >= 0) {
            const int gone = mReportedInserting;
            mReportedInserting = -1;
            // A posted row stays (the reset that follows the post places it); a cancelled one goes.
            if (mRows.count() < mReportedRows) {
                beginRemoveRows({}, gone, gone);
                mReportedRows = mRows.count();
                endRemoveRows();
            }
        }
        if (mRows.count() != mReportedRows)
            reset(); // rows changed while views were not told (controls held)
        else
            repaintRow(mRows.currentRow());
        break;
    }
    case TableChange::LayoutChanged:
        reset();
        break;
    case TableChange::DataChanged:
        repaintRow(mRows.currentRow());
        break;
    case TableChange::RecordChanged:
        repaintRow(mRows.currentRow());
        emit recordReverted();
        break;
    case TableChange::Scrolled:
        // The row reached repaints too, so an editor opened on it shows its record.
        repaintRow(mRows.currentRow());
        emit cursorMoved(mRows.currentRow());
        break;
    case TableChange::UpdateRecord:
        break;
    }
}

void TableModel::startEdit()
{
    if (mTable.State() != TableState::Browse || mTable.ReadOnly || mTable.IsEmpty())
        return;
    runCommand({mPrompts, mTable}, [this] { mTable.Edit(); });
}

void TableModel::cancelUntouched()
{
    if (mTable.State() == TableState::Browse || mTable.Modified())
        return;
    runCommand({mPrompts, mTable}, [this] { mTable.Cancel(); });
}

void TableModel::updateRecord()
{
    // Each view of the table hands over its typed text; the table itself then gives up a new row
    // left without any input.
    if (mTable.State() != TableState::Browse)
        emit aboutToPost();
}

void TableModel::reset()
{
    beginResetModel();
    mRepaintFirst = mRepaintLast = -1; // the reset repaints everything
    mReportedRows = mRows.count();
    mReportedInserting = mRows.insertingRow();
    endResetModel();
    emit cursorMoved(mRows.currentRow());
}

void TableModel::repaintRow(int row)
{
    if (row < 0 || row >= mReportedRows || mColumns.empty())
        return;
    // An edit tells the views several times (edit state, each field set, the post); they hear it once,
    // when the event loop next runs, and read the row as it then is.
    mRepaintFirst = mRepaintFirst < 0 ? row : qMin(mRepaintFirst, row);
    mRepaintLast = qMax(mRepaintLast, row);
    if (mRepaintPosted)
        return;
    mRepaintPosted = true;
    std::vector<QPointer<TableModel>> &pending = pendingRepaints();
    if (pending.empty())
        QMetaObject::invokeMethod(QCoreApplication::instance(), &TableModel::flushRepaints,
                                  Qt::QueuedConnection);
    pending.emplace_back(this);
}

void TableModel::flushRepaints()
{
    const std::vector<QPointer<TableModel>> models = std::move(pendingRepaints());
    pendingRepaints().clear();
    for (const QPointer<TableModel> &model : models) {
        if (model)
            model->flushRepaint();
    }
}

void TableModel::flushRepaint()
{
    mRepaintPosted = false;
    const int first = mRepaintFirst;
    const int last = qMin(mRepaintLast, mReportedRows - 1);
    mRepaintFirst = mRepaintLast = -1;
    if (first >= 0 && first <= last)
        emit dataChanged(index(first, 0), index(last, int(mColumns.size()) - 1));
}

void TableModel::lookupSourceChanged(int column)
{
    if (!mViewed) {
        mStale = true;
        return;
    }
    if (mReportedRows > 0)
        emit dataChanged(index(0, column), index(mReportedRows - 1, column));
}

} // namespace tarvena::editor
