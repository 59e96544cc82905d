#pragma once
// The page of the object's name and administrative region.
#include "editor/tablepage.h"

namespace tarvena::editor {

class GeographyPage : public TablePage
{
    Q_OBJECT
public:
    explicit GeographyPage(TDataModule2 &data, QWidget *parent = nullptr);
};

} // namespace tarvena::editor
