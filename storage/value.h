#pragma once
// One field value: null, a whole number, a float, a boolean or bytes (code page 1251 text or blob).
#include <cstdint>
#include <string>
#include <variant>

namespace tarvena {

using Value = std::variant<std::monostate, std::int64_t, double, bool, std::string>;

inline bool isNull(const Value &v)
{
    return std::holds_alternative<std::monostate>(v);
}

// Field data types; the numbers are the type codes of the table stream.
enum class FieldType : int
{
    Unknown = 0,
    String = 1,
    SmallInt = 2,
    Integer = 3,
    Word = 4,
    Boolean = 5,
    Float = 6,
    Currency = 7,
    BCD = 8,
    Date = 9,
    Time = 10,
    DateTime = 11,
    Bytes = 12,
    VarBytes = 13,
    AutoInc = 14,
    Blob = 15,
    Memo = 16,
    Graphic = 17,
    FmtMemo = 18,
    ParadoxOle = 19,
    DBaseOle = 20,
    TypedBinary = 21,
    Cursor = 22,
    FixedChar = 23,
    WideString = 24,
    LargeInt = 25,
    ADT = 26,
    Array = 27,
    Reference = 28,
    DataSet = 29,
    HugeBlob = 30,
    HugeClob = 31,
    Variant = 32,
    Interface = 33,
    Dispatch = 34,
    Guid = 35,
    SQLTimeStamp = 36,
    FMTBcd = 37
};

// Field kinds; the numbers are the kind numbers of the table stream.
enum class StoredFieldKind : int
{
    Data = 0,
    Calculated = 1,
    Lookup = 2,
    InternalCalc = 3,
    Aggregate = 4
};

} // namespace tarvena
