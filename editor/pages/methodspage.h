#pragma once
// The page of the survey parameters.
#include "editor/tablepage.h"

namespace tarvena::editor {

class MethodsPage : public TablePage
{
    Q_OBJECT
public:
    explicit MethodsPage(TDataModule2 &data, QWidget *parent = nullptr);
};

} // namespace tarvena::editor
