#pragma once
// Page "1.География": the object's name and its administrative region. Of the republic, krai and
// oblast at most one is chosen: picking one empties the other two, and picking a federal district
// empties all three (whose lists the data rules narrow to that district).
#include "editor/pages/recordpage.h"

namespace tarvena::editor {

class GeographyPage : public RecordPage
{
    Q_OBJECT
public:
    explicit GeographyPage(PageContext &context, QWidget *parent = nullptr);
};

} // namespace tarvena::editor
