#include "model/memtable.h"

#include "model/memtable_impl.h"
#include "storage/codepage.h"
#include "storage/error.h"

#include <algorithm>

namespace tarvena {

MemTable::MemTable(std::string name) : mName(std::move(name)), d(std::make_unique<Impl>(*this)) {}

MemTable::~MemTable() = default;

// ---- structure

Field &MemTable::addField(const std::string &name, FieldType type, int size, StoredFieldKind kind)
{
    if (d->state != TableState::Closed)
        throw Error(tablePrefix(mName) + "Cannot add field '" + codepage::cp1251ToUtf8(name) +
                    "' to an open table");
    const std::string key = codepage::LowerCaseByTable(name);
    if (name.empty() || d->byName.count(key))
        throw Error(tablePrefix(mName) + "Duplicate or empty field name '" + codepage::cp1251ToUtf8(name) +
                    "'");
    auto field = std::make_unique<Field>(*this, name, type, size, kind, static_cast<int>(d->fields.size()));
    if (kind == StoredFieldKind::Data || kind == StoredFieldKind::InternalCalc) {
        field->mDataIndex = d->dataCount++;
        d->store.setWidth(d->dataCount);
        d->lookupIndexes.clear();
    }
    field->ValidChars = fieldvalue::defaultValidChars(type);
    Field &result = *field;
    d->byName.emplace(key, field.get());
    d->fields.push_back(std::move(field));
    detail::bumpChangeStamp();
    d->fieldsGeneration = detail::changeStamp();
    return result;
}

void MemTable::clearFields()
{
    if (d->state != TableState::Closed)
        throw Error(tablePrefix(mName) + "Cannot remove the fields of an open table");
    d->removeAllRecords();
    d->lookupIndexes.clear();
    d->sort = TableSort{};
    d->filter = TableFilter{};
    d->parsedFilter.clear();
    d->calc.clear();
    d->calcValid = false;
    d->byName.clear();
    d->fields.clear();
    d->dataCount = 0;
    d->store.setWidth(0);
    d->fieldsGeneration = detail::changeStamp();
}

int MemTable::FieldCount() const
{
    return static_cast<int>(d->fields.size());
}

Field &MemTable::fieldAt(int index) const
{
    if (index < 0 || index >= FieldCount())
        throw Error(tablePrefix(mName) + "Field index " + std::to_string(index) + " out of range");
    return *d->fields[static_cast<std::size_t>(index)];
}

Field *MemTable::FindField(const std::string &name) const
{
    const auto it = d->byName.find(codepage::LowerCaseByTable(name));
    return it == d->byName.end() ? nullptr : it->second;
}

Field &MemTable::FieldByName(const std::string &name) const
{
    if (Field *field = FindField(name))
        return *field;
    throw Error(tablePrefix(mName) + "Field '" + codepage::cp1251ToUtf8(name) + "' not found");
}

// ---- lifecycle and state

void MemTable::Open()
{
    if (d->state != TableState::Closed)
        return;
    if (d->filtered && d->parsedFilter != Filter) {
        d->filter = TableFilter::parse(Filter, *this);
        d->parsedFilter = Filter;
    }
    d->refreshVisibility();
    d->state = TableState::Browse;
    d->cur = d->order().firstVisible();
    d->bof = true;
    d->eof = d->cur < 0;
    d->calcValid = false;
    d->notify(TableChange::StateChanged);
    if (d->cur >= 0)
        d->scrollTo(d->cur);
}

void MemTable::Close()
{
    if (d->state == TableState::Closed)
        return;
    if (d->editing())
        d->dropEdit();
    d->state = TableState::Closed;
    d->cur = -1;
    d->bof = d->eof = true;
    d->calc.clear();
    d->calcValid = false;
    d->notify(TableChange::StateChanged);
}

bool MemTable::Active() const
{
    return d->state != TableState::Closed;
}

TableState MemTable::State() const
{
    return d->state;
}

bool MemTable::Modified() const
{
    return d->modified;
}

// ---- cursor

void MemTable::First()
{
    d->requireOpen();
    d->checkBrowseMode();
    d->bof = true;
    d->eof = d->order().visibleCount() == 0;
    d->scrollTo(d->order().firstVisible());
}

void MemTable::Last()
{
    d->requireOpen();
    d->checkBrowseMode();
    d->eof = true;
    d->bof = d->order().visibleCount() == 0;
    d->scrollTo(d->order().lastVisible());
}

void MemTable::Next()
{
    d->requireOpen();
    d->checkBrowseMode();
    if (d->eof)
        return;
    const int next = d->cur >= 0 ? d->order().nextVisible(d->cur) : -1;
    if (next < 0) {
        d->eof = true; // the cursor stays on the last record; reaching the end still counts as a scroll
        d->scrolled();
        return;
    }
    d->bof = false;
    d->scrollTo(next);
}

void MemTable::Prior()
{
    d->requireOpen();
    d->checkBrowseMode();
    if (d->bof)
        return;
    const int prior = d->cur >= 0 ? d->order().prevVisible(d->cur) : -1;
    if (prior < 0) {
        d->bof = true;
        d->scrolled();
        return;
    }
    d->eof = false;
    d->scrollTo(prior);
}

bool MemTable::Eof() const
{
    return d->state == TableState::Closed || d->eof;
}

bool MemTable::Bof() const
{
    return d->state == TableState::Closed || d->bof;
}

bool MemTable::IsEmpty() const
{
    return d->state != TableState::Insert && d->order().visibleCount() == 0;
}

int MemTable::RecordCount() const
{
    return d->order().visibleCount();
}

int MemTable::RecNo() const
{
    if (d->state != TableState::Browse && d->state != TableState::Edit)
        return 0;
    if (d->cur < 0 || !d->order().isVisible(d->cur))
        return 0;
    return d->order().visibleBefore(d->cur) + 1;
}

void MemTable::SetRecNo(int recNo)
{
    d->requireOpen();
    d->checkBrowseMode();
    const int count = RecordCount();
    if (count == 0)
        return;
    const int target = d->order().visibleAt(std::clamp(recNo, 1, count) - 1);
    if (target == d->cur)
        return;
    d->bof = d->eof = false;
    d->scrollTo(target);
}

int MemTable::insertRow() const
{
    if (d->state != TableState::Insert)
        return -1;
    const int anchor = d->insertAnchor;
    if (anchor >= 0 && d->order().isVisible(anchor))
        return d->order().visibleBefore(anchor);
    return RecordCount();
}

bool MemTable::Locate(const std::string &fieldName, const Value &value, bool caseInsensitive)
{
    d->requireOpen();
    const Field &field = FieldByName(fieldName);
    d->checkBrowseMode();
    Value wanted;
    try {
        wanted = fieldvalue::toStored(field.DataType(), 0, value, field.FieldName());
    } catch (const Error &) {
        return false; // a value the field cannot hold matches no record
    }
    auto matches = [&](const Value &v) {
        if (isNull(v) || isNull(wanted))
            return isNull(v) && isNull(wanted);
        const auto *a = std::get_if<std::string>(&v);
        const auto *b = std::get_if<std::string>(&wanted);
        if (a && b)
            return fieldvalue::equalText(*a, *b, caseInsensitive);
        return fieldvalue::compare(v, wanted, false) == 0;
    };
    const detail::OrderTree &order = d->order();
    int found = order.firstVisible();
    for (; found >= 0; found = order.nextVisible(found)) {
        const bool hit = matches(d->recordValue(found, field));
        if (hit)
            break;
    }
    if (found < 0)
        return false;
    d->bof = d->eof = false;
    d->scrollTo(found);
    return true;
}

// ---- filter and sort

void MemTable::SetFilter(const std::string &filter)
{
    if (filter == Filter && filter == d->parsedFilter)
        return;
    TableFilter parsed = TableFilter::parse(filter, *this);
    if (d->state != TableState::Closed)
        d->checkBrowseMode();
    Filter = filter;
    d->parsedFilter = filter;
    d->filter = std::move(parsed);
    if (!d->filtered)
        return;
    d->refreshVisibility();
    if (d->state != TableState::Closed) {
        d->notify(TableChange::LayoutChanged);
        First();
    }
}

bool MemTable::Filtered() const
{
    return d->filtered;
}

void MemTable::SetFiltered(bool filtered)
{
    const bool textChanged = Filter != d->parsedFilter;
    if (filtered == d->filtered && !(filtered && textChanged))
        return;
    if (filtered && textChanged) {
        d->filter = TableFilter::parse(Filter, *this);
        d->parsedFilter = Filter;
    }
    if (d->state != TableState::Closed)
        d->checkBrowseMode();
    d->filtered = filtered;
    d->refreshVisibility();
    if (d->state != TableState::Closed) {
        d->notify(TableChange::LayoutChanged);
        First();
    }
}

void MemTable::SortOn(const std::string &fields)
{
    TableSort parsed = TableSort::parse(fields, *this);
    if (d->state != TableState::Closed)
        d->checkBrowseMode();
    d->sort = std::move(parsed);
    if (d->sort.active()) {
        d->rebuildSortOrder();
    } else {
        d->sortOrder.clear();
        d->computed.clear();
    }
    d->bof = d->eof = d->cur < 0;
    d->notify(TableChange::LayoutChanged);
}

// ---- views

void MemTable::DisableControls()
{
    ++d->disableCount;
}

void MemTable::EnableControls()
{
    if (d->disableCount == 0)
        return;
    if (--d->disableCount == 0)
        d->notify(TableChange::LayoutChanged);
}

bool MemTable::ControlsDisabled() const
{
    return d->disableCount > 0;
}

int MemTable::subscribe(std::function<void(const TableChange &)> listener)
{
    const int id = d->nextListenerId++;
    d->listeners.push_back({id, std::move(listener)});
    return id;
}

void MemTable::unsubscribe(int id)
{
    for (auto it = d->listeners.begin(); it != d->listeners.end(); ++it) {
        if (it->id != id)
            continue;
        if (d->notifyDepth > 0)
            it->id = 0; // removed once the notification that runs it has finished
        else
            d->listeners.erase(it);
        return;
    }
}

// ---- helpers

void MemTable::Impl::requireOpen() const
{
    if (state == TableState::Closed)
        throw Error(tablePrefix(q.mName) + "Cannot perform this operation on a closed table");
}

void MemTable::Impl::requireWritableTable() const
{
    if (q.ReadOnly)
        throw Error(tablePrefix(q.mName) + "Cannot modify a read-only table");
}

void MemTable::Impl::notify(TableChange::Kind kind, const Field *field)
{
    if (disableCount > 0 || listeners.empty())
        return;
    struct Depth
    {
        Impl &t;
        explicit Depth(Impl &table) : t(table) { ++t.notifyDepth; }
        ~Depth()
        {
            if (--t.notifyDepth == 0)
                t.listeners.erase(std::remove_if(t.listeners.begin(), t.listeners.end(),
                                                 [](const Listener &l) { return l.id == 0; }),
                                  t.listeners.end());
        }
    } depth(*this);
    const TableChange change{kind, field};
    // Indexing keeps this safe when a listener subscribes another one (a deque keeps its elements).
    for (std::size_t i = 0; i < listeners.size(); ++i) {
        if (listeners[i].id != 0)
            listeners[i].callback(change);
    }
}

void MemTable::Impl::checkBrowseMode()
{
    if (!editing())
        return;
    notify(TableChange::UpdateRecord);
    if (!editing())
        return;
    if (modified)
        post(false);
    else
        q.Cancel();
}

void MemTable::Impl::scrollTo(int id)
{
    cur = id;
    if (cur < 0)
        bof = eof = true;
    recalc();
    scrolled();
}

void MemTable::Impl::scrolled()
{
    notify(TableChange::Scrolled);
    if (q.AfterScroll)
        q.AfterScroll(q);
}

void MemTable::Impl::fixCursor()
{
    const detail::OrderTree &o = order();
    if (cur >= 0 && o.isVisible(cur)) {
        bof = eof = false;
        return;
    }
    int next = -1;
    if (cur >= 0 && o.contains(cur)) {
        next = o.nextVisible(cur);
        if (next < 0)
            next = o.prevVisible(cur);
    }
    if (next < 0)
        next = o.firstVisible();
    cur = next;
    bof = eof = cur < 0;
    calcValid = false;
}

} // namespace tarvena
