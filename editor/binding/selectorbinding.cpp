#include "editor/binding/selectorbinding.h"

#include "editor/guiprompts.h"
#include "editor/text.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>

namespace tarvena::editor {

SelectorEdit::SelectorEdit(QWidget *parent)
    : QWidget(parent), mEdit(new QLineEdit(this)), mButton(new QToolButton(this))
{
    mEdit->setReadOnly(true);
    mEdit->installEventFilter(this);
    mButton->setText(QStringLiteral("..."));
    // Reached by Tab right after the field, as the next stop.
    mButton->setFocusPolicy(Qt::TabFocus);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(mEdit, 1);
    layout->addWidget(mButton);
    setFocusProxy(mEdit);
    connect(mButton, &QToolButton::clicked, this, &SelectorEdit::buttonClicked);
}

bool SelectorEdit::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == mEdit && event->type() == QEvent::KeyPress &&
        isOpeningKey(static_cast<QKeyEvent *>(event))) {
        if (mButton->isEnabled())
            emit buttonClicked();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

bool SelectorEdit::isOpeningKey(const QKeyEvent *event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    switch (event->key()) {
    case Qt::Key_Down:
        return modifiers == Qt::AltModifier;
    case Qt::Key_F4:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return modifiers == Qt::NoModifier;
    default:
        return false;
    }
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
    const CommandScope command(prompts());
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
