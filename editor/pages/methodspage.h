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

    // The 2D and 3D source types were picked (also after a passport was opened).
    void JvDBLookupCombo10Change();
    void JvDBLookupCombo13Change();
    // The scale buttons of the 2D, electrical, other-method and structural drilling groups.
    void JvDBComboEdit3ButtonClick();
    void JvDBComboEdit4ButtonClick();
    void JvDBComboEdit5ButtonClick();
    void JvDBComboEdit6ButtonClick();
    void afterOpen() override;

private:
    struct SourcePairs
    {
        const char *sourceField;
        const char *chargeList;
        const char *chargeField;
        const char *nonExplosiveList;
        const char *nonExplosiveField;
    };
    void sourceTypeRule(const SourcePairs &pairs);
};

} // namespace tarvena::editor
