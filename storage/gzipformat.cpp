#include "storage/gzipformat.h"

#include "storage/error.h"
#include "storage/gzip.h"
#include "storage/stream.h"

#include <algorithm>
#include <string>

namespace tarvena {

std::unique_ptr<WriteFilter> gzipCompressHook(Stream &out)
{
    // A member cut short must not pass for a saved table: finish() throws then.
    return std::make_unique<GzipWriter>(out);
}

std::unique_ptr<Stream> gzipDecompressHook(Stream &in)
{
    // Damaged data only ends the content early; the table stream reader then meets the short or
    // broken stream and reports it. A table takes a few times its compressed size; content far beyond
    // that is a decompression bomb, refused before it fills the memory.
    const std::int64_t packed = std::max<std::int64_t>(in.size() - in.position(), 0);
    const std::uint64_t limit =
        std::max(kMinInflateLimit, static_cast<std::uint64_t>(packed) * kMaxInflateRatio);
    return std::make_unique<GzipReader>(in, limit,
                                        "Таблица файла после распаковки превышает " +
                                            std::to_string(limit >> 20) + " МБ: файл повреждён.");
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
