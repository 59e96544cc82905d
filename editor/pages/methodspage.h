#pragma once
// The page of the survey parameters.
#include "editor/pages/bookpage.h"

namespace tarvena::editor {

class MethodsPage : public BookPage
{
    Q_OBJECT
public:
    explicit MethodsPage(PageContext &context, QWidget *parent = nullptr);
};

} // namespace tarvena::editor
