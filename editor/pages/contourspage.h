#pragma once
// The page of the trap contours.
#include "editor/pages/bookpage.h"

namespace tarvena::editor {

class ContoursPage : public BookPage
{
    Q_OBJECT
public:
    explicit ContoursPage(PageContext &context, QWidget *parent = nullptr);
};

} // namespace tarvena::editor
