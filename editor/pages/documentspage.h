#pragma once
// The outer page of the attached documents and graphics.
#include "editor/pages/bookpage.h"

namespace tarvena::editor {

class DocumentsPage : public BookPage
{
    Q_OBJECT
public:
    explicit DocumentsPage(PageContext &context, QWidget *parent = nullptr);
};

} // namespace tarvena::editor
