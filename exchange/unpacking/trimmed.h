#pragma once
#include <string>
#include <string_view>

namespace tarvena {

// The text without the blanks and control characters at both ends, as names taken from a passport
// are cleaned before they reach a sheet or a folder name.
inline std::string trimmed(std::string_view text)
{
    const auto blank = [](unsigned char c) { return c <= ' '; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return std::string(text);
}

} // namespace tarvena
