#pragma once
// The gzip hooks of stream format 1; makeStreamFormat1 and makeStreamFormat2 (tablestream.h) are
// defined beside them.
#include "storage/tablestream.h"

namespace tarvena {

// Compresses the whole uncompressed stream, from position 0, into one gzip member appended to out.
// A member that could not be written completely is "Stream write error".
void gzipCompressHook(Stream &uncompressed, Stream &out);
// Appends the content of the gzip data in `in` to out; input that is not gzip is copied unchanged.
void gzipDecompressHook(Stream &in, Stream &out);

} // namespace tarvena
