// MemTable's raw access to its stored records, in storage order and without the cursor: what the
// table stream format, the walks over whole tables and the ID checks read and write.
#include "model/memtable.h"

#include "model/memtable_impl.h"
#include "storage/error.h"

#include <algorithm>

namespace tarvena {

int MemTable::storedRecordCount() const
{
    return d->tableOrder.size();
}

std::vector<Value> MemTable::storedRecord(int index) const
{
    return d->store.values(storedId(index));
}

Value MemTable::storedValue(int index, int dataIndex) const
{
    const int id = storedId(index);
    if (dataIndex < 0 || dataIndex >= d->dataCount)
        throw Error(tablePrefix(mName) + "Value index " + std::to_string(dataIndex) + " out of range");
    return d->store.value(id, dataIndex);
}

int MemTable::storedUpdateStatus(int index) const
{
    return d->store.status(storedId(index));
}

int MemTable::storedId(int index) const
{
    const int id = d->tableOrder.at(index);
    if (id < 0)
        throw Error(tablePrefix(mName) + "Record index " + std::to_string(index) + " out of range");
    return id;
}

std::vector<Value> MemTable::takeStoredRecord(int index)
{
    const int id = storedId(index);
    d->lookupIndexes.clear();
    detail::bumpChangeStamp();
    std::vector<Value> values;
    values.reserve(static_cast<std::size_t>(d->dataCount));
    for (int i = 0; i < d->dataCount; ++i)
        values.push_back(d->store.take(id, i));
    return values;
}

void MemTable::appendStoredRecord(std::vector<Value> values, int updateStatus)
{
    d->touch();
    const int id = d->storeNewRecord(std::move(values), updateStatus, -1);
    if (d->state == TableState::Browse && d->cur < 0 && d->order().isVisible(id)) {
        // The first loaded row becomes current without events; its calculated fields follow on demand.
        d->cur = id;
        d->bof = d->eof = false;
        d->calcValid = false;
    }
    d->notify(TableChange::LayoutChanged);
}

void MemTable::reserveRecords(std::size_t count)
{
    // The caller bounds count by its input; this cap only keeps a wrong estimate harmless.
    const std::size_t extra = std::min<std::size_t>(count, std::size_t{1} << 22);
    const auto total = static_cast<std::size_t>(d->store.idCount()) + extra;
    d->store.reserve(total);
    d->tableOrder.reserve(total);
}

void MemTable::forEachStoredInOrder(const std::function<void(const std::vector<Value> &, int)> &visit) const
{
    d->order().forEach([&](int id) {
        visit(d->store.values(id), d->store.status(id));
        return true;
    });
}

Value StoredRecordView::value(int dataIndex) const
{
    return mTable.d->store.value(mId, dataIndex);
}

Value StoredRecordView::value(const Field &field) const
{
    if (&field.table() != &mTable)
        throw Error("Field " + codepage::cp1251ToUtf8(field.FieldName()) + " belongs to another table");
    return mTable.d->recordValue(mId, field);
}

bool StoredRecordView::isNull(int dataIndex) const
{
    return mTable.d->store.isNull(mId, dataIndex);
}

const std::string *StoredRecordView::bytes(int dataIndex) const
{
    return mTable.d->store.bytes(mId, dataIndex);
}

int StoredRecordView::status() const
{
    return mTable.d->store.status(mId);
}

void MemTable::forEachStoredRecord(const std::function<void(const StoredRecordView &)> &visit) const
{
    d->order().forEach([&](int id) {
        visit(StoredRecordView(*this, id));
        return true;
    });
}

void MemTable::setJournal(UndoJournal *journal)
{
    d->journal = journal;
}

UndoJournal *MemTable::journal() const
{
    return d->journal;
}

} // namespace tarvena
