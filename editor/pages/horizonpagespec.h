#pragma once
// What tells the horizon pages (pages 5 to 11) apart, as data: their names, title bands, grids,
// navigator, the check that runs when the page is entered and the hydrocarbon type a resource page
// shows. One HorizonPage is built from each.
#include "editor/grid/navigator.h"
#include "model/tablepage.h"

#include <vector>

namespace tarvena::editor {

// What a page checks when it is entered. Each check warns and queues the page switch itself.
enum class EntryCheck
{
    // Warns when the preparation method needs no reflecting horizons; the page stays open.
    NotRequiredWarning,
    // Without reflecting horizons where they are required, back to page 5.
    ReflectHorizons,
    // Every productive horizon shown, the reflecting horizons checked, and of the two
    // recalculation-horizon columns the one that fits the preparation method.
    RecalculationHorizon,
    // Every productive horizon shown, then reflecting and productive horizons there (the documents
    // page checks the same); a resource page then narrows the list to its hydrocarbon type.
    Horizons,
};

// A bold title band; the grid laid out under it, if any, shares the page's height with the others.
struct BandSpec
{
    const char *objectName;
    const char *text;
    const char *grid = nullptr;
};

struct HorizonPageSpec
{
    TablePage page;
    const char *objectName;
    const char *caption;
    std::vector<BandSpec> bands;
    // Over the table of the last grid; no navigator without a name.
    const char *navigator = nullptr;
    std::vector<Navigator::Button> (*navigatorButtons)() = nullptr;
    EntryCheck check = EntryCheck::Horizons;
    // The hydrocarbon filter of a resource page; nullptr on the other pages.
    const char *fluid = nullptr;
};

// The spec of a horizon page; throws for a page that is none.
const HorizonPageSpec &horizonPageSpec(TablePage page);

} // namespace tarvena::editor
