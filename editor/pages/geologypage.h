#pragma once
// The page of the oil and gas geography, tectonics, stratigraphic range and resource summary.
#include "editor/tablepage.h"

namespace tarvena::editor {

class GeologyPage : public TablePage
{
    Q_OBJECT
public:
    explicit GeologyPage(TDataModule2 &data, QWidget *parent = nullptr);
};

} // namespace tarvena::editor
