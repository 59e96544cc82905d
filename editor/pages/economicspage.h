#pragma once
// The economics page; the window keeps it hidden.
#include "editor/tablepage.h"

namespace tarvena::editor {

class EconomicsPage : public TablePage
{
    Q_OBJECT
public:
    explicit EconomicsPage(TDataModule2 &data, QWidget *parent = nullptr);
};

} // namespace tarvena::editor
