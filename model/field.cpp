#include "model/field.h"

#include "model/memtable_impl.h"
#include "model/numberformat.h"
#include "storage/error.h"

#include <limits>

namespace tarvena {

struct Field::LookupBinding
{
    const MemTable *lookupTable = nullptr;
    std::string keyFields;
    std::string lookupKeyFields;
    std::string resultField;
    std::uint64_t ownGeneration = 0;
    std::uint64_t lookupGeneration = 0;
    const Field *key = nullptr;
    const Field *lookupKey = nullptr;
    const Field *result = nullptr;
};

Field::Field(MemTable &table, std::string name, FieldType type, int size, StoredFieldKind kind, int index)
    : mTable(table), mName(std::move(name)), mType(type), mSize(size), mKind(kind), mIndex(index)
{}

Field::~Field() = default;

bool Field::IsNull() const
{
    if (mDataIndex >= 0)
        return mTable.d->dataIsNull(mDataIndex);
    return isNull(value());
}

Value Field::value() const
{
    MemTable::Impl &t = *mTable.d;
    if (mDataIndex >= 0)
        return t.dataValue(mDataIndex);
    if (mKind == StoredFieldKind::Calculated)
        return t.calculatedValue(*this);
    if (mKind != StoredFieldKind::Lookup || !LookupDataSet || t.state == TableState::Closed)
        return Value{};

    MemTable::Impl &lookup = *LookupDataSet->d;
    LookupBinding *b = mLookup.get();
    if (!b || b->lookupTable != LookupDataSet || b->keyFields != KeyFields ||
        b->lookupKeyFields != LookupKeyFields || b->resultField != LookupResultField ||
        b->ownGeneration != t.fieldsGeneration || b->lookupGeneration != lookup.fieldsGeneration) {
        auto fresh = std::make_unique<LookupBinding>();
        fresh->key = &mTable.FieldByName(KeyFields);
        fresh->lookupKey = &LookupDataSet->FieldByName(LookupKeyFields);
        fresh->result = &LookupDataSet->FieldByName(LookupResultField);
        fresh->lookupTable = LookupDataSet;
        fresh->keyFields = KeyFields;
        fresh->lookupKeyFields = LookupKeyFields;
        fresh->resultField = LookupResultField;
        fresh->ownGeneration = t.fieldsGeneration;
        fresh->lookupGeneration = lookup.fieldsGeneration;
        mLookup = std::move(fresh);
        b = mLookup.get();
    }
    const Value key = b->key->value();
    if (isNull(key))
        return Value{};
    return lookup.lookupFirst(*b->lookupKey, key, *b->result);
}

std::int32_t Field::AsInteger() const
{
    const std::int64_t v = fieldvalue::toInt64(value());
    if (v < std::numeric_limits<std::int32_t>::min() || v > std::numeric_limits<std::int32_t>::max())
        throw Error(std::to_string(v) + " is out of the range of a 32-bit integer");
    return static_cast<std::int32_t>(v);
}

double Field::AsFloat() const
{
    return fieldvalue::toDouble(value());
}

bool Field::AsBoolean() const
{
    return fieldvalue::toBool(value());
}

std::string Field::AsString() const
{
    return fieldvalue::toText(mType, value());
}

void Field::setValue(const Value &v)
{
    MemTable::Impl &t = *mTable.d;
    t.checkWritable(*this);
    t.assign(*this, fieldvalue::toStored(mType, mSize, v, mName));
}

void Field::setValue(Value &&v)
{
    MemTable::Impl &t = *mTable.d;
    t.checkWritable(*this);
    t.assign(*this, fieldvalue::toStored(mType, mSize, std::move(v), mName));
}

void Field::SetAsInteger(std::int64_t v)
{
    setValue(Value{v});
}

void Field::SetAsFloat(double v)
{
    setValue(Value{v});
}

void Field::SetAsBoolean(bool v)
{
    setValue(Value{v});
}

void Field::SetAsString(const std::string &v)
{
    setValue(Value{v});
}

void Field::Clear()
{
    setValue(Value{});
}

void Field::Assign(const Field &other)
{
    setValue(other.value());
}

namespace {

std::string defaultText(const Field &field, const Value &v)
{
    if (isNull(v))
        return {};
    const bool isFloat = fieldvalue::storageOf(field.DataType()) == fieldvalue::Storage::Float &&
                         !fieldvalue::isDateTime(field.DataType());
    if (isFloat && !field.DisplayFormat.empty())
        return numfmt::formatFloat(field.DisplayFormat, fieldvalue::toDouble(v));
    if (fieldvalue::isBinary(field.DataType()))
        return {};
    return fieldvalue::toText(field.DataType(), v);
}

} // namespace

std::string Field::Text() const
{
    std::string text;
    if (OnGetText) {
        OnGetText(const_cast<Field &>(*this), text, false);
        return text;
    }
    return defaultText(*this, value());
}

std::string Field::DisplayText() const
{
    std::string text;
    if (OnGetText) {
        OnGetText(const_cast<Field &>(*this), text, true);
        return text;
    }
    return defaultText(*this, value());
}

void Field::SetText(const std::string &text)
{
    if (OnSetText)
        OnSetText(*this, text);
    else
        SetAsString(text);
}

bool Field::IsValidChar(char c) const
{
    return ValidChars.empty() || ValidChars.find(c) != std::string::npos;
}

} // namespace tarvena
