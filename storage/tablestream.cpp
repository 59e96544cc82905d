#include "storage/tablestream.h"

#include "model/fieldvalue.h"

#include "model/memtable.h"
#include "model/numberformat.h"
#include "storage/codepage.h"
#include "storage/error.h"
#include "storage/platformfile.h"
#include "storage/stream.h"
#include "storage/tagstream.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <memory>
#include <string_view>
#include <vector>

namespace tarvena {

namespace {
const char kSignature[4] = {'T', 'P', 'F', '0'};

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

// The part of the stream a version has, by the first version that has it.
struct Layout
{
    int version;
    bool indexDefinitions() const { return version >= 200; }
    bool rowLists() const { return version >= 230; }
    bool nullFlags() const { return version >= 249; }
    bool kindNames() const { return version >= 250; }
    bool defaultExpressions() const { return version >= 251; }
};

const TypeInfo &typeInfo(FieldType type)
{
    const auto code = static_cast<std::size_t>(type);
    return code < kTypes.size() ? kTypes[code] : kTypes[0];
}

// Fields whose values the records hold and the stream carries, in field order.
std::vector<Field *> storedFields(const MemTable &table)
{
    std::vector<Field *> fields;
    for (int i = 0; i < table.FieldCount(); ++i) {
        Field &field = table.fieldAt(i);
        if (field.dataIndex() >= 0)
            fields.push_back(&field);
    }
    return fields;
}

std::size_t storedValueCount(const std::vector<Field *> &fields)
{
    std::size_t count = 0;
    for (const Field *field : fields)
        count = std::max(count, static_cast<std::size_t>(field->dataIndex()) + 1);
    return count;
}

// ---- writing

void writeText(TagWriter &w, const Value &value)
{
    if (const auto *s = std::get_if<std::string>(&value))
        return w.text(*s);
    if (const auto *i = std::get_if<std::int64_t>(&value))
        return w.text(std::to_string(*i));
    if (const auto *d = std::get_if<double>(&value))
        return w.text(numfmt::floatToText(*d));
    if (const auto *b = std::get_if<bool>(&value))
        return w.text(*b ? "True" : "False");
    w.text({});
}

void writeValue(TagWriter &w, const Field &field, const Value &value, bool rawBlobs)
{
    switch (typeInfo(field.DataType()).encoding) {
    case Encoding::Text:
        return writeText(w, value);
    case Encoding::WideText: {
        // The wide value as UTF-8, which the text rule converts once more.
        const auto *text = std::get_if<std::string>(&value);
        return w.text(codepage::cp1251ToUtf8(text ? std::string_view(*text) : std::string_view()));
    }
    case Encoding::Integer:
        return w.integer(fieldvalue::toInt64(value));
    case Encoding::Boolean:
        return w.boolean(std::get_if<bool>(&value) ? std::get<bool>(value) : fieldvalue::toInt64(value) != 0);
    case Encoding::Float:
    case Encoding::Currency:
    case Encoding::DateTime:
        return w.extendedFloat(fieldvalue::toDouble(value));
    case Encoding::LargeInt:
        return w.extendedInteger(fieldvalue::toInt64(value));
    case Encoding::Blob:
        if (!rawBlobs)
            return writeText(w, value);
        if (const auto *s = std::get_if<std::string>(&value))
            return w.rawBytes(*s);
        return w.rawBytes({});
    }
}

int displayWidth(const Field &field)
{
    if (field.DisplayWidth > 0)
        return field.DisplayWidth;
    const int width = typeInfo(field.DataType()).displayWidth;
    return width < 0 ? field.Size() : width;
}

void writeDefinition(TagWriter &w, const Field &field)
{
    w.text(field.FieldName());
    w.text(typeInfo(field.DataType()).name);
    w.integer(field.Size());
    w.text(field.DisplayLabel.empty() ? field.FieldName() : field.DisplayLabel);
    w.text(field.EditMask);
    w.integer(displayWidth(field));
    w.boolean(field.Required);
    w.boolean(field.ReadOnly);
    const auto kind = static_cast<std::size_t>(field.Kind());
    w.text(kind < kKindNames.size() ? kKindNames[kind] : kKindNames[0]);
    w.text(field.DefaultExpression);
}

void writeTable(const MemTable &table, Stream &out, std::size_t bufferSize, bool rawBlobs)
{
    const std::vector<Field *> fields = storedFields(table);
    TagWriter w(out, bufferSize);
    w.raw(kSignature, sizeof kSignature);
    w.integer(TableStreamFormat::kVersion);

    w.beginList();
    for (const Field *field : fields)
        writeDefinition(w, *field);
    w.endList();

    w.beginList(); // index definitions: the program's tables have none
    w.endList();

    w.beginList();
    w.integer(static_cast<std::int64_t>(fields.size()));
    for (const Field *field : fields)
        w.integer(static_cast<int>(field->DataType()));
    w.endList();

    // Every stored record, whatever the filter, in the current order.
    w.beginList();
    table.forEachStoredInOrder([&](const std::vector<Value> &values, int status) {
        w.beginList();
        w.integer(status);
        for (const Field *field : fields) {
            const auto at = static_cast<std::size_t>(field->dataIndex());
            const bool null = at >= values.size() || isNull(values[at]);
            w.boolean(null);
            if (!null)
                writeValue(w, *field, values[at], rawBlobs);
        }
        w.endList();
    });
    w.endList();
    w.flush();
}

// ---- reading

struct Definition
{
    std::string name;
    FieldType type = FieldType::Unknown;
    int size = 0;
    std::string label;
    std::string editMask;
    int displayWidth = 0;
    bool required = false;
    bool readOnly = false;
    FieldKind kind = FieldKind::Data;
    std::string defaultExpression;
};

FieldType typeByName(const std::string &name)
{
    for (std::size_t code = 0; code < kTypes.size(); ++code)
        if (name == kTypes[code].name && !kTypes[code].refusedOnLoad)
            return static_cast<FieldType>(code);
    throw Error("Unknown field type (" + codepage::cp1251ToUtf8(name) + ")");
}

FieldKind kindByName(std::string_view name)
{
    for (std::size_t kind = 0; kind < kKindNames.size(); ++kind)
        if (name == kKindNames[kind])
            return static_cast<FieldKind>(kind);
    return FieldKind::Data;
}

int smallInteger(TagReader &r)
{
    return static_cast<int>(r.integer()); // integers in the stream are 32 bits at most
}

Definition readDefinition(TagReader &r, const Layout &layout)
{
    Definition d;
    d.name = r.text();
    const std::string typeName = r.text();
    d.size = smallInteger(r);
    d.label = r.text();
    d.editMask = r.text();
    d.displayWidth = smallInteger(r);
    d.required = r.boolean();
    d.readOnly = r.boolean();
    if (layout.kindNames())
        d.kind = kindByName(r.text());
    if (layout.defaultExpressions())
        d.defaultExpression = r.text();
    d.type = typeByName(typeName);
    if (d.size < 0)
        throw Error("Invalid property value");
    return d;
}

void addField(MemTable &table, const Definition &d)
{
    Field &field = table.addField(d.name, d.type, d.size, d.kind);
    // A label equal to the name and the type's own width are what the writer gives a field that
    // has neither; keep them unset so the field reads like one defined in code.
    field.DisplayLabel = d.label == d.name ? std::string() : d.label;
    field.EditMask = d.editMask;
    field.Required = d.required;
    field.ReadOnly = d.readOnly;
    field.DefaultExpression = d.defaultExpression;
    field.DisplayWidth = 0;
    if (d.displayWidth != displayWidth(field))
        field.DisplayWidth = d.displayWidth;
}

// Returns true when the definitions replaced the table's fields.
bool readDefinitions(TagReader &r, MemTable &table, const Layout &layout)
{
    r.beginList();
    bool replaced = false;
    while (!r.endOfList()) {
        const Definition d = readDefinition(r, layout);
        if (!replaced) {
            table.Close();
            table.clearFields();
            replaced = true;
        }
        addField(table, d);
    }
    return replaced;
}

// The program's tables keep no index definitions: they are read and dropped.
void skipIndexDefinitions(TagReader &r)
{
    r.beginList();
    while (!r.endOfList()) {
        for (int i = 0; i < 3; ++i) // name, fields, display name
            r.text();
        for (int i = 0; i < 4; ++i) // descending, case-insensitive, non-maintained, unique
            r.boolean();
    }
}

void skipTypeHeader(TagReader &r)
{
    r.beginList();
    const std::int64_t count = r.integer();
    for (std::int64_t i = 0; i < count; ++i)
        r.integer();
    r.endList();
}

// Currency keeps four decimals as fixed point. Beyond 1e11 a double has no four decimals left to keep,
// and rounding there would no longer give back the same value on the next save and load.
double currency(double value)
{
    constexpr double kScale = 10000;
    constexpr double kExactLimit = 1e11;
    return std::fabs(value) < kExactLimit ? std::round(value * kScale) / kScale : value;
}

class RowReader
{
public:
    RowReader(TagReader &r, const std::vector<Field *> &fields, const Layout &layout, bool rawBlobs)
        : mReader(r), mLayout(layout), mRawBlobs(rawBlobs), mValueCount(storedValueCount(fields))
    {
        for (const Field *field : fields)
            mSlots.push_back(
                {static_cast<std::size_t>(field->dataIndex()), typeInfo(field->DataType()).encoding});
    }

