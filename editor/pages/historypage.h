#pragma once
// Page "2.История": when and how the object was found and prepared, the report, the fund and the
// licence. The name of a method typed by the user is open only while its method is the other method.
#include "editor/pages/recordpage.h"

namespace tarvena::editor {

class HistoryPage : public RecordPage
{
    Q_OBJECT
public:
    explicit HistoryPage(PageContext &context, QWidget *parent = nullptr);
};

} // namespace tarvena::editor
