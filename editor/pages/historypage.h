#pragma once
// The page of the object's discovery, preparation, report, fund and licence.
#include "editor/pages/bookpage.h"

namespace tarvena::editor {

class HistoryPage : public BookPage
{
    Q_OBJECT
public:
    explicit HistoryPage(PageContext &context, QWidget *parent = nullptr);
};

} // namespace tarvena::editor
