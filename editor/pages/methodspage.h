#pragma once
// Page "3.Методика подготовки": the survey parameters in five framed groups. The source type of each
// seismic survey decides which of its charge location and non-explosive source type can be chosen.
#include "editor/pages/recordpage.h"

namespace tarvena::editor {

class MethodsPage : public RecordPage
{
    Q_OBJECT
public:
    explicit MethodsPage(PageContext &context, QWidget *parent = nullptr);
};

} // namespace tarvena::editor
