#pragma once
// The sort order of a table: field names separated by ";", each optionally followed by ":" and
// modifier letters anywhere after the colon, "D" descending and "C" case-insensitive text.
#include "storage/value.h"

#include <string>
#include <vector>

namespace tarvena {

class Field;
class MemTable;

struct SortKey
{
    const Field *field = nullptr;
    bool descending = false;
    bool caseInsensitive = false;
    // Lookup and calculated fields sort by a value computed when the record is stored; this is its
    // slot among the record's computed keys (-1 for a stored field).
    int slot = -1;
};

class TableSort
{
public:
    // Throws Error for an unknown field. An empty or blank list gives no keys (table order).
    static TableSort parse(const std::string &fields, const MemTable &table);

    bool active() const { return !mKeys.empty(); }
    const std::vector<SortKey> &keys() const { return mKeys; }
    int computedKeyCount() const { return mComputed; }

    // Compares two records by the values of their keys, in key order: <0, 0 or >0.
    int compareKeys(const std::vector<Value> &keysA, const std::vector<Value> &keysB) const;

private:
    std::vector<SortKey> mKeys;
    int mComputed = 0;
};

} // namespace tarvena
