#include "editor/binding/selectorbinding.h"

#include "editor/guiprompts.h"
#include "editor/text.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QToolButton>

namespace tarvena::editor {

SelectorEdit::SelectorEdit(QWidget *parent)
    : QWidget(parent), mEdit(new QLineEdit(this)), mButton(new QToolButton(this))
{
    mEdit->setReadOnly(true);
    mButton->setText(QStringLiteral("..."));
    mButton->setFocusPolicy(Qt::NoFocus);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(mEdit, 1);
    layout->addWidget(mButton);
    setFocusProxy(mEdit);
    connect(mButton, &QToolButton::clicked, this, &SelectorEdit::buttonClicked);
}

SelectorBinding::SelectorBinding(MemTable &table, const std::string &shownField, const std::string &keyField,
                                 Prompts &prompts, SelectorEdit *selector, Chooser chooser)
    : FieldBinding(table, shownField, prompts, selector), mSelector(selector),
      mKeyField(table.FieldByName(keyField)), mChooser(std::move(chooser))
{
    connect(selector, &SelectorEdit::buttonClicked, this, &SelectorBinding::choose);
    refresh();
}

void SelectorBinding::choose()
{
    if (!mChooser)
        return;
    std::optional<Value> chosen = mChooser(mKeyField);
    DeferredNoticesScope notices(prompts());
    if (chosen) {
        mPending = std::move(*chosen);
        markDirty();
        if (!commit())
            return;
    }
    // Also after a cancel: the record's other pending edits are posted with it.
    const TableState state = table().State();
    if (state != TableState::Edit && state != TableState::Insert)
        return;
    try {
        table().Post();
    } catch (const std::exception &error) {
        showError(prompts(), error);
    }
}

void SelectorBinding::show()
{
    mSelector->edit()->setText(fromCp1251(field().DisplayText()));
}

void SelectorBinding::write()
{
    mKeyField.setValue(mPending);
}

} // namespace tarvena::editor
