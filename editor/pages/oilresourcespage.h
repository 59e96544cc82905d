#pragma once
// The page of the oil resources of the productive horizons.
#include "editor/pages/bookpage.h"

namespace tarvena::editor {

class OilResourcesPage : public BookPage
{
    Q_OBJECT
public:
    explicit OilResourcesPage(PageContext &context, QWidget *parent = nullptr);
};

} // namespace tarvena::editor
