#include "editor/grid/rowcommands.h"

#include "editor/guiprompts.h"
#include "model/memtable.h"

#include <exception>

namespace tarvena::editor {

namespace {

template <class Command> void run(Prompts &prompts, Command command)
{
    DeferredNoticesScope notices(prompts);
    try {
        command();
    } catch (const std::exception &error) {
        showError(prompts, error);
    }
}

} // namespace

void insertRow(MemTable &table, Prompts &prompts)
{
    run(prompts, [&] { table.Insert(); });
}

bool deleteRow(MemTable &table, Prompts &prompts)
{
    if (table.IsEmpty() && table.State() != TableState::Insert)
        return false;
    if (prompts.message("Подтверждение", "Удалить строку?", Prompts::Icon::Question,
                        Prompts::Yes | Prompts::No) != Prompts::Yes)
        return false;
    bool deleted = false;
    run(prompts, [&] {
        table.Delete();
        deleted = true;
    });
    return deleted;
}

void postRow(MemTable &table, Prompts &prompts)
{
    run(prompts, [&] { table.Post(); });
}

void cancelRow(MemTable &table, Prompts &prompts)
{
    run(prompts, [&] { table.Cancel(); });
}

} // namespace tarvena::editor
