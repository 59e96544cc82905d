#pragma once
// The JSON dump of passport tables: fields of kind data and their rows, UTF-8.
#include "model/memtable.h"

#include <ostream>
#include <string>
#include <vector>

namespace tarvena::cli {

struct NamedTable
{
    std::string name;
    const MemTable *table; // null when the file has no block for it
};

// Writes {"tables": {NAME: {"fields": [...], "rows": [...]}, ...}}; withStatus adds "_status" to rows.
void writeTablesJson(std::ostream &out, const std::vector<NamedTable> &tables, bool withStatus);

std::string jsonString(const std::string &utf8);
std::string jsonNumber(double value);

} // namespace tarvena::cli
