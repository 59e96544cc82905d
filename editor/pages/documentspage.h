#pragma once
// The outer page of the attached documents and graphics.
#include "editor/tablepage.h"

namespace tarvena::editor {

class DocumentsPage : public TablePage
{
    Q_OBJECT
public:
    explicit DocumentsPage(TDataModule2 &data, QWidget *parent = nullptr);
};

} // namespace tarvena::editor
