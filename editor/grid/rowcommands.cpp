#include "editor/grid/rowcommands.h"

#include "editor/guiprompts.h"
#include "editor/undo.h"
#include "model/memtable.h"

namespace tarvena::editor {

void insertRow(MemTable &table, Prompts &prompts)
{
    runCommand({prompts, table}, {.step = QStringLiteral("вставка строки")}, [&] { table.Insert(); });
}

bool deleteRow(MemTable &table, Prompts &prompts)
{
    if (table.IsEmpty() && table.State() != TableState::Insert)
        return false;
    if (prompts.message("Подтверждение", "Удалить строку?", Prompts::Icon::Question,
                        Prompts::Yes | Prompts::No) != Prompts::Yes)
        return false;
    return runCommand({prompts, table}, {.step = rowDeletionName(table)}, [&] { table.Delete(); });
}

void postRow(MemTable &table, Prompts &prompts)
{
    runCommand({prompts, table}, [&] { table.Post(); });
}

void cancelRow(MemTable &table, Prompts &prompts)
{
    runCommand({prompts, table}, [&] { table.Cancel(); });
}

} // namespace tarvena::editor
