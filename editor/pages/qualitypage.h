#pragma once
// The page of the quality of the reflecting horizons.
#include "editor/tablepage.h"

namespace tarvena::editor {

class QualityPage : public TablePage
{
    Q_OBJECT
public:
    explicit QualityPage(TDataModule2 &data, QWidget *parent = nullptr);
};

} // namespace tarvena::editor
