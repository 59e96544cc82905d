// Editing a MemTable: new records, edit, post, cancel, delete and emptying, in the event order that
// the data rules are written against.
#include "model/memtable_impl.h"

#include "storage/codepage.h"
#include "storage/error.h"

namespace tarvena {

namespace {

// A default expression of a text field may be written as a quoted literal.
std::string defaultText(const std::string &expression)
{
    if (expression.size() >= 2 && expression.front() == '\'' && expression.back() == '\'')
        return expression.substr(1, expression.size() - 2);
    return expression;
}

} // namespace

void MemTable::Append()
{
    d->startNewRecord(true);
}

void MemTable::Insert()
{
    d->startNewRecord(false);
}

void MemTable::Edit()
{
    d->requireOpen();
    if (d->editing())
        return;
    if (IsEmpty()) {
        d->startNewRecord(false);
        return;
    }
    d->requireWritableTable();
    d->buffer = d->store.values(d->cur);
    d->editId = d->cur;
    d->state = TableState::Edit;
    d->modified = false;
    d->notify(TableChange::StateChanged);
}

void MemTable::Post()
{
    d->post(true);
}

void MemTable::Cancel()
{
    if (!d->editing())
        return;
    d->touch();
    const bool wasInsert = d->state == TableState::Insert;
    d->dropEdit();
    d->fixCursor();
    d->recalc();
    d->notify(TableChange::StateChanged);
    d->notify(TableChange::RecordChanged);
    if (wasInsert)
        d->scrolled();
}

void MemTable::Delete()
{
    d->requireOpen();
    if (d->state == TableState::Insert) {
        Cancel(); // the record was never stored: nothing is deleted and no delete event runs
        return;
    }
    d->requireWritableTable();
    d->touch();
    if (d->cur < 0)
        throw Error((mName.empty() ? std::string() : codepage::cp1251ToUtf8(mName) + ": ") +
                    "Cannot delete a record: the table is empty");
    const bool wasEditing = d->editing();
    if (wasEditing)
        d->dropEdit();
    const int victim = d->cur;
    int next = d->order().nextVisible(victim);
    if (next < 0)
        next = d->order().prevVisible(victim);
    d->removeRecord(victim);
    d->cur = next;
    d->bof = d->eof = next < 0;
    d->recalc();
    if (wasEditing)
        d->notify(TableChange::StateChanged);
    d->notify(TableChange::LayoutChanged);
    if (AfterDelete)
        AfterDelete(*this);
    d->scrolled();
}

void MemTable::EmptyTable()
{
    d->touch();
    const bool wasEditing = d->editing();
    if (wasEditing)
        d->dropEdit();
    d->removeAllRecords();
    d->cur = -1;
    d->bof = d->eof = true;
    d->calc.assign(d->fields.size(), Value{});
    d->calcValid = true;
    if (wasEditing)
        d->notify(TableChange::StateChanged);
    d->notify(TableChange::LayoutChanged);
}

void MemTable::Impl::startNewRecord(bool append)
{
    requireOpen();
    checkBrowseMode();
    requireWritableTable();
    touch();
    std::vector<Value> values(static_cast<std::size_t>(dataCount));
    for (const auto &field : fields) {
        if (field->dataIndex() >= 0 && !field->DefaultExpression.empty())
            values[static_cast<std::size_t>(field->dataIndex())] = fieldvalue::toStored(
                field->DataType(), field->Size(), defaultText(field->DefaultExpression), field->FieldName());
    }
    buffer = std::move(values);
    insertAnchor = append ? -1 : cur;
    editId = -1;
    state = TableState::Insert;
    modified = false;
    calc.assign(fields.size(), Value{}); // computed once the record's fields are assigned
    calcValid = true;
    detail::bumpChangeStamp();
    notify(TableChange::StateChanged);
    if (q.OnNewRecord) {
        try {
            q.OnNewRecord(q);
        } catch (...) {
            if (state == TableState::Insert) {
                dropEdit();
                fixCursor();
                recalc();
                notify(TableChange::StateChanged);
            }
            throw;
        }
    }
    modified = false;
    if (q.AfterInsert)
        q.AfterInsert(q);
    scrolled();
}

void MemTable::Impl::post(bool commitEditors)
{
    if (!editing())
        return;
    touch();
    if (commitEditors) {
        notify(TableChange::UpdateRecord);
        if (!editing())
            return;
    }
    // After the views handed over their typed text, which counts as input.
    if (q.DropUntouchedInsert && state == TableState::Insert && !modified) {
        q.Cancel();
        return;
    }
    if (q.BeforePost) {
        q.BeforePost(q);
        if (!editing())
            return;
    }
    for (const auto &field : fields) {
        if (field->Required && field->dataIndex() >= 0 &&
            isNull(buffer[static_cast<std::size_t>(field->dataIndex())]))
            throw Error("Field '" + codepage::cp1251ToUtf8(field->FieldName()) + "' must have a value");
    }
    const bool inserted = state == TableState::Insert;
    int id;
    if (inserted) {
        id = storeNewRecord(std::move(buffer), 0, insertAnchor);
    } else {
        id = editId;
        storeEditedRecord(id, std::move(buffer));
    }
    dropEdit();
    // A record that the filter no longer lets through hands the cursor to its neighbour.
    cur = id;
    fixCursor();
    recalc();
    notify(TableChange::StateChanged);
    notify(inserted || sort.active() || filtered ? TableChange::LayoutChanged : TableChange::RecordChanged);
    if (q.AfterPost)
        q.AfterPost(q);
}

void MemTable::Impl::dropEdit()
{
    buffer.clear();
    editId = -1;
    insertAnchor = -1;
    state = TableState::Browse;
    modified = false;
    calcValid = false;
}

} // namespace tarvena
