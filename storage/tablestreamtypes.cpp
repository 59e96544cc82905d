#include "storage/tablestreamtypes.h"

#include "storage/codepage.h"
#include "storage/error.h"

#include <array>

namespace tarvena::tablestreamtypes {

namespace {

// Indexed by type code.
const std::array<TypeInfo, 38> kTypes = {{
    {"Unknown", Encoding::Text, 10, true},
    {"String", Encoding::Text, -1},
    {"SmallInt", Encoding::Integer, 10},
    {"Integer", Encoding::Integer, 10},
    {"Word", Encoding::Integer, 10},
    {"Boolean", Encoding::Boolean, 5},
    {"Float", Encoding::Float, 10},
    {"Currency", Encoding::Currency, 10},
    {"BCD", Encoding::Currency, 10},
    {"Date", Encoding::DateTime, 10},
    {"Time", Encoding::DateTime, 10},
    {"DateTime", Encoding::DateTime, 18},
    {"Bytes", Encoding::Text, 10},
    {"VarBytes", Encoding::Text, 10},
    {"AutoInc", Encoding::Integer, 10},
    {"Blob", Encoding::Blob, 10},
    {"Memo", Encoding::Text, 10},
    {"Graphic", Encoding::Text, 10},
    {"FmtMemo", Encoding::Text, 10},
    {"ParadoxOle", Encoding::Text, 10},
    {"dBaseOle", Encoding::Text, 10},
    {"TypedBinary", Encoding::Text, 10},
    {"Cursor", Encoding::Text, 10, true},
    {"FixedChar", Encoding::Text, -1},
    {"WideString", Encoding::WideText, -1},
    {"LargeInt", Encoding::LargeInt, 15},
    {"ADT", Encoding::Text, 10},
    {"Array", Encoding::Text, 10},
    {"Reference", Encoding::Text, 10, true},
    {"DataSet", Encoding::Text, 10, true},
    {"HugeBlob", Encoding::Text, 10},
    {"HugeClob", Encoding::Text, 10},
    {"Variant", Encoding::Text, 10, true},
    {"Interface", Encoding::Text, 10, true},
    {"Dispatch", Encoding::Text, 10, true},
    {"Guid", Encoding::Text, -1},
    {"SQLTimeStamp", Encoding::Text, 10},
    {"FMTBcdField", Encoding::Text, 10},
}};

const std::array<const char *, 5> kKindNames = {"Data", "Calculated", "Lookup", "InternalCalc", "Aggregate"};

} // namespace

const TypeInfo &typeInfo(FieldType type)
{
    const auto code = static_cast<std::size_t>(type);
    return code < kTypes.size() ? kTypes[code] : kTypes[0];
}

const char *kindName(StoredFieldKind kind)
{
    const auto index = static_cast<std::size_t>(kind);
    return index < kKindNames.size() ? kKindNames[index] : kKindNames[0];
}

FieldType typeByName(const std::string &name)
{
    for (std::size_t code = 0; code < kTypes.size(); ++code)
        if (name == kTypes[code].name && !kTypes[code].refusedOnLoad)
            return static_cast<FieldType>(code);
    throw Error("Unknown field type (" + codepage::cp1251ToUtf8(name) + ")");
}

StoredFieldKind kindByName(std::string_view name)
{
    for (std::size_t kind = 0; kind < kKindNames.size(); ++kind)
        if (name == kKindNames[kind])
            return static_cast<StoredFieldKind>(kind);
    return StoredFieldKind::Data;
}

} // namespace tarvena::tablestreamtypes
