#pragma once
// A MemTable as the source and target of a table stream: the stream's byte layout stays in
// storage/tablestream, the fields and records it reads and writes are the table engine's.
#include "storage/tablestream.h"

namespace tarvena {

class MemTable;
class Stream;

// Writes every stored record of the table, whatever filter is in force, in its current order.
void saveTable(const TableStreamFormat &format, MemTable &table, Stream &out);
// Loads a table stream into the table with its views held: a non-empty definitions list replaces the
// fields, rows are appended without table events. On failure the fields and rows read so far stay.
void loadTable(const TableStreamFormat &format, MemTable &table, Stream &in);

} // namespace tarvena
