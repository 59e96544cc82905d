// Field values of a MemTable: reading the current, edited or redirected record, calculated fields,
// lookups, and the assignment order that the data rules depend on.
#include "model/memtable_impl.h"

#include "storage/codepage.h"
#include "storage/error.h"

namespace tarvena {

ReadRedirect::ReadRedirect(MemTable::Impl &t, int id, std::vector<Value> *calc, bool calculating)
    : mTable(t), mCalc(t.readCalc), mRecord(t.readRecord), mCalculating(t.calculating)
{
    t.readCalc = calc;
    t.readRecord = id;
    t.calculating = calculating;
}

ReadRedirect::~ReadRedirect()
{
    mTable.readCalc = mCalc;
    mTable.readRecord = mRecord;
    mTable.calculating = mCalculating;
}

Value MemTable::Impl::dataValue(int dataIndex) const
{
    if (readRecord >= 0)
        return store.value(readRecord, dataIndex);
    if (editing())
        return buffer[static_cast<std::size_t>(dataIndex)];
    if (state == TableState::Browse && cur >= 0)
        return store.value(cur, dataIndex);
    return Value();
}

bool MemTable::Impl::dataIsNull(int dataIndex) const
{
    if (readRecord >= 0)
        return store.isNull(readRecord, dataIndex);
    if (editing())
        return isNull(buffer[static_cast<std::size_t>(dataIndex)]);
    if (state == TableState::Browse && cur >= 0)
        return store.isNull(cur, dataIndex);
    return true;
}

Value MemTable::Impl::calculatedValue(const Field &field)
{
    const auto i = static_cast<std::size_t>(field.Index());
    if (readRecord >= 0)
        return readCalc ? (*readCalc)[i] : calcFor(readRecord)[i];
    ensureCalc();
    return i < calc.size() ? calc[i] : Value{};
}

void MemTable::Impl::ensureCalc()
{
    if (!calcValid)
        recalc();
}

void MemTable::Impl::recalc()
{
    calc.assign(fields.size(), Value{});
    calcValid = true;
    const bool hasRecord = editing() || (state == TableState::Browse && cur >= 0);
    if (!hasRecord || !q.OnCalcFields)
        return;
    const bool saved = calculating;
    calculating = true;
    try {
        q.OnCalcFields(q);
    } catch (...) {
        calculating = saved;
        throw;
    }
    calculating = saved;
}

const std::vector<Value> &MemTable::Impl::calcFor(int id)
{
    const std::uint64_t stamp = detail::changeStamp();
    if (cachedCalcRecord == id && cachedCalcStamp == stamp)
        return cachedCalc;
    std::vector<Value> values(fields.size());
    if (q.OnCalcFields) {
        // The handler runs as for the current record; its reads go to this record and its
        // assignments to this record's calculated values, and no cursor event fires.
        ReadRedirect redirect(*this, id, &values, true);
        q.OnCalcFields(q);
    }
    cachedCalc = std::move(values);
    cachedCalcRecord = id;
    cachedCalcStamp = stamp;
    return cachedCalc;
}

Value MemTable::Impl::recordValue(int id, const Field &field)
{
    if (field.dataIndex() >= 0)
        return store.value(id, field.dataIndex());
    if (field.Kind() == StoredFieldKind::Calculated)
        return calcFor(id)[static_cast<std::size_t>(field.Index())];
    ReadRedirect redirect(*this, id, nullptr, false);
    return field.value();
}

Value MemTable::Impl::lookupFirst(const Field &keyField, const Value &key, const Field &resultField)
{
    // Lookups see every stored record of the lookup table whatever its filter, and the first one in
    // table order wins when keys repeat.
    if (keyField.dataIndex() < 0) {
        int found = -1;
        tableOrder.forEach([&](int id) {
            if (fieldvalue::compare(recordValue(id, keyField), key, false) == 0)
                found = id;
            return found < 0;
        });
        return found < 0 ? Value{} : recordValue(found, resultField);
    }
    const detail::LookupIndex &index = lookupIndex(keyField.dataIndex());
    const auto it = index.first.find(fieldvalue::normalizedKey(key));
    if (it == index.first.end())
        return Value{};
    return recordValue(it->second, resultField);
}

bool MemTable::storedValueInUse(const Field &field, const Value &value) const
{
    if (field.dataIndex() < 0)
        return false;
    return d->lookupIndex(field.dataIndex()).first.count(fieldvalue::normalizedKey(value)) != 0;
}

void MemTable::Impl::checkWritable(const Field &field) const
{
    const std::string name = codepage::cp1251ToUtf8(field.FieldName());
    if (calculating) {
        if (field.Kind() == StoredFieldKind::Calculated)
            return;
        // Stored fields cannot change while calculated fields are computed: for the current record the
        // assignment would compute them again from inside the computation, and for another record
        // (valueAt, sorting) nothing may change behind the cursor.
        throw Error("Field " + name + " cannot be assigned while calculated fields are computed");
    }
    if (!editing())
        throw Error("Dataset is not in edit mode.");
    if (field.ReadOnly || q.ReadOnly || field.dataIndex() < 0)
        throw Error("Field " + name + " is read only");
}

void MemTable::Impl::assign(Field &field, Value value)
{
    if (calculating) {
        std::vector<Value> &target = readCalc ? *readCalc : calc;
        target[static_cast<std::size_t>(field.Index())] = std::move(value);
        return;
    }
    touch();
    const auto i = static_cast<std::size_t>(field.dataIndex());
    Value old = std::move(buffer[i]);
    buffer[i] = std::move(value); // OnValidate reads the new value
    const unsigned serial = ++field.mAssignSerial;
    detail::bumpChangeStamp();
    if (field.OnValidate) {
        try {
            field.OnValidate(field);
        } catch (...) {
            if (field.mAssignSerial == serial && editing())
                buffer[i] = std::move(old);
            throw;
        }
    }
    // When OnValidate assigned the field itself (a rule clearing a refused value), that assignment
    // has run completely and its value stands; this one only finishes its own steps.
    if (!editing())
        return;
    modified = true;
    if (field.OnChange)
        field.OnChange(field);
    if (!editing())
        return;
    recalc();
    notify(TableChange::DataChanged, &field);
}

// ---- reading rows without moving the cursor

namespace {

bool isCurrentRecord(const MemTable::Impl &t, int id)
{
    return t.readRecord < 0 && t.cur == id &&
           (t.state == TableState::Browse || (t.state == TableState::Edit && t.editId == id));
}

} // namespace

Value MemTable::valueAt(int row, const Field &field) const
{
    if (&field.table() != this)
        throw Error("Field " + codepage::cp1251ToUtf8(field.FieldName()) + " belongs to another table");
    const int id = d->order().visibleAt(row);
    if (id < 0)
        return Value{};
    if (isCurrentRecord(*d, id))
        return field.value();
    return d->recordValue(id, field);
}

std::string MemTable::displayTextAt(int row, const Field &field) const
{
    if (&field.table() != this)
        throw Error("Field " + codepage::cp1251ToUtf8(field.FieldName()) + " belongs to another table");
    const int id = d->order().visibleAt(row);
    if (id < 0)
        return {};
    if (isCurrentRecord(*d, id))
        return field.DisplayText();
    ReadRedirect redirect(*d, id, nullptr, false);
    return field.DisplayText();
}

std::string StoredRecordView::displayText(const Field &field) const
{
    if (&field.table() != &mTable)
        throw Error("Field " + codepage::cp1251ToUtf8(field.FieldName()) + " belongs to another table");
    ReadRedirect redirect(*mTable.d, mId, nullptr, false);
    return field.DisplayText();
}

} // namespace tarvena
