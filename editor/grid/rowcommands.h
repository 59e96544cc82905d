#pragma once
// The row commands that a grid's keys and a navigator's buttons share: each runs through the table
// engine, tells a refusal through the prompts and asks before a row is deleted.
namespace tarvena {
class MemTable;
class Prompts;
} // namespace tarvena

namespace tarvena::editor {

// Starts a new row before the current one (Insert key, the navigator's add button).
void insertRow(MemTable &table, Prompts &prompts);
// Asks first; deletes the current row when the user says yes. Returns true when a row was deleted.
bool deleteRow(MemTable &table, Prompts &prompts);
void postRow(MemTable &table, Prompts &prompts);
void cancelRow(MemTable &table, Prompts &prompts);

} // namespace tarvena::editor
