#pragma once
// One framed group of the documents and graphics page: a read-only grid of one slot list that
// selects whole rows, and under it the four buttons that act on the list's current slot.
#include <QGroupBox>

#include <array>

class QPushButton;

namespace tarvena {
class MemTable;
class Prompts;
} // namespace tarvena

namespace tarvena::editor {

class TableGrid;

class SlotGroup : public QGroupBox
{
    Q_OBJECT
public:
    enum Action
    {
        Load,
        Clear,
        Comment,
        Export
    };
    // The names of the grid and of the buttons in Action order.
    struct Names
    {
        const char *group;
        const char *grid;
        std::array<const char *, 4> buttons;
    };

    SlotGroup(const QString &caption, const QString &hint, const Names &names, MemTable &slotTable,
              Prompts &prompts, QWidget *parent = nullptr);

    TableGrid *grid() const { return mGrid; }
    QPushButton *button(Action action) const { return mButtons[std::size_t(action)]; }

signals:
    // A row was double-clicked; the list's cursor stands on it.
    void rowDoubleClicked();

private:
    TableGrid *mGrid;
    std::array<QPushButton *, 4> mButtons{};
};

} // namespace tarvena::editor
