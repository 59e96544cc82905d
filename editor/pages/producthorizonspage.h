#pragma once
// The page of the possible productive horizons.
#include "editor/pages/bookpage.h"

namespace tarvena::editor {

class ProductHorizonsPage : public BookPage
{
    Q_OBJECT
public:
    explicit ProductHorizonsPage(PageContext &context, QWidget *parent = nullptr);
};

} // namespace tarvena::editor
