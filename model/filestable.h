#pragma once
// FILES: the documents and graphics attached to a passport, one record per filled slot.
namespace tarvena {

class MemTable;

// Adds NAME, CONTENT (the file's bytes as one gzip member), DESCRIPTION and SRCNAME to the closed,
// empty table.
void defineFilesTable(MemTable &files);

} // namespace tarvena
