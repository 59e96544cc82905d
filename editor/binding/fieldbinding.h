#pragma once
// A binding between one control and one field of a table. The table is the only state: the control
// shows the field whenever the table says the record changed, and the user's input goes back through
// the table engine, so the field's rules run and the control ends by showing what they left.
#include "model/memtable.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <string>

namespace tarvena {
class Prompts;
}

namespace tarvena::editor {

class FieldBinding : public QObject
{
    Q_OBJECT
public:
    FieldBinding(MemTable &table, const std::string &fieldName, Prompts &prompts, QWidget *control);
    ~FieldBinding() override;

    MemTable &table() const { return mTable; }
    Field &field() const { return mField; }
    QWidget *control() const { return mControl; }
    Prompts &prompts() const { return mPrompts; }
    // True while the control holds input of the user that the field has not taken yet.
    bool dirty() const { return mDirty; }

    // Shows the field, leaving alone input of the user that was not committed yet. Never writes.
    void refresh();
    // Writes the user's pending input into the field (the table goes into edit state when needed).
    // A refused value is told through the prompts once the assignment is over, and the control shows
    // the field as the rules left it. Returns false when the input was refused.
    bool commit();

signals:
    // The user's input reached the field (after the read-back).
    void committed();

protected:
    // Sets the control from the field; called with the control's signals blocked.
    virtual void show() = 0;
    // Writes the control's value into the field; false when it was refused and the refusal told,
    // throws Error when the field's rules refuse it.
    virtual bool write() = 0;
    // Called by subclasses when the user changed the control; the table goes into edit state.
    void markDirty();

private:
    void tableChanged(const TableChange &change);
    void showBlocked();

    MemTable &mTable;
    Field &mField;
    Prompts &mPrompts;
    QPointer<QWidget> mControl;
    TableSubscription mSubscription;
    bool mDirty = false;
    bool mCommitting = false;
};

} // namespace tarvena::editor
