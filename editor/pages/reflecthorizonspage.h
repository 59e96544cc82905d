#pragma once
// Page "5.Отражающие горизонты": the reflecting horizons with their stratigraphy, trap and map data.
#include "editor/pages/gridpage.h"

namespace tarvena::editor {

class ReflectHorizonsPage : public GridPage
{
    Q_OBJECT
public:
    explicit ReflectHorizonsPage(PageContext &context, QWidget *parent = nullptr);

    // Warns when the preparation method needs no reflecting horizons; the page stays open.
    void TabSheet7Enter();
    void TabSheet7Resize() { arrange(); }
    // The unit and scale cell buttons of JvDBGrid1.
    void JvDBGrid1EditButtonClick(int column);

protected:
    void pageResized() override { TabSheet7Resize(); }
    void enterCheck() override { TabSheet7Enter(); }
    void editButtonClicked(TableGrid *, int column) override { JvDBGrid1EditButtonClick(column); }
};

} // namespace tarvena::editor
