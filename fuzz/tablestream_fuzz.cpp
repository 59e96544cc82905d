// libFuzzer target for the table stream reader. The first input byte picks the format: bit 0 raw
// blobs, bit 1 the gzip decompression hook, bit 2 a table that already has fields (so an empty
// definitions list keeps them). Whatever loads must save, and the saved form must load and save
// to the same bytes again.
#include "model/memtable.h"
#include "model/tablestreamio.h"
#include "storage/error.h"
#include "storage/gzipformat.h"
#include "storage/stream.h"
#include "storage/tablestream.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

using namespace tarvena;

namespace {

std::vector<std::uint8_t> saveAll(MemTable &table, const TableStreamFormat &format)
{
    MemoryStream out;
    saveTable(format, table, out);
    return out.bytes();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::uint8_t mode = data[0];
    TableStreamFormat format;
    format.RawBlobs = (mode & 1) != 0;
    if (mode & 2)
        format.decompress = gzipDecompressHook;

    MemTable table("FUZZ");
    if (mode & 4) {
        table.addField("ID", FieldType::Integer);
        table.addField("NAME", FieldType::String, 8);
        table.addField("LOOKED", FieldType::String, 8, StoredFieldKind::Calculated);
        table.addField("CONTENT", FieldType::Blob);
        table.Open();
    }
    MemoryStream input(std::vector<std::uint8_t>(data + 1, data + size));
    try {
        loadTable(format, table, input);
    } catch (const Error &) {
        return 0; // refused cleanly; any other exception is a finding
    }

    TableStreamFormat plain;
    plain.RawBlobs = format.RawBlobs;
    const std::vector<std::uint8_t> once = saveAll(table, plain);
    MemTable again("AGAIN");
    MemoryStream reread(once);
    loadTable(plain, again, reread);
    if (saveAll(again, plain) != once)
        std::abort();
    return 0;
}
