#pragma once
// The field types and kinds of the table stream by their codes and stored names: how each type's
// values are encoded, its default display width, and which codes a stored table may not use.
#include "storage/value.h"

#include <string>
#include <string_view>

namespace tarvena::tablestreamtypes {

// How a non-null value of a type is encoded.
enum class Encoding
{
    Text,
    WideText,
    Integer,
    Boolean,
    Float,
    Currency,
    DateTime,
    LargeInt,
    Blob
};

struct TypeInfo
{
    const char *name;
    Encoding encoding;
    int displayWidth; // default width; -1: the field's size
    bool refusedOnLoad = false;
};

// The entry of a type code; an unknown code reads as the "Unknown" entry.
const TypeInfo &typeInfo(FieldType type);
// The stored name of a field kind.
const char *kindName(StoredFieldKind kind);
// The type a stored name means (throws Error for an unknown or refused name).
FieldType typeByName(const std::string &name);
// The kind a stored name means; an unknown name is a data field.
StoredFieldKind kindByName(std::string_view name);

} // namespace tarvena::tablestreamtypes
