#pragma once
// Page "6.Качество": the quality of the object's preparation by each reflecting horizon.
#include "editor/pages/gridpage.h"

namespace tarvena::editor {

class QualityPage : public GridPage
{
    Q_OBJECT
public:
    explicit QualityPage(PageContext &context, QWidget *parent = nullptr);

    // Without reflecting horizons where they are required, back to page 5.
    void TabSheet8Enter();
    void TabSheet8Resize() { arrange(); }

protected:
    void pageResized() override { TabSheet8Resize(); }
    void enterCheck() override { TabSheet8Enter(); }
};

} // namespace tarvena::editor
