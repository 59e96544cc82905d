#pragma once
// The compound document container (version 3, 512-byte sectors) that holds a workbook: one stream
// under the root storage, with the allocation table, its extension sectors for large streams, and
// the directory.
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace tarvena::xls {

// Streams shorter than this would belong in the container's mini stream. The writer has none: it
// pads a shorter stream with zero bytes to this size, which a workbook stream tolerates after its
// last record.
constexpr std::size_t MiniStreamCutoff = 4096;

// Writes a container with one stream named streamName (ASCII, up to 31 characters) holding data,
// padded to MiniStreamCutoff when shorter. Throws Error when the stream cannot be written.
void writeCompoundFile(std::ostream &out, const std::string &streamName,
                       const std::vector<std::uint8_t> &data);

} // namespace tarvena::xls
