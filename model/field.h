#pragma once
// A field of a MemTable: name, type, kind, flags, formats and events. Reading and writing a field
// goes to the table's current record (or the record being edited or inserted).
#include "storage/value.h"

#include <functional>
#include <memory>
#include <string>

namespace tarvena {

class MemTable;

class Field
{
public:
    Field(MemTable &table, std::string name, FieldType type, int size, StoredFieldKind kind, int index);
    ~Field();
    Field(const Field &) = delete;
    Field &operator=(const Field &) = delete;

    MemTable &table() const { return mTable; }
    const std::string &FieldName() const { return mName; }
    FieldType DataType() const { return mType; }
    StoredFieldKind Kind() const { return mKind; }
    int Size() const { return mSize; }
    // Position among all fields of the table.
    int Index() const { return mIndex; }
    // Position among the stored (data) fields, -1 for lookup and calculated fields.
    int dataIndex() const { return mDataIndex; }

    bool Required = false;
    bool Visible = true;
    bool ReadOnly = false;
    std::string DisplayLabel;
    std::string EditMask;
    int DisplayWidth = 0; // 0: the default of the type
    std::string DisplayFormat;
    std::string DefaultExpression;
    // Bytes an editor accepts in a keystroke; empty means any.
    std::string ValidChars;

    // Lookup kind: KeyFields of this table looked up in LookupDataSet by LookupKeyFields, giving
    // LookupResultField of the record found.
    std::string KeyFields;
    MemTable *LookupDataSet = nullptr;
    std::string LookupKeyFields;
    std::string LookupResultField;

    std::function<void(Field &)> OnChange;
    std::function<void(Field &)> OnValidate;
    // Supplies the text for showing (displayText true) and editing (false).
    std::function<void(Field &, std::string &text, bool displayText)> OnGetText;
    // Receives a committed editor text and assigns the field itself; throwing refuses the text.
    std::function<void(Field &, const std::string &text)> OnSetText;

    bool IsNull() const;
    Value value() const;
    std::int32_t AsInteger() const; // null reads as 0
    double AsFloat() const;         // null reads as 0
    bool AsBoolean() const;
    std::string AsString() const; // null reads as ""; floats in the general format

    // Assignments run the order of the table engine: state check, OnValidate, store, OnChange,
    // calculated fields. They throw Error when the table is not in edit or insert state, or the
    // field or table is read-only.
    void setValue(const Value &v);
    void setValue(Value &&v); // takes the bytes of a text or blob over
    void SetAsInteger(std::int64_t v);
    void SetAsFloat(double v);
    void SetAsBoolean(bool v);
    void SetAsString(const std::string &v);
    void Clear();
    void Assign(const Field &other);

    // The text an editor shows and edits (OnGetText, else DisplayFormat for floats, else AsString).
    std::string Text() const;
    std::string DisplayText() const;
    // An editor commits text: OnSetText when present, else conversion to the field's type; text that
    // does not convert throws Error and the field keeps its value.
    void SetText(const std::string &text);
    // True when an editor should accept this keystroke byte.
    bool IsValidChar(char c) const;

private:
    friend class MemTable;
    MemTable &mTable;
    std::string mName;
    FieldType mType;
    int mSize;
    StoredFieldKind mKind;
    int mIndex;
    int mDataIndex = -1;
    // Counts assignments, so an assignment learns that its OnValidate assigned the field again.
    unsigned mAssignSerial = 0;
    // The fields a lookup reads, resolved by name on first use.
    struct LookupBinding;
    mutable std::unique_ptr<LookupBinding> mLookup;
};

} // namespace tarvena
