#include "editor/grid/navigator.h"

#include "editor/controlnaming.h"
#include "editor/grid/rowcommands.h"
#include "editor/guiprompts.h"

#include <QHBoxLayout>
#include <QToolButton>

namespace tarvena::editor {

namespace {

struct ButtonLook
{
    const char *name;
    const char *glyph;
    const char *hint;
};

const ButtonLook kLooks[Navigator::kButtonCount] = {
    {"First", "|◀", "Перейти в начало"},
    {"Prior", "◀", "Перейти к предыдущей строке"},
    {"Next", "▶", "Перейти к следующей строке"},
    {"Last", "▶|", "Перейти в конец"},
    {"Insert", "+", "Добавить строку"},
    {"Delete", "−", "Удалить строку"},
    {"Post", "✓", "Подтвердить последние изменения"},
    {"Cancel", "✗", "Отказаться от последних изменений"},
};

} // namespace

std::vector<Navigator::Button> Navigator::allButtons()
{
    return {First, Prior, Next, Last, Insert, Delete, Post, Cancel};
}

std::vector<Navigator::Button> Navigator::browseButtons()
{
    return {First, Prior, Next, Last, Post, Cancel};
}

Navigator::Navigator(MemTable &table, Prompts &prompts, const std::vector<Button> &buttons,
                     const char *objectName, QWidget *parent)
    : QWidget(parent), mTable(table), mPrompts(prompts)
{
    setObjectName(QLatin1String(objectName));
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    for (Button which : buttons) {
        const ButtonLook &look = kLooks[which];
        auto *button = new QToolButton(this);
        button->setText(QString::fromUtf8(look.glyph));
        button->setMinimumWidth(28);
        button->setFocusPolicy(Qt::NoFocus);
        const QString hint = QString::fromUtf8(look.hint);
        nameControl(button, (std::string(objectName) + "_" + look.name).c_str(), hint, hint);
        connect(button, &QToolButton::clicked, this, [this, which] { click(which); });
        mButtons[which] = button;
        layout->addWidget(button);
    }
    layout->addStretch(1);
    // A navigator on a page not shown catches up when it is shown again.
    mSubscription = TableSubscription(mTable, [this](const TableChange &change) {
        if (change.kind != TableChange::DataChanged && change.kind != TableChange::UpdateRecord &&
            isVisible())
            updateButtons();
    });
    updateButtons();
}

void Navigator::click(Button button)
{
    runCommand({mPrompts, mTable}, [this, button] {
        switch (button) {
        case First:
            mTable.First();
            break;
        case Prior:
            mTable.Prior();
            break;
        case Next:
            mTable.Next();
            break;
        case Last:
            mTable.Last();
            break;
        case Insert:
            insertRow(mTable, mPrompts);
            break;
        case Delete:
            deleteRow(mTable, mPrompts);
            break;
        case Post:
            postRow(mTable, mPrompts);
            break;
        case Cancel:
            cancelRow(mTable, mPrompts);
            break;
        }
    });
    updateButtons();
}

void Navigator::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    updateButtons();
}

void Navigator::updateButtons()
{
    const bool active = mTable.Active();
    const bool editing = mTable.State() == TableState::Edit || mTable.State() == TableState::Insert;
    const int count = active ? mTable.RecordCount() : 0;
    const int recNo = mTable.RecNo();
    const bool inserting = mTable.State() == TableState::Insert;
    const bool writable = active && !mTable.ReadOnly;
    const bool canBack = count > 0 && (inserting || recNo > 1);
    const bool canForward = count > 0 && (inserting || recNo < count);
    const bool enabled[kButtonCount] = {canBack,    canBack,  canForward,
                                        canForward, writable, writable && (count > 0 || inserting),
                                        editing,    editing};
    for (int b = 0; b < kButtonCount; ++b) {
        if (mButtons[b] && mButtons[b]->isEnabled() != enabled[b])
            mButtons[b]->setEnabled(enabled[b]);
    }
}

} // namespace tarvena::editor
