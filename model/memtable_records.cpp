// Stored records of a MemTable: adding, changing and removing them while table order, sort order,
// the filter's visible set and the lookup indexes stay in step.
#include "model/memtable_impl.h"

#include <algorithm>
#include <iterator>

namespace tarvena {

namespace detail {

namespace {
std::uint64_t gChangeStamp = 1;
} // namespace

std::uint64_t changeStamp()
{
    return gChangeStamp;
}

void bumpChangeStamp()
{
    ++gChangeStamp;
}

} // namespace detail

std::uint64_t dataChangeStamp()
{
    return detail::changeStamp();
}

bool MemTable::Impl::passesFilter(int id) const
{
    return !filtered || filter.passes([&](int dataIndex) { return store.value(id, dataIndex); });
}

int MemTable::Impl::storeNewRecord(std::vector<Value> values, int status, int anchor)
{
    values.resize(static_cast<std::size_t>(dataCount));
    const int id = store.allocate(std::move(values), status);
    const bool visible = passesFilter(id);
    if (anchor >= 0 && tableOrder.contains(anchor))
        tableOrder.insertAt(tableOrder.rankOf(anchor), id, visible);
    else
        tableOrder.pushBack(id, visible);
    if (sort.active()) {
        computeSortKeys(id);
        placeInSortOrder(id);
    }
    indexAdded(id);
    detail::bumpChangeStamp();
    if (journaling())
        journal->recordInserted(q, tableOrder.rankOf(id));
    return id;
}

void MemTable::Impl::storeEditedRecord(int id, std::vector<Value> values)
{
    // The old keys of the indexed fields, which the lookup indexes are told of below.
    std::vector<std::pair<int, Value>> oldKeys;
    for (const auto &entry : lookupIndexes)
        if (entry.second.valid)
            oldKeys.emplace_back(entry.first, fieldvalue::normalizedKey(store.value(id, entry.first)));
    values.resize(static_cast<std::size_t>(dataCount));
    if (journaling()) {
        // The replaced values move to the journal: a blob is handed over, never copied.
        std::vector<std::pair<int, Value>> old;
        for (int i = 0; i < dataCount; ++i) {
            if (!store.holds(id, i, values[static_cast<std::size_t>(i)]))
                old.emplace_back(i, store.take(id, i));
        }
        const int oldStatus = store.status(id);
        if (!old.empty() || oldStatus == 0)
            journal->recordCells(q, tableOrder.rankOf(id), std::move(old), oldStatus);
    }
    store.assign(id, std::move(values));
    if (store.status(id) == 0)
        store.setStatus(id, 1);
    detail::bumpChangeStamp();
    const bool visible = passesFilter(id);
    tableOrder.setVisible(id, visible);
    if (sort.active()) {
        sortOrder.erase(id);
        computeSortKeys(id);
        placeInSortOrder(id);
    }
    for (const auto &[dataIndex, oldKey] : oldKeys) {
        detail::LookupIndex &index = lookupIndexes[dataIndex];
        if (!index.valid)
            continue;
        const Value newKey = fieldvalue::normalizedKey(store.value(id, dataIndex));
        if (oldKey == newKey)
            continue;
        if (!isNull(oldKey)) {
            const auto it = index.first.find(oldKey);
            if (it != index.first.end() && it->second == id) {
                index.valid = false; // another record with the old key may take over; rebuilt on demand
                continue;
            }
        }
        if (!isNull(newKey)) {
            const auto [it, inserted] = index.first.try_emplace(newKey, id);
            if (!inserted && tableOrder.rankOf(id) < tableOrder.rankOf(it->second))
                it->second = id;
        }
    }
}

void MemTable::Impl::removeRecord(int id)
{
    indexRemoved(id);
    if (journaling()) {
        std::vector<Value> values;
        values.reserve(static_cast<std::size_t>(dataCount));
        for (int i = 0; i < dataCount; ++i)
            values.push_back(store.take(id, i));
        journal->recordRemoved(q, tableOrder.rankOf(id), std::move(values), store.status(id));
    }
    tableOrder.erase(id);
    if (sort.active())
        sortOrder.erase(id);
    if (static_cast<std::size_t>(id) < computed.size())
        computed[static_cast<std::size_t>(id)].clear();
    store.release(id);
    detail::bumpChangeStamp();
}

void MemTable::Impl::removeAllRecords()
{
    if (journaling() && tableOrder.size() > 0) {
        std::vector<std::vector<Value>> records;
        std::vector<int> statuses;
        tableOrder.forEach([&](int id) {
            std::vector<Value> values;
            values.reserve(static_cast<std::size_t>(dataCount));
            for (int i = 0; i < dataCount; ++i)
                values.push_back(store.take(id, i));
            records.push_back(std::move(values));
            statuses.push_back(store.status(id));
            return true;
        });
        journal->recordCleared(q, std::move(records), std::move(statuses));
    }
    store.clear();
    computed.clear();
    tableOrder.clear();
    sortOrder.clear();
    for (auto &entry : lookupIndexes) {
        entry.second.first.clear();
        entry.second.valid = true;
    }
    cachedCalcRecord = -1;
    detail::bumpChangeStamp();
}

void MemTable::Impl::computeSortKeys(int id)
{
    // Computed keys are taken when the record is stored or sorted; a later change of a lookup table
    // or of what a calculation reads does not move the record until it is posted or sorted again.
    if (sort.computedKeyCount() == 0)
        return;
    std::vector<Value> keys(static_cast<std::size_t>(sort.computedKeyCount()));
    for (const SortKey &key : sort.keys()) {
        if (key.slot >= 0)
            keys[static_cast<std::size_t>(key.slot)] = recordValue(id, *key.field);
    }
    if (computed.size() <= static_cast<std::size_t>(id))
        computed.resize(static_cast<std::size_t>(id) + 1);
    computed[static_cast<std::size_t>(id)] = std::move(keys);
}

std::vector<Value> MemTable::Impl::sortKeysOf(int id) const
{
    std::vector<Value> keys;
    keys.reserve(sort.keys().size());
    for (const SortKey &key : sort.keys())
        keys.push_back(key.slot >= 0
                           ? computed[static_cast<std::size_t>(id)][static_cast<std::size_t>(key.slot)]
                           : store.value(id, key.field->dataIndex()));
    return keys;
}

void MemTable::Impl::placeInSortOrder(int id)
{
    const std::vector<Value> keys = sortKeysOf(id);
    const int position = sortOrder.upperBound([&](int other) {
        const int c = sort.compareKeys(keys, sortKeysOf(other));
        if (c != 0)
            return c < 0;
        return tableOrder.rankOf(id) < tableOrder.rankOf(other); // equal keys keep table order
    });
    sortOrder.insertAt(position, id, passesFilter(id));
}

void MemTable::Impl::rebuildSortOrder()
{
    const std::vector<int> ids = tableOrder.ids();
    for (int id : ids)
        computeSortKeys(id);
    // The keys are copied side by side first: comparing them there touches far less memory than
    // following every record for every comparison.
    const std::vector<SortKey> &keys = sort.keys();
    const std::size_t width = keys.size();
    std::vector<Value> flat;
    flat.reserve(ids.size() * width);
    for (int id : ids) {
        std::vector<Value> recordKeys = sortKeysOf(id);
        std::move(recordKeys.begin(), recordKeys.end(), std::back_inserter(flat));
    }
    std::vector<int> positions(ids.size());
    for (std::size_t i = 0; i < positions.size(); ++i)
        positions[i] = static_cast<int>(i);
    std::stable_sort(positions.begin(), positions.end(), [&](int a, int b) {
        const Value *ka = &flat[static_cast<std::size_t>(a) * width];
        const Value *kb = &flat[static_cast<std::size_t>(b) * width];
        for (std::size_t k = 0; k < width; ++k) {
            const int c = fieldvalue::compare(ka[k], kb[k], keys[k].caseInsensitive);
            if (c != 0)
                return keys[k].descending ? c > 0 : c < 0;
        }
        return false;
    });
    std::vector<int> sorted(ids.size());
    for (std::size_t i = 0; i < sorted.size(); ++i)
        sorted[i] = ids[static_cast<std::size_t>(positions[i])];
    sortOrder.assign(sorted, [&](int id) { return passesFilter(id); });
}

void MemTable::Impl::refreshVisibility()
{
    const auto visible = [&](int id) { return passesFilter(id); };
    tableOrder.resetVisibility(visible);
    if (sort.active())
        sortOrder.resetVisibility(visible);
}

void MemTable::Impl::indexAdded(int id)
{
    for (auto &[dataIndex, index] : lookupIndexes) {
        if (!index.valid)
            continue;
        const Value key = fieldvalue::normalizedKey(store.value(id, dataIndex));
        if (isNull(key))
            continue;
        const auto [it, inserted] = index.first.try_emplace(key, id);
        if (!inserted && tableOrder.rankOf(id) < tableOrder.rankOf(it->second))
            it->second = id;
    }
}

void MemTable::Impl::indexRemoved(int id)
{
    for (auto &[dataIndex, index] : lookupIndexes) {
        if (!index.valid)
            continue;
        const Value key = fieldvalue::normalizedKey(store.value(id, dataIndex));
        if (isNull(key))
            continue;
        const auto it = index.first.find(key);
        if (it != index.first.end() && it->second == id)
            index.valid = false;
    }
}

detail::LookupIndex &MemTable::Impl::lookupIndex(int dataIndex) const
{
    detail::LookupIndex &index = lookupIndexes[dataIndex];
    if (index.valid)
        return index;
    index.first.clear();
    index.first.reserve(static_cast<std::size_t>(tableOrder.size()));
    tableOrder.forEach([&](int id) {
        const Value key = fieldvalue::normalizedKey(store.value(id, dataIndex));
        if (!isNull(key))
            index.first.try_emplace(key, id);
        return true;
    });
    index.valid = true;
    return index;
}

} // namespace tarvena
