#pragma once
// One gzip member as the program writes it: the fixed 10-byte header, raw deflate data and the trailer
// of CRC-32 and length. Shared by the writer, which compresses whole pieces with libdeflate, and the
// reader, which inflates with zlib.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace tarvena::gzipmember {

// Modification time, extra flags and operating system are all zero, so equal data gives equal bytes.
inline constexpr std::uint8_t kHeader[10] = {0x1F, 0x8B, 0x08, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
inline constexpr std::size_t kTrailerSize = 8;

// The member of count bytes at data: header, deflate data as small as zlib's level 9 gives or
// smaller, trailer.
std::vector<std::uint8_t> compressed(const std::uint8_t *data, std::size_t count);

} // namespace tarvena::gzipmember
