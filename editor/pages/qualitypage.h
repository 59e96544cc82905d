#pragma once
// The page of the quality of the reflecting horizons.
#include "editor/pages/bookpage.h"

namespace tarvena::editor {

class QualityPage : public BookPage
{
    Q_OBJECT
public:
    explicit QualityPage(PageContext &context, QWidget *parent = nullptr);
};

} // namespace tarvena::editor
