#pragma once
// The economics page; the window keeps it hidden.
#include "editor/pages/bookpage.h"

namespace tarvena::editor {

class EconomicsPage : public BookPage
{
    Q_OBJECT
public:
    explicit EconomicsPage(PageContext &context, QWidget *parent = nullptr);
};

} // namespace tarvena::editor
