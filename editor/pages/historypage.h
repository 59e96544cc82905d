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

    // The detection method was picked: its name edit follows it, emptied unless the other method.
    void JvDBLookupCombo5Change();
    // The preparation method was picked: the same for the name of the preparation method.
    void JvDBLookupCombo6Change();
    // Both edits follow the opened record; the preparation method's name is kept, since page 3 shows
    // the same text as the name of another geophysical method.
    void afterOpen() override;

private:
    void otherMethodRule(const char *methodField, const char *editName, const char *textField,
                         bool emptyText);
};

} // namespace tarvena::editor
