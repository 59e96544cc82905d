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
    if (mChooser)
        chooseAndPost(table(), mKeyField, mChooser, prompts(), control()->accessibleName());
}

void chooseAndPost(MemTable &table, Field &keyField, const SelectorBinding::Chooser &chooser,
                   Prompts &prompts, const QString &step)
{
    const std::optional<Value> chosen = chooser(keyField);
    runCommand({prompts, table}, {.step = step}, [&] {
        const auto editing = [&] {
            return table.State() == TableState::Edit || table.State() == TableState::Insert;
        };
        if (chosen) {
            if (!editing())
                table.Edit();
            keyField.setValue(*chosen);
        }
        // Also after a cancel: what was typed earlier in the record is posted with it.
        if (editing())
            table.Post();
    });
}

void SelectorBinding::show()
{
    mSelector->edit()->setText(fromCp1251(field().DisplayText()));
}

bool SelectorBinding::write()
{
    return true;
}

} // namespace tarvena::editor
