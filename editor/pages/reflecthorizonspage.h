#pragma once
// The page of the reflecting horizons.
#include "editor/tablepage.h"

namespace tarvena::editor {

class ReflectHorizonsPage : public TablePage
{
    Q_OBJECT
public:
    explicit ReflectHorizonsPage(TDataModule2 &data, QWidget *parent = nullptr);
};

} // namespace tarvena::editor
