#include "storage/gzipformat.h"

#include "storage/error.h"
#include "storage/gzip.h"
#include "storage/stream.h"

namespace tarvena {

void gzipCompressHook(Stream &uncompressed, Stream &out)
{
    uncompressed.seek(0);
    // A member cut short must not pass for a saved table.
    if (TGzip().Compress(uncompressed, out) != TGzip::Ok)
        throw Error("Stream write error");
}

void gzipDecompressHook(Stream &in, Stream &out)
{
    // Damaged data only ends the output early; the table stream reader then meets the short or
    // broken stream and reports it.
    if (TGzip().Decompress(in, out) != TGzip::Ok)
        throw Error("Stream read error");
}

std::unique_ptr<TableStreamFormat> makeStreamFormat1()
{
    auto format = std::make_unique<TableStreamFormat>();
    format->setBufferSize(16384);
    format->RawBlobs = false;
    format->compress = gzipCompressHook;
    format->decompress = gzipDecompressHook;
    return format;
}

std::unique_ptr<TableStreamFormat> makeStreamFormat2()
{
    auto format = std::make_unique<TableStreamFormat>();
    format->setBufferSize(65536);
    format->RawBlobs = true;
    return format;
}

} // namespace tarvena
