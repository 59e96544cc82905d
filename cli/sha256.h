#pragma once
// SHA-256 digests of blob values in the passport dump.
#include <string>
#include <string_view>

namespace tarvena::cli {

// Lower-case hexadecimal SHA-256 of bytes.
std::string sha256Hex(std::string_view bytes);

} // namespace tarvena::cli
