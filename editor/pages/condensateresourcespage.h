#pragma once
// Page "10.Ресурсы газоконденсата": the condensate counting parameters and resources of the productive
// horizons of that hydrocarbon type, by the deterministic approach above and by the probabilistic one below.
#include "editor/pages/gridpage.h"

namespace tarvena::editor {

class CondensateResourcesPage : public GridPage
{
    Q_OBJECT
public:
    explicit CondensateResourcesPage(PageContext &context, QWidget *parent = nullptr);

    // The checks of the resource pages, then the page's hydrocarbon filter.
    void TabSheet12Enter() { enterResourcePage(9); }
    void TabSheet12Resize() { arrange(); }

protected:
    void pageResized() override { TabSheet12Resize(); }
    void enterCheck() override { TabSheet12Enter(); }
};

} // namespace tarvena::editor
