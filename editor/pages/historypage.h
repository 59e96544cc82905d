#pragma once
// The page of the object's discovery, preparation, report, fund and licence.
#include "editor/tablepage.h"

namespace tarvena::editor {

class HistoryPage : public TablePage
{
    Q_OBJECT
public:
    explicit HistoryPage(TDataModule2 &data, QWidget *parent = nullptr);
};

} // namespace tarvena::editor
