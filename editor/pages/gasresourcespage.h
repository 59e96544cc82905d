#pragma once
// Page "9.Ресурсы газа": the gas counting parameters and resources of the productive horizons of that
// hydrocarbon type, by the deterministic approach above and by the probabilistic one below.
#include "editor/pages/gridpage.h"

namespace tarvena::editor {

class GasResourcesPage : public GridPage
{
    Q_OBJECT
public:
    explicit GasResourcesPage(PageContext &context, QWidget *parent = nullptr);

    // The checks of the resource pages, then the page's hydrocarbon filter.
    void TabSheet11Enter() { enterResourcePage(8); }
    void TabSheet11Resize() { arrange(); }

protected:
    void pageResized() override { TabSheet11Resize(); }
    void enterCheck() override { TabSheet11Enter(); }
};

} // namespace tarvena::editor
