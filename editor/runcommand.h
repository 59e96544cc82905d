#pragma once
// The one way a user's command runs on the tables: the pending edits posted first if it asks,
// notices held while it works inside the table engine, an error it throws ending it and shown in
// the standard error box.
#include <QString>

#include <functional>
#include <memory>

namespace tarvena {
class MemTable;
class Prompts;
class TDataModule2;
class UndoJournal;
class UndoScope;
} // namespace tarvena

namespace tarvena::editor {

class DeferredNoticesScope;
struct PageContext;

// What a command reaches: the prompts always, the data module where the caller has it (a page's
// command does, a grid's key knows its table only), and the undo journal its changes go to (the
// passport's, reached through the data module or the table).
struct CommandContext
{
    CommandContext(Prompts &prompts) : prompts(prompts) {}
    CommandContext(PageContext &context);
    CommandContext(Prompts &prompts, MemTable &table);

    Prompts &prompts;
    TDataModule2 *data = nullptr;
    UndoJournal *journal = nullptr;
};

struct CommandOptions
{
    // Post the pending edits of the passport tables first, in a scope of their own: what their rules
    // tell is shown before the command goes on, and a refused post ends it.
    bool postPendingEdits = false;
    // Hold notices until the work is over; off for work that asks the user on its way (file
    // dialogs, questions), whose notices belong before the next question.
    bool holdNotices = true;
    // The name of the undo step the command is ("импорт контура"); empty: the first name an inner
    // scope gives, else a plain "изменение".
    QString step;
};

// One user action on the tables, from its first change to its last: every change made while it
// lives belongs to that action and is one undo step (scopes inside it join it). Notices (OK-only
// boxes) raised inside are shown when the outermost scope ends, in order, after the step has closed.
// runCommand opens one around the work (and one around the post of pending edits before it, a step
// of its own); the bindings' commits and the grid's edits open one around theirs.
class CommandScope
{
public:
    explicit CommandScope(const CommandContext &context, bool holdNotices = true, const QString &step = {});
    ~CommandScope();
    CommandScope(const CommandScope &) = delete;
    CommandScope &operator=(const CommandScope &) = delete;

private:
    std::unique_ptr<DeferredNoticesScope> mNotices;
    std::unique_ptr<UndoScope> mStep; // after the notices: closed before they are shown
};

// Runs work as one command; false when it failed (the error was shown).
bool runCommand(const CommandContext &context, const CommandOptions &options,
                const std::function<void()> &work);
// The same with the default options: notices held, nothing posted first.
bool runCommand(const CommandContext &context, const std::function<void()> &work);

} // namespace tarvena::editor
