#pragma once
// TableStreamFormat: writes a MemTable as a table stream ("TPF0", field definitions, index
// definitions, data type header, rows of tagged values) and reads one back. A format may pass the
// whole stream through a compression hook on save and a decompression hook on load.
#include <cstddef>
#include <functional>
#include <memory>

namespace tarvena {

class MemTable;
class Stream;

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

    // Receives the finished uncompressed stream and writes its compressed form to out.
    std::function<void(MemTable &, Stream &uncompressed, Stream &out)> compress;
    // Fills out (empty) with the uncompressed form of in (positioned at 0).
    std::function<void(MemTable &, Stream &in, Stream &out)> decompress;

    // Writes every stored record of the table, whatever filter is in force, in its current order,
    // starting at the stream's current position.
    void save(MemTable &table, Stream &out) const;
    // Reads from offset 0 of in. A non-empty definitions list replaces the table's fields; rows are
    // appended without table events. On failure the fields and rows read so far stay.
    void load(MemTable &table, Stream &in) const;

private:
    std::size_t mBufferSize = kMinBufferSize;
};

// The data module's two configured formats (defined with their gzip hooks in gzipformat.cpp).
// Stream format 1: the whole stream passes through one gzip member; blobs are written as texts.
std::unique_ptr<TableStreamFormat> makeStreamFormat1();
// Stream format 2: plain, blobs as a length and raw bytes (attachments are compressed already).
std::unique_ptr<TableStreamFormat> makeStreamFormat2();

} // namespace tarvena
