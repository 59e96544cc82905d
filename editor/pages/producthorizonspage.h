#pragma once
// Page "7.Возможные продуктивные горизонты": the possible productive horizons, their geometry, the
// horizon they were recalculated by, the reservoir and the hydrocarbon type.
#include "editor/pages/gridpage.h"

namespace tarvena::editor {

class ProductHorizonsPage : public GridPage
{
    Q_OBJECT
public:
    explicit ProductHorizonsPage(PageContext &context, QWidget *parent = nullptr);

    // Shows every productive horizon, checks the reflecting horizons and shows the one of the two
    // recalculation-horizon columns that fits the preparation method.
    void TabSheet9Enter();
    void TabSheet9Resize() { arrange(); }
    // The unit and scale cell buttons of JvDBGrid3.
    void JvDBGrid3EditButtonClick(int column);

protected:
    void pageResized() override { TabSheet9Resize(); }
    void enterCheck() override { TabSheet9Enter(); }
    void editButtonClicked(TableGrid *, int column) override { JvDBGrid3EditButtonClick(column); }
};

} // namespace tarvena::editor
