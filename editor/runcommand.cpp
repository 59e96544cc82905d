#include "editor/runcommand.h"

#include "editor/guiprompts.h"
#include "editor/pages/pagecontext.h"
#include "editor/undo.h"
#include "model/datamodule.h"

#include <cassert>

namespace tarvena::editor {

CommandContext::CommandContext(PageContext &context)
    : prompts(context.prompts), data(&context.data), journal(&context.data.Journal)
{}

CommandContext::CommandContext(Prompts &prompts, MemTable &table) : prompts(prompts), journal(table.journal())
{}

CommandScope::CommandScope(const CommandContext &context, bool holdNotices, const QString &step)
{
    if (holdNotices)
        mNotices = std::make_unique<DeferredNoticesScope>(context.prompts);
    if (context.journal)
        mStep = std::make_unique<EditStep>(*context.journal, step);
}

CommandScope::~CommandScope() = default;

namespace {

// One part of a command in its own scope; the error is told inside it, after the notices held before.
bool runPart(const CommandContext &context, bool holdNotices, const QString &step,
             const std::function<void()> &part)
{
    const CommandScope scope(context, holdNotices, step);
    try {
        part();
        return true;
    } catch (const std::exception &error) {
        showError(context.prompts, error);
        return false;
    }
}

} // namespace

bool runCommand(const CommandContext &context, const CommandOptions &options,
                const std::function<void()> &work)
{
    if (options.postPendingEdits) {
        assert(context.data);
        if (!runPart(context, true, {}, [&] { context.data->PostPendingEdits(); }))
            return false;
    }
    return runPart(context, options.holdNotices, options.step, work);
}

bool runCommand(const CommandContext &context, const std::function<void()> &work)
{
    return runCommand(context, CommandOptions{}, work);
}

} // namespace tarvena::editor
