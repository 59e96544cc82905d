#pragma once
// The page of the trap contours.
#include "editor/tablepage.h"

namespace tarvena::editor {

class ContoursPage : public TablePage
{
    Q_OBJECT
public:
    explicit ContoursPage(TDataModule2 &data, QWidget *parent = nullptr);
};

} // namespace tarvena::editor
