#include "storage/tablestream.h"

#include "storage/codepage.h"
#include "storage/error.h"
#include "storage/stream.h"
#include "storage/tablestreamtypes.h"
#include "storage/tagstream.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>
#include <vector>

namespace tarvena {

namespace {

using tablestreamtypes::Encoding;
using tablestreamtypes::kindByName;
using tablestreamtypes::typeByName;
using tablestreamtypes::typeInfo;

const char kSignature[4] = {'T', 'P', 'F', '0'};

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

std::size_t valueCountOf(const std::vector<StreamColumn> &columns)
{
    std::size_t count = 0;
    for (const StreamColumn &column : columns)
        count = std::max(count, column.valueIndex + 1);
    return count;
}

// ---- writing

void writeText(TagWriter &w, const TableStreamSource &source, const Value &value)
{
    if (const auto *s = std::get_if<std::string>(&value))
        return w.text(*s);
    w.text(source.textOf(value));
}

std::int64_t integerOf(const TableStreamSource &source, const Value &value)
{
    const auto *i = std::get_if<std::int64_t>(&value);
    return i ? *i : source.integerOf(value);
}

void writeValue(TagWriter &w, const TableStreamSource &source, FieldType type, const Value &value,
                bool rawBlobs)
{
    switch (typeInfo(type).encoding) {
    case Encoding::Text:
        return writeText(w, source, value);
    case Encoding::WideText: {
        // The wide value as UTF-8, which the text rule converts once more.
        const auto *text = std::get_if<std::string>(&value);
        return w.text(codepage::cp1251ToUtf8(text ? std::string_view(*text) : std::string_view()));
    }
    case Encoding::Integer:
        return w.integer(integerOf(source, value));
    case Encoding::Boolean:
        return w.boolean(std::get_if<bool>(&value) ? std::get<bool>(value) : integerOf(source, value) != 0);
    case Encoding::Float:
    case Encoding::Currency:
    case Encoding::DateTime: {
        const auto *d = std::get_if<double>(&value);
        return w.extendedFloat(d ? *d : source.floatOf(value));
    }
    case Encoding::LargeInt:
        return w.extendedInteger(integerOf(source, value));
    case Encoding::Blob:
        if (!rawBlobs)
            return writeText(w, source, value);
        if (const auto *s = std::get_if<std::string>(&value))
            return w.rawBytes(*s);
        return w.rawBytes({});
    }
}

// Types whose values are bytes as they are written: texts and blobs.
bool holdsBytes(FieldType type)
{
    const Encoding encoding = typeInfo(type).encoding;
    return encoding == Encoding::Text || encoding == Encoding::WideText || encoding == Encoding::Blob;
}

void writeBytes(TagWriter &w, FieldType type, const std::string &bytes, bool rawBlobs)
{
    switch (typeInfo(type).encoding) {
    case Encoding::WideText:
        return w.text(codepage::cp1251ToUtf8(bytes)); // the wide value as UTF-8, converted once more
    case Encoding::Blob:
        return rawBlobs ? w.rawBytes(bytes) : w.text(bytes);
    default:
        return w.text(bytes);
    }
}

void writeDefinition(TagWriter &w, const StreamFieldDefinition &field)
{
    w.text(field.name);
    w.text(typeInfo(field.type).name);
    w.integer(field.size);
    w.text(field.label.empty() ? field.name : field.label);
    w.text(field.editMask);
    w.integer(field.displayWidth > 0 ? field.displayWidth : defaultDisplayWidth(field.type, field.size));
    w.boolean(field.required);
    w.boolean(field.readOnly);
    w.text(tablestreamtypes::kindName(field.kind));
    w.text(field.defaultExpression);
}

void writeTable(const TableStreamSource &source, Stream &out, std::size_t bufferSize, bool rawBlobs)
{
    const std::vector<StreamFieldDefinition> definitions = source.definitions();
    const std::vector<StreamColumn> columns = source.columns();
    TagWriter w(out, bufferSize);
    w.raw(kSignature, sizeof kSignature);
    w.integer(TableStreamFormat::kVersion);

    w.beginList();
    for (const StreamFieldDefinition &definition : definitions)
        writeDefinition(w, definition);
    w.endList();

    w.beginList(); // index definitions: the program's tables have none
    w.endList();

    w.beginList();
    w.integer(static_cast<std::int64_t>(columns.size()));
    for (const StreamColumn &column : columns)
        w.integer(static_cast<int>(column.type));
    w.endList();

    w.beginList();
    source.forEachRow([&](const StreamRow &row) {
        w.beginList();
        w.integer(row.status());
        for (const StreamColumn &column : columns) {
            const bool null = row.isNull(column.valueIndex);
            w.boolean(null);
            if (null)
                continue;
            if (const std::string *bytes = row.bytes(column.valueIndex); bytes && holdsBytes(column.type))
                writeBytes(w, column.type, *bytes, rawBlobs); // in place: a blob is not copied
            else
                writeValue(w, source, column.type, row.value(column.valueIndex), rawBlobs);
        }
        w.endList();
    });
    w.endList();
    w.flush();
}

// ---- reading

int smallInteger(TagReader &r)
{
    return static_cast<int>(r.integer()); // integers in the stream are 32 bits at most
}

StreamFieldDefinition readDefinition(TagReader &r, const Layout &layout)
{
    StreamFieldDefinition d;
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
    // A label equal to the name and the type's own width are what the writer gives a field that has
    // neither; they come back unset so the field reads like one defined in code.
    if (d.label == d.name)
        d.label.clear();
    if (d.displayWidth == defaultDisplayWidth(d.type, d.size))
        d.displayWidth = 0;
    return d;
}

// Returns true when the definitions replaced the table's fields.
bool readDefinitions(TagReader &r, TableStreamTarget &table, const Layout &layout)
{
    r.beginList();
    bool replaced = false;
    while (!r.endOfList()) {
        const StreamFieldDefinition d = readDefinition(r, layout);
        if (!replaced) {
            table.clearFields();
            replaced = true;
        }
        table.addField(d);
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

// Currency keeps four decimals as fixed point: the value read becomes N / 10000, N the whole number
// nearest to value x 10000, and a value read back must round to itself. Below 1e11 the rounded product
// is exact enough for that; up to 2^39 the product's own rounding error is taken into account; from
// 2^39 on the steps between doubles are 1/10000 or wider, so every double already is its own rounding.
double currency(double value)
{
    constexpr double kScale = 10000;
    constexpr double kPlainLimit = 1e11;
    constexpr double kOwnRounding = 549755813888.0; // 2^39
    const double magnitude = std::fabs(value);
    if (magnitude < kPlainLimit)
        return std::round(value * kScale) / kScale;
    if (!(magnitude < kOwnRounding)) // also infinities and NaN
        return value;
    const double product = value * kScale;
    const double error = std::fma(value, kScale, -product); // product + error is the exact product
    double whole = std::floor(product);
    double fraction = (product - whole) + error;
    if (fraction >= 1) {
        whole += 1;
        fraction -= 1;
    } else if (fraction < 0) {
        whole -= 1;
        fraction += 1;
    }
    if (fraction > 0.5 || (fraction == 0.5 && value > 0)) // halves away from zero
        whole += 1;
    return whole / kScale;
}

class RowReader
{
public:
    RowReader(TagReader &r, const std::vector<StreamColumn> &columns, std::size_t valueCount,
              const Layout &layout, bool rawBlobs)
        : mReader(r), mLayout(layout), mRawBlobs(rawBlobs),
          mValueCount(std::max(valueCount, valueCountOf(columns)))
    {
        for (const StreamColumn &column : columns)
            mSlots.push_back({column.valueIndex, typeInfo(column.type).encoding});
    }

    void readRows(TableStreamTarget &table)
    {
        mReader.beginList();
        const std::uint64_t start = mReader.remaining();
        std::size_t rows = 0;
        while (!mReader.endOfList()) {
            if (++rows == kSampleRows)
                reserveRows(table, start - mReader.remaining());
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
            table.appendRow(std::move(values), status >= 0 && status <= 3 ? status : 0);
        }
    }

private:
    struct Slot
    {
        std::size_t index;
        Encoding encoding;
    };
    static constexpr std::size_t kSampleRows = 64;

    // Room for the rows the input still holds, judged by the bytes of the first rows, once: the
    // records then grow in one step instead of doubling (and never by more than the input can hold).
    void reserveRows(TableStreamTarget &table, std::uint64_t sampleBytes)
    {
        if (!mReader.sizeKnown() || sampleBytes == 0)
            return;
        const std::uint64_t expected = mReader.remaining() * (kSampleRows - 1) / sampleBytes;
        table.reserveRows(static_cast<std::size_t>(kSampleRows + expected + expected / 50));
    }

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

void readTable(TableStreamTarget &table, Stream &in, std::size_t bufferSize, bool rawBlobs)
{
    TagReader r(in, bufferSize);
    if (r.bytes(sizeof kSignature) != std::string_view(kSignature, sizeof kSignature))
        throw Error("Invalid stream format");
    Layout layout{100}; // a list right after the signature: no version integer
    if (r.peek() != tag::BeginList)
        layout.version = smallInteger(r);

    readDefinitions(r, table, layout);
    table.beginRows();
    if (layout.indexDefinitions())
        skipIndexDefinitions(r);
    const std::vector<StreamColumn> columns = table.columns();
    if (columns.empty())
        throw Error("Couldnt determine field count for load.");
    skipTypeHeader(r);
    RowReader(r, columns, table.valueCount(), layout, rawBlobs).readRows(table);
    r.finish();
}
} // namespace

int defaultDisplayWidth(FieldType type, int size)
{
    const int width = typeInfo(type).displayWidth;
    return width < 0 ? size : width;
}

void TableStreamFormat::save(const TableStreamSource &table, Stream &out) const
{
    if (!compress) {
        writeTable(table, out, mBufferSize, RawBlobs);
        return;
    }
    const std::unique_ptr<WriteFilter> packed = compress(out);
    writeTable(table, *packed, mBufferSize, RawBlobs);
    packed->finish();
}

void TableStreamFormat::load(TableStreamTarget &table, Stream &in) const
{
    in.seek(0);
    if (!decompress) {
        readTable(table, in, mBufferSize, RawBlobs);
        return;
    }
    const std::unique_ptr<Stream> plain = decompress(in);
    readTable(table, *plain, mBufferSize, RawBlobs);
}

} // namespace tarvena
