#pragma once
// The page of the oil resources of the productive horizons.
#include "editor/tablepage.h"

namespace tarvena::editor {

class OilResourcesPage : public TablePage
{
    Q_OBJECT
public:
    explicit OilResourcesPage(TDataModule2 &data, QWidget *parent = nullptr);
};

} // namespace tarvena::editor
