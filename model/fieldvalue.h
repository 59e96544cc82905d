#pragma once
// How a field of each data type stores, converts and shows its value. Whole numbers are held as
// int64, floats and date-times as double (days since 30.12.1899), booleans as bool, and every other
// type (strings, memos, blobs, and the types the stream format can load) as bytes.
#include "storage/value.h"

#include <cstdint>
#include <string>

namespace tarvena::fieldvalue {

enum class Storage
{
    Integer,
    Float,
    Boolean,
    Bytes
};

Storage storageOf(FieldType type);
bool isDateTime(FieldType type); // Date, Time, DateTime
bool isBinary(FieldType type);   // blob-like types that have no text to show
// Bytes an editor accepts by default: digits and signs for whole numbers, plus "E", "e" and the
// decimal point for floats; empty (anything) for the other types.
std::string defaultValidChars(FieldType type);

// Converts v to what a field of this type and size stores: whole numbers checked against the type's
// range, floats rounded to whole numbers for integer types (halves away from zero), text parsed with
// the fixed regional settings, strings cut to size (fixed strings padded with spaces to size). Empty
// text assigned to a number, date or boolean field makes it null. Throws Error naming fieldName.
Value toStored(FieldType type, int size, const Value &v, const std::string &fieldName);
// The same, taking the bytes of v over instead of copying them where they are stored as they are.
Value toStored(FieldType type, int size, Value &&v, const std::string &fieldName);

// Reading a stored value in another form; null reads as 0, false or "". Text that does not convert
// throws Error.
std::int64_t toInt64(const Value &v);
double toDouble(const Value &v);
bool toBool(const Value &v);
// The default text of a value: decimal digits, the general float format, dates in the fixed formats,
// "True"/"False", bytes as stored.
std::string toText(FieldType type, const Value &v);

// Equality and order of two values of one field: null first, numbers numerically, text by the Russian
// collation (case folded through the code page's lower-case table when caseInsensitive).
int compare(const Value &a, const Value &b, bool caseInsensitive);
bool equalText(const std::string &a, const std::string &b, bool caseInsensitive);

// A value normalised for hashing and equality across integer and integral float forms.
Value normalizedKey(const Value &v);
struct KeyHash
{
    std::size_t operator()(const Value &v) const;
};

} // namespace tarvena::fieldvalue
