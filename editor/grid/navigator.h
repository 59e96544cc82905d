#pragma once
// The navigator bar of a grid's table: first, previous, next, last, add, delete, confirm and cancel,
// each with its hint; the buttons follow the table's state (nothing to confirm in browse state, no
// step past either end, nothing to delete in an empty table).
#include "model/memtable.h"

#include <QWidget>

#include <array>
#include <vector>

class QToolButton;

namespace tarvena {
class Prompts;
}

namespace tarvena::editor {

class Navigator : public QWidget
{
    Q_OBJECT
public:
    enum Button
    {
        First,
        Prior,
        Next,
        Last,
        Insert,
        Delete,
        Post,
        Cancel
    };
    static constexpr int kButtonCount = 8;
    // Every button, as the horizon pages have it.
    static std::vector<Button> allButtons();
    // Moving and confirming only, for a page whose rows are added elsewhere.
    static std::vector<Button> browseButtons();

    Navigator(MemTable &table, Prompts &prompts, const std::vector<Button> &buttons, const char *objectName,
              QWidget *parent = nullptr);

    // nullptr for a button the navigator does not have.
    QToolButton *button(Button button) const { return mButtons[std::size_t(button)]; }
    void click(Button button);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void updateButtons();

    MemTable &mTable;
    Prompts &mPrompts;
    std::array<QToolButton *, kButtonCount> mButtons{};
    TableSubscription mSubscription;
};

} // namespace tarvena::editor
