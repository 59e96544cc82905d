#pragma once
// Page "4.Геология": the oil and gas province, area and district, the tectonic elements and the
// stratigraphic range of the object, and below them the summary of its horizons and resources.
// A name typed by hand for a province, area or district is open only while no classifier entry is
// chosen for it.
#include "editor/pages/recordpage.h"

namespace tarvena::editor {

class GeologySummaryView;

class GeologyPage : public RecordPage
{
    Q_OBJECT
public:
    explicit GeologyPage(PageContext &context, QWidget *parent = nullptr);

    GeologySummaryView *summary() const { return mSummary; }

    // The page was entered: the summary is computed again from the horizon tables.
    void TabSheet6Enter();
    // The stratigraphy picker for the top and the bottom unit.
    void JvDBComboEdit1ButtonClick();
    void JvDBComboEdit2ButtonClick();

    void pageEntered() override { TabSheet6Enter(); }

private:
    GeologySummaryView *mSummary;
};

} // namespace tarvena::editor