    void readRows(MemTable &table)
    {
        mReader.beginList();
        while (!mReader.endOfList()) {
            int status = 0;
            if (mLayout.rowLists()) {
                mReader.beginList();
                status = smallInteger(mReader);
            }
            std::vector<Value> values(mValueCount);
            readValues(values);
            if (mLayout.rowLists()) {
                // Older versions of the row, chained behind it: read and dropped.
                while (!mReader.endOfList()) {
                    mReader.integer();
                    mOlder.assign(mValueCount, Value());
                    readValues(mOlder);
                }
            }
            table.appendStoredRecord(std::move(values), status >= 0 && status <= 3 ? status : 0);
        }
    }

private:
    struct Slot
    {
        std::size_t index;
        Encoding encoding;
    };

    void readValues(std::vector<Value> &values)
    {
        for (const Slot &slot : mSlots) {
            if (mLayout.nullFlags() && mReader.boolean())
                continue;
            values[slot.index] = readValue(slot.encoding);
        }
    }

    Value readValue(Encoding encoding)
    {
        switch (encoding) {
        case Encoding::Text:
            return Value(mReader.text());
        case Encoding::WideText:
            return Value(codepage::utf8ToCp1251(mReader.text()));
        case Encoding::Integer:
            return Value(mReader.integer());
        case Encoding::Boolean:
            return Value(mReader.boolean());
        case Encoding::Float:
            return Value(mReader.extendedFloat());
        case Encoding::Currency:
            return Value(currency(mReader.extendedFloat()));
        case Encoding::DateTime: {
            const double value = mReader.extendedFloat();
            return value == 0 ? Value() : Value(value); // 30.12.1899 00:00 reads as empty
        }
        case Encoding::LargeInt:
            return Value(mReader.extendedInteger());
        case Encoding::Blob:
            if (!mRawBlobs)
                return Value(mReader.text());
            std::string bytes = mReader.rawBytes();
            return bytes.empty() ? Value() : Value(std::move(bytes));
        }
        return Value();
    }

