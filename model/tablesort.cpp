#include "model/tablesort.h"

#include "model/fieldvalue.h"
#include "model/memtable.h"

#include <string_view>

namespace tarvena {

namespace {

std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

} // namespace

TableSort TableSort::parse(const std::string &fields, const MemTable &table)
{
    TableSort sort;
    std::string_view rest = fields;
    while (true) {
        const std::size_t semicolon = rest.find(';');
        std::string_view item = trimmed(rest.substr(0, semicolon));
        if (!item.empty()) {
            SortKey key;
            const std::size_t colon = item.find(':');
            if (colon != std::string_view::npos) {
                for (char c : item.substr(colon + 1)) {
                    if (c == 'D' || c == 'd')
                        key.descending = true;
                    else if (c == 'C' || c == 'c')
                        key.caseInsensitive = true;
                }
                item = trimmed(item.substr(0, colon));
            }
            key.field = &table.FieldByName(std::string(item));
            if (key.field->dataIndex() < 0)
                key.slot = sort.mComputed++;
            sort.mKeys.push_back(key);
        }
        if (semicolon == std::string_view::npos)
            break;
        rest.remove_prefix(semicolon + 1);
    }
    return sort;
}

int TableSort::compareKeys(const std::vector<Value> &keysA, const std::vector<Value> &keysB) const
{
    for (std::size_t k = 0; k < mKeys.size(); ++k) {
        const int c = fieldvalue::compare(keysA[k], keysB[k], mKeys[k].caseInsensitive);
        if (c != 0)
            return mKeys[k].descending ? -c : c;
    }
    return 0;
}

} // namespace tarvena
