#include "editor/pages/horizonentry.h"

#include "editor/guiprompts.h"
#include "editor/pages/pagecontext.h"
#include "model/datamodule.h"
#include "model/prompts.h"

namespace tarvena::editor {

namespace {

// Runs a change of the productive horizons' filter as one notice to the views, and keeps the horizon
// that was current when it is still shown (the engine starts a filtered list from its first row).
template <class Change> void keepingCurrentHorizon(MemTable &horizons, Change change)
{
    const Field &id = horizons.FieldByName("ID");
    const Value current =
        horizons.State() == TableState::Browse && !horizons.IsEmpty() ? id.value() : Value{};
    ControlsDisabledScope hold(horizons);
    change();
    if (!isNull(current) && !horizons.IsEmpty() && id.value() != current)
        horizons.Locate("ID", current);
}

} // namespace

void showEveryProductiveHorizon(PageContext &context)
{
    MemTable &horizons = context.data.POSIB_PRODUCT_HOR;
    if (!horizons.Filtered())
        return;
    runCommand(context.prompts,
               [&] { keepingCurrentHorizon(horizons, [&] { horizons.SetFiltered(false); }); });
}

std::optional<bool> narrowProductiveHorizons(PageContext &context, const char *filter)
{
    MemTable &horizons = context.data.POSIB_PRODUCT_HOR;
    bool anyPasses = false;
    const bool narrowed = runCommand(context.prompts, [&] {
        keepingCurrentHorizon(horizons, [&] {
            horizons.SetFilter(filter);
            horizons.SetFiltered(true);
        });
        anyPasses = pagechecks::hasRows(horizons);
    });
    return narrowed ? std::optional<bool>(anyPasses) : std::nullopt;
}

pagechecks::Verdict enterHorizons(PageContext &context)
{
    showEveryProductiveHorizon(context);
    return pagechecks::horizonsEntryCheck(context.data);
}

void warn(PageContext &context, const char *text)
{
    context.prompts.message("Предупреждение", text, Prompts::Icon::Warning, Prompts::Ok);
}

} // namespace tarvena::editor