    TagReader &mReader;
    Layout mLayout;
    bool mRawBlobs;
    std::size_t mValueCount;
    std::vector<Slot> mSlots;
    std::vector<Value> mOlder;
};

// Room for the rows the input can still hold (on top of the table's own): no row is shorter than its
// null flags and list tags, and the estimate never passes the input's size.
void reserveRows(MemTable &table, const TagReader &r, std::size_t fieldCount, const Layout &layout)
{
    constexpr std::uint64_t kMinRowEstimate = 32;
    const std::uint64_t rowBytes =
        std::max<std::uint64_t>(fieldCount + (layout.rowLists() ? 3 : 0), kMinRowEstimate);
    const std::uint64_t expected = r.remaining() / rowBytes;
    table.reserveRecords(static_cast<std::size_t>(expected + expected / 50));
}

void readTable(MemTable &table, Stream &in, std::size_t bufferSize, bool rawBlobs)
{
    TagReader r(in, bufferSize);
    if (r.bytes(sizeof kSignature) != std::string_view(kSignature, sizeof kSignature))
        throw Error("Invalid stream format");
    Layout layout{100}; // a list right after the signature: no version integer
    if (r.peek() != tag::BeginList)
        layout.version = smallInteger(r);

    if (readDefinitions(r, table, layout))
        table.Open();
    if (layout.indexDefinitions())
        skipIndexDefinitions(r);
    const std::vector<Field *> fields = storedFields(table);
    if (fields.empty())
        throw Error("Couldnt determine field count for load.");
    if (!table.Active())
        table.Open();
    skipTypeHeader(r);
    reserveRows(table, r, fields.size(), layout);
    RowReader(r, fields, layout, rawBlobs).readRows(table);
    r.finish();
}

MemoryStream readWholeFile(const std::string &path)
{
    std::string reason;
    std::unique_ptr<std::FILE, int (*)(std::FILE *)> file(platform::openExclusive(path, "rb", reason),
                                                          &std::fclose);
    if (!file)
        throw Error("Не удалось открыть файл \"" + path + "\": " + reason + ".");
    MemoryStream stream;
    std::vector<std::uint8_t> &bytes = stream.bytes();
    std::size_t used = 0;
    for (;;) {
        if (used == bytes.size())
            bytes.resize(std::max<std::size_t>(bytes.size() * 2, 1 << 16));
        const std::size_t got = std::fread(bytes.data() + used, 1, bytes.size() - used, file.get());
        used += got;
        if (got == 0)
            break;
    }
    if (std::ferror(file.get()))
        throw Error("Stream read error");
    bytes.resize(used);
    return stream;
}

TableStreamFormat &formatOf(const MemTable &table)
{
    if (!table.DefaultFormat)
        throw Error("No format specified.");
    return *table.DefaultFormat;
}
} // namespace

void TableStreamFormat::save(MemTable &table, Stream &out) const
{
    if (!compress) {
        writeTable(table, out, mBufferSize, RawBlobs);
        return;
    }
    MemoryStream work;
    writeTable(table, work, mBufferSize, RawBlobs);
    work.seek(0);
    compress(table, work, out);
}

void TableStreamFormat::load(MemTable &table, Stream &in) const
{
    table.DisableControls();
    try {
        in.seek(0);
        if (decompress) {
            MemoryStream plain;
            decompress(table, in, plain);
            plain.seek(0);
            readTable(table, plain, mBufferSize, RawBlobs);
        } else {
            readTable(table, in, mBufferSize, RawBlobs);
        }
    } catch (...) {
        table.EnableControls();
        throw;
    }
    table.EnableControls();
    table.First();
}

void MemTable::SaveToStream(Stream &stream)
{
    formatOf(*this).save(*this, stream);
}

void MemTable::LoadFromStream(Stream &stream)
{
    formatOf(*this).load(*this, stream);
}

void MemTable::LoadFromFile(const std::string &path)
{
    TableStreamFormat &format = formatOf(*this);
    MemoryStream file = readWholeFile(path);
    format.load(*this, file);
}

} // namespace tarvena
