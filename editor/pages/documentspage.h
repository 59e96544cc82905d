#pragma once
// The outer page "Документы/Графика": the passport's attached documents and graphics as three lists
// of slots (documents, graphics, additional graphics), each in a framed group with its grid and the
// buttons that load a file into the current slot, clear it, edit its comment and export its file.
#include "editor/pages/bookpage.h"
#include "model/fileslots.h"

#include <array>

class QSplitter;

namespace tarvena::editor {

class SlotGroup;
class TableGrid;

class DocumentsPage : public BookPage
{
    Q_OBJECT
public:
    explicit DocumentsPage(PageContext &context, QWidget *parent = nullptr);

    // The hint of the page's tab.
    static QString hint();

    FileSlots &fileSlots() { return mSlots; }
    SlotGroup *group(SlotList list) const { return mGroups[std::size_t(list)]; }
    TableGrid *grid(SlotList list) const;
    QSplitter *splitter() const { return mSplitter; }

    // Rebuilds the three lists from the horizons and FILES.
    void RebuildFileSlots();
    // The same, leaving the horizons' filter and cursor alone.
    void deriveSlots();
    // The page is shown: the horizons are checked, then the lists rebuilt.
    void TabSheet2Show();
    void pageEntered() override { TabSheet2Show(); }

    // The buttons of the documents, graphics and additional graphics groups.
    void BitBtn2Click() { loadFile(SlotList::Documents); }
    void BitBtn5Click() { loadFile(SlotList::Graphics); }
    void BitBtn1Click() { loadFile(SlotList::Additional); }
    void BitBtn3Click() { clearSlot(SlotList::Documents); }
    void BitBtn6Click() { clearSlot(SlotList::Graphics); }
    void BitBtn8Click() { clearSlot(SlotList::Additional); }
    void BitBtn4Click() { editComment(SlotList::Documents); }
    void BitBtn7Click() { editComment(SlotList::Graphics); }
    void BitBtn9Click() { editComment(SlotList::Additional); }
    void BitBtn13Click() { exportFile(SlotList::Documents); }
    void BitBtn14Click() { exportFile(SlotList::Graphics); }
    void BitBtn15Click() { exportFile(SlotList::Additional); }
    void JvDBGrid12DblClick() { rowDoubleClicked(SlotList::Documents); }
    void JvDBGrid13DblClick() { rowDoubleClicked(SlotList::Graphics); }
    void JvDBGrid11DblClick() { rowDoubleClicked(SlotList::Additional); }

private:
    void loadFile(SlotList list);
    void clearSlot(SlotList list);
    void editComment(SlotList list);
    void exportFile(SlotList list);
    void rowDoubleClicked(SlotList list);

    FileSlots mSlots;
    QSplitter *mSplitter;
    std::array<SlotGroup *, 3> mGroups{};
};

} // namespace tarvena::editor
