#pragma once
// TableStreamFormat: the table stream ("TPF0", field definitions, index definitions, data type header,
// rows of tagged values), written from a TableStreamSource and read into a TableStreamTarget. A format
// may pass the whole stream through a compression hook on save and a decompression hook on load.
#include "storage/value.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tarvena {

class Stream;
class WriteFilter;

// One field definition as the stream carries it. A label equal to the name and a display width equal
// to the type's default are what a field without them gets: the reader gives them as empty and 0.
struct StreamFieldDefinition
{
    std::string name;
    FieldType type = FieldType::Unknown;
    int size = 0;
    std::string label;
    std::string editMask;
    int displayWidth = 0; // 0: the type's default
    bool required = false;
    bool readOnly = false;
    StoredFieldKind kind = StoredFieldKind::Data;
    std::string defaultExpression;
};

// A stored field's place: the index of its value in a row, and its type.
struct StreamColumn
{
    std::size_t valueIndex;
    FieldType type;
};

// One row as the writer reads it: values by their index in the row, texts and blobs in place.
class StreamRow
{
public:
    virtual ~StreamRow() = default;
    virtual bool isNull(std::size_t valueIndex) const = 0;
    // The bytes of a text or blob value where the row holds them, else null.
    virtual const std::string *bytes(std::size_t valueIndex) const = 0;
    virtual Value value(std::size_t valueIndex) const = 0;
    virtual int status() const = 0;
};

// What the writer reads a table from.
class TableStreamSource
{
public:
    virtual ~TableStreamSource() = default;
    // The written fields in field order; valueIndex in columns() says where a row holds each value.
    virtual std::vector<StreamFieldDefinition> definitions() const = 0;
    virtual std::vector<StreamColumn> columns() const = 0;
    // Visits every row to be written.
    virtual void forEachRow(const std::function<void(const StreamRow &row)> &visit) const = 0;
    // A value held in another form than its field's type encodes (text in a number field, a number in
    // a text field), converted the way the table engine converts it.
    virtual std::int64_t integerOf(const Value &value) const = 0;
    virtual double floatOf(const Value &value) const = 0;
    virtual std::string textOf(const Value &value) const = 0;
};

// What the reader fills.
class TableStreamTarget
{
public:
    virtual ~TableStreamTarget() = default;
    // Before the first of a non-empty definitions list: the table's fields go.
    virtual void clearFields() = 0;
    virtual void addField(const StreamFieldDefinition &definition) = 0;
    // After the definitions: the table takes rows from here on.
    virtual void beginRows() = 0;
    // The stored fields the rows' values go to, in order; empty when the table has none.
    virtual std::vector<StreamColumn> columns() const = 0;
    // How many values a row holds (at least every valueIndex + 1).
    virtual std::size_t valueCount() const = 0;
    virtual void reserveRows(std::size_t count) = 0;
    virtual void appendRow(std::vector<Value> values, int status) = 0;
};

class TableStreamFormat
{
public:
    static constexpr std::size_t kMinBufferSize = 16384;
    // The stream version written; older versions are read too.
    static constexpr int kVersion = 251;

    std::size_t bufferSize() const { return mBufferSize; }
    // Values below kMinBufferSize are raised to it; the buffer batches reads and writes only.
    void setBufferSize(std::size_t size) { mBufferSize = size < kMinBufferSize ? kMinBufferSize : size; }

    // true: blob values are a length and the raw bytes; false: they are written as texts.
    bool RawBlobs = false;

    // A writer of the compressed form into out, which the table stream is written into as it is made.
    std::function<std::unique_ptr<WriteFilter>(Stream &out)> compress;
    // A reader of the uncompressed form of in (positioned at 0), which the table stream is parsed from
    // as its bytes arrive.
    std::function<std::unique_ptr<Stream>(Stream &in)> decompress;

    // Writes the source's definitions and rows, starting at the stream's current position.
    void save(const TableStreamSource &table, Stream &out) const;
    // Reads from offset 0 of in. A non-empty definitions list replaces the target's fields; rows are
    // appended. On failure the fields and rows read so far stay.
    void load(TableStreamTarget &table, Stream &in) const;

private:
    std::size_t mBufferSize = kMinBufferSize;
};

// The default display width of a field of this type and size.
int defaultDisplayWidth(FieldType type, int size);

// The data module's two configured formats (defined with their gzip hooks in gzipformat.cpp).
// Stream format 1: the whole stream passes through one gzip member; blobs are written as texts.
std::unique_ptr<TableStreamFormat> makeStreamFormat1();
// Stream format 2: plain, blobs as a length and raw bytes (attachments are compressed already).
std::unique_ptr<TableStreamFormat> makeStreamFormat2();

} // namespace tarvena
