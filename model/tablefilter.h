#pragma once
// The filter of a table: terms "FIELD=NUMBER" joined by " OR ". A record passes when one term holds;
// a term never holds for a null field.
#include "storage/value.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tarvena {

class MemTable;

class TableFilter
{
public:
    // Parses text against the fields of table; an empty text lets every record pass. Throws Error
    // for a malformed text, an unknown field or a field that is not stored in the record.
    static TableFilter parse(const std::string &text, const MemTable &table);

    // valueOf(dataIndex) gives a stored value of the record.
    template <class ValueOf> bool passes(ValueOf valueOf) const
    {
        if (mTerms.empty())
            return true;
        for (const Term &term : mTerms)
            if (holds(term, valueOf(term.dataIndex)))
                return true;
        return false;
    }
    bool empty() const { return mTerms.empty(); }

private:
    struct Term
    {
        int dataIndex;
        std::int64_t number;
    };
    static bool holds(const Term &term, const Value &v);
    std::vector<Term> mTerms;
};

} // namespace tarvena
