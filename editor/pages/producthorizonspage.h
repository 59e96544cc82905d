#pragma once
// The page of the possible productive horizons.
#include "editor/tablepage.h"

namespace tarvena::editor {

class ProductHorizonsPage : public TablePage
{
    Q_OBJECT
public:
    explicit ProductHorizonsPage(TDataModule2 &data, QWidget *parent = nullptr);
};

} // namespace tarvena::editor
