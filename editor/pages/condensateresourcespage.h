#pragma once
// The page of the condensate resources of the productive horizons.
#include "editor/tablepage.h"

namespace tarvena::editor {

class CondensateResourcesPage : public TablePage
{
    Q_OBJECT
public:
    explicit CondensateResourcesPage(TDataModule2 &data, QWidget *parent = nullptr);
};

} // namespace tarvena::editor
