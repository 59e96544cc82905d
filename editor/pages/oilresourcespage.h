#pragma once
// Page "8.Ресурсы нефти": the oil counting parameters and resources of the productive horizons of that
// hydrocarbon type, by the deterministic approach above and by the probabilistic one below.
#include "editor/pages/gridpage.h"

namespace tarvena::editor {

class OilResourcesPage : public GridPage
{
    Q_OBJECT
public:
    explicit OilResourcesPage(PageContext &context, QWidget *parent = nullptr);

    // The checks of the resource pages, then the page's hydrocarbon filter.
    void TabSheet10Enter() { enterResourcePage(7); }
    void TabSheet10Resize() { arrange(); }

protected:
    void pageResized() override { TabSheet10Resize(); }
    void enterCheck() override { TabSheet10Enter(); }
};

} // namespace tarvena::editor
