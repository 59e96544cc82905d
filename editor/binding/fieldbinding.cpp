#include "editor/binding/fieldbinding.h"

#include "editor/guiprompts.h"

#include <QScopedValueRollback>
#include <QSignalBlocker>

#include <exception>

namespace tarvena::editor {

FieldBinding::FieldBinding(MemTable &table, const std::string &fieldName, Prompts &prompts, QWidget *control)
    : QObject(control), mTable(table), mField(table.FieldByName(fieldName)), mPrompts(prompts),
      mControl(control)
{
    mSubscription = TableSubscription(mTable, [this](const TableChange &change) { tableChanged(change); });
}

FieldBinding::~FieldBinding() = default;

void FieldBinding::tableChanged(const TableChange &change)
{
    if (change.kind == TableChange::UpdateRecord) {
        commit();
        return;
    }
    // Any change of the record may change this field: a rule, a calculated or a lookup field.
    refresh();
}

void FieldBinding::markDirty()
{
    mDirty = true;
    // The record is being edited from the user's first change on, as with any bound control, so that
    // every post of pending edits (page switch, save, close) takes the input along.
    try {
        if (mTable.State() == TableState::Browse)
            mTable.Edit();
    } catch (const std::exception &) {
        // The commit tries again and tells why it cannot.
    }
}

void FieldBinding::refresh()
{
    if (mDirty || !mControl)
        return;
    showBlocked();
}

void FieldBinding::showBlocked()
{
    if (!mControl)
        return;
    const QSignalBlocker blocker(mControl);
    show();
}

bool FieldBinding::commit()
{
    if (!mDirty || mCommitting || !mControl)
        return true;
    const QScopedValueRollback<bool> committing(mCommitting, true);
    bool accepted = true;
    {
        // Declared inside the commit guard: the held notices are shown while this binding still refuses
        // a second commit started from the notice's event loop.
        const CommandScope command(CommandContext(mPrompts, mTable), true, mControl->accessibleName());
        try {
            // Into edit state while still dirty: the state notice must not show the field over the input.
            if (mTable.State() == TableState::Browse)
                mTable.Edit();
            mDirty = false;
            accepted = write();
        } catch (const std::exception &error) {
            accepted = false;
            showError(mPrompts, error);
        }
        mDirty = false;
        showBlocked();
    }
    if (accepted)
        emit committed();
    return accepted;
}

} // namespace tarvena::editor
