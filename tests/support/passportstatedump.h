#pragma once
// A text of everything the five passport tables hold that an undo must give back: stored records with
// their update statuses, each table's state, cursor and filter, and the record being edited.
#include "model/datamodule.h"

#include <functional>
#include <sstream>
#include <string>

namespace tarvena::testing {

namespace dumpdetail {

inline void dumpValue(std::ostream &out, const Value &v)
{
    if (const auto *i = std::get_if<std::int64_t>(&v))
        out << 'i' << *i;
    else if (const auto *d = std::get_if<double>(&v))
        out << 'f' << *d;
    else if (const auto *b = std::get_if<bool>(&v))
        out << 'b' << *b;
    else if (const auto *s = std::get_if<std::string>(&v))
        out << 's' << s->size() << ':' << std::hash<std::string>{}(*s);
    else
        out << '-';
    out << '|';
}

} // namespace dumpdetail

inline std::string passportStateDump(TDataModule2 &dm)
{
    std::ostringstream out;
    for (MemTable *table : dm.passportTables()) {
        out << table->Name() << " state " << int(table->State()) << " recno " << table->RecNo() << " filter "
            << table->Filter << '/' << table->Filtered() << '\n';
        table->forEachStoredInOrder([&](const std::vector<Value> &values, int status) {
            out << status << ' ';
            for (const Value &v : values)
                dumpdetail::dumpValue(out, v);
            out << '\n';
        });
        if (table->State() != TableState::Browse) {
            out << "current ";
            for (int i = 0; i < table->FieldCount(); ++i) {
                if (table->fieldAt(i).dataIndex() >= 0)
                    dumpdetail::dumpValue(out, table->fieldAt(i).value());
            }
            out << '\n';
        }
    }
    return out.str();
}

} // namespace tarvena::testing
