#pragma once
// The gzip hooks of stream format 1; makeStreamFormat1 and makeStreamFormat2 (tablestream.h) are
// defined beside them.
#include "storage/tablestream.h"

#include <cstdint>
#include <memory>

namespace tarvena {

// A writer of one gzip member appended to out; a member that could not be written completely is
// "Stream write error" when it is finished.
std::unique_ptr<WriteFilter> gzipCompressHook(Stream &out);
// Reads the content of the gzip data in `in` as it inflates; input that is not gzip passes unchanged.
// The content may not pass kMaxInflateRatio times the input's size (and at least kMinInflateLimit).
std::unique_ptr<Stream> gzipDecompressHook(Stream &in);

constexpr std::uint64_t kMaxInflateRatio = 32;
constexpr std::uint64_t kMinInflateLimit = std::uint64_t{32} << 20;

} // namespace tarvena
