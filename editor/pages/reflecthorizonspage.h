#pragma once
// Page "5.Отражающие горизонты": the reflecting horizons with their stratigraphy, trap and map data.
#include "editor/pages/gridpage.h"

namespace tarvena::editor {

class ReflectHorizonsPage : public GridPage
{
    Q_OBJECT
public:
    explicit ReflectHorizonsPage(PageContext &context, QWidget *parent = nullptr);
};

} // namespace tarvena::editor
