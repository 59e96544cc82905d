#pragma once
// Entering a page that works on the horizons (pages 8 to 11 and the documents page): every
// productive horizon is shown again, then the reflecting and productive horizons the page needs are
// checked. The pages tell a failed check each in their own way.
#include "model/pagechecks.h"

#include <optional>

namespace tarvena::editor {

struct PageContext;

// Shows the whole list of productive horizons; the current horizon stays current.
void showEveryProductiveHorizon(PageContext &context);
// Narrows the productive horizons to a hydrocarbon filter, keeping the current horizon when it
// passes: whether any horizon passes, nothing when the change failed (its error was shown).
std::optional<bool> narrowProductiveHorizons(PageContext &context, const char *filter);
// Every productive horizon shown, then the checks; the verdict of the first that fails.
pagechecks::Verdict enterHorizons(PageContext &context);
// A warning box of the page checks: "Предупреждение", the warning icon, OK.
void warn(PageContext &context, const char *text);

} // namespace tarvena::editor
