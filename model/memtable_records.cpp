// Stored records of a MemTable: adding, changing and removing them while table order, sort order,
// the filter's visible set and the lookup indexes stay in step.
#include "model/memtable_impl.h"

#include <algorithm>

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

bool MemTable::Impl::passesFilter(int id) const
{
    return !filtered || filter.passes(records[static_cast<std::size_t>(id)].values);
}

int MemTable::Impl::allocateRecord(std::vector<Value> values, int status)
{
    int id;
    if (!freeIds.empty()) {
        id = freeIds.back();
        freeIds.pop_back();
    } else {
        id = static_cast<int>(records.size());
        records.emplace_back();
    }
    detail::Record &record = records[static_cast<std::size_t>(id)];
    record.values = std::move(values);
    record.computed.clear();
    record.status = status;
    record.alive = true;
    return id;
}

int MemTable::Impl::storeNewRecord(std::vector<Value> values, int status, int anchor)
{
    const int id = allocateRecord(std::move(values), status);
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
    return id;
}

void MemTable::Impl::storeEditedRecord(int id, std::vector<Value> values)
{
    detail::Record &record = records[static_cast<std::size_t>(id)];
    std::vector<Value> old = std::move(record.values);
    record.values = std::move(values);
    if (record.status == 0)
        record.status = 1;
    detail::bumpChangeStamp();
    const bool visible = passesFilter(id);
    tableOrder.setVisible(id, visible);
    if (sort.active()) {
        sortOrder.erase(id);
        computeSortKeys(id);
        placeInSortOrder(id);
    }
    for (auto &[dataIndex, index] : lookupIndexes) {
        if (!index.valid)
            continue;
        const Value oldKey = fieldvalue::normalizedKey(old[static_cast<std::size_t>(dataIndex)]);
        const Value newKey = fieldvalue::normalizedKey(record.values[static_cast<std::size_t>(dataIndex)]);
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
    detail::Record &record = records[static_cast<std::size_t>(id)];
    const std::vector<Value> values = std::move(record.values);
    tableOrder.erase(id);
    if (sort.active())
        sortOrder.erase(id);
    record = detail::Record{};
    freeIds.push_back(id);
    indexRemoved(id, values);
    detail::bumpChangeStamp();
}

void MemTable::Impl::removeAllRecords()
{
    records.clear();
    freeIds.clear();
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
    std::vector<Value> keys(static_cast<std::size_t>(sort.computedKeyCount()));
    for (const SortKey &key : sort.keys()) {
        if (key.slot >= 0)
            keys[static_cast<std::size_t>(key.slot)] = recordValue(id, *key.field);
    }
    records[static_cast<std::size_t>(id)].computed = std::move(keys);
}

void MemTable::Impl::placeInSortOrder(int id)
{
    const detail::Record &record = records[static_cast<std::size_t>(id)];
    const int position = sortOrder.upperBound([&](int other) {
        const detail::Record &o = records[static_cast<std::size_t>(other)];
        const int c = sort.compare(record.values, record.computed, o.values, o.computed);
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
        const detail::Record &record = records[static_cast<std::size_t>(id)];
        for (const SortKey &key : keys)
            flat.push_back(key.slot >= 0 ? record.computed[static_cast<std::size_t>(key.slot)]
                                         : record.values[static_cast<std::size_t>(key.field->dataIndex())]);
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
    const detail::Record &record = records[static_cast<std::size_t>(id)];
    for (auto &[dataIndex, index] : lookupIndexes) {
        if (!index.valid)
            continue;
        const Value key = fieldvalue::normalizedKey(record.values[static_cast<std::size_t>(dataIndex)]);
        if (isNull(key))
            continue;
        const auto [it, inserted] = index.first.try_emplace(key, id);
        if (!inserted && tableOrder.rankOf(id) < tableOrder.rankOf(it->second))
            it->second = id;
    }
}

void MemTable::Impl::indexRemoved(int id, const std::vector<Value> &values)
{
    for (auto &[dataIndex, index] : lookupIndexes) {
        if (!index.valid)
            continue;
        const Value key = fieldvalue::normalizedKey(values[static_cast<std::size_t>(dataIndex)]);
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
        const Value key = fieldvalue::normalizedKey(records[static_cast<std::size_t>(id)].values[dataIndex]);
        if (!isNull(key))
            index.first.try_emplace(key, id);
        return true;
    });
    index.valid = true;
    return index;
}

} // namespace tarvena
