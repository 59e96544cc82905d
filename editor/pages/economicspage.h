#pragma once
// Page "12.Экономика": the costs of preparing the object. The page is not finished: the window keeps
// its tab hidden, and its controls stay disabled and invisible.
#include "editor/pages/recordpage.h"

namespace tarvena::editor {

class EconomicsPage : public RecordPage
{
    Q_OBJECT
public:
    explicit EconomicsPage(PageContext &context, QWidget *parent = nullptr);
};

} // namespace tarvena::editor
