#include "editor/grid/rowcommands.h"

#include "editor/guiprompts.h"
#include "model/memtable.h"

namespace tarvena::editor {

void insertRow(MemTable &table, Prompts &prompts)
{
    runCommand(prompts, [&] { table.Insert(); });
}

bool deleteRow(MemTable &table, Prompts &prompts)
{
    if (table.IsEmpty() && table.State() != TableState::Insert)
        return false;
    if (prompts.message("Подтверждение", "Удалить строку?", Prompts::Icon::Question,
                        Prompts::Yes | Prompts::No) != Prompts::Yes)
        return false;
    return runCommand(prompts, [&] { table.Delete(); });
}

void postRow(MemTable &table, Prompts &prompts)
{
    runCommand(prompts, [&] { table.Post(); });
}

void cancelRow(MemTable &table, Prompts &prompts)
{
    runCommand(prompts, [&] { table.Cancel(); });
}

} // namespace tarvena::editor
