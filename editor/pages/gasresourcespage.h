#pragma once
// The page of the gas resources of the productive horizons.
#include "editor/pages/bookpage.h"

namespace tarvena::editor {

class GasResourcesPage : public BookPage
{
    Q_OBJECT
public:
    explicit GasResourcesPage(PageContext &context, QWidget *parent = nullptr);
};

} // namespace tarvena::editor
