#pragma once
// The page of the gas resources of the productive horizons.
#include "editor/tablepage.h"

namespace tarvena::editor {

class GasResourcesPage : public TablePage
{
    Q_OBJECT
public:
    explicit GasResourcesPage(TDataModule2 &data, QWidget *parent = nullptr);
};

} // namespace tarvena::editor
