#pragma once
// The page of the oil and gas geography, tectonics, stratigraphic range and resource summary.
#include "editor/pages/bookpage.h"

namespace tarvena::editor {

class GeologyPage : public BookPage
{
    Q_OBJECT
public:
    explicit GeologyPage(PageContext &context, QWidget *parent = nullptr);
};

} // namespace tarvena::editor
