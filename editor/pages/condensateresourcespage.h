#pragma once
// The page of the condensate resources of the productive horizons.
#include "editor/pages/bookpage.h"

namespace tarvena::editor {

class CondensateResourcesPage : public BookPage
{
    Q_OBJECT
public:
    explicit CondensateResourcesPage(PageContext &context, QWidget *parent = nullptr);
};

} // namespace tarvena::editor
