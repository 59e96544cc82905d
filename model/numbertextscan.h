#pragma once
// Small text scanners shared by the number and the date formatting: digits, spaces, whole numbers
// written with leading zeros.
#include <charconv>
#include <cstddef>
#include <string>
#include <string_view>

namespace tarvena::numfmt::scan {

template <typename Int> std::string intText(Int v, int width = 0)
{
    char buf[32];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v);
    std::string s(buf, end);
    if (static_cast<int>(s.size()) < width)
        s.insert(0, width - s.size(), '0');
    return s;
}

inline bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

inline std::string_view trimSpaces(std::string_view s)
{
    auto space = [](char c) { return c == ' ' || c == '\t'; };
    while (!s.empty() && space(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && space(s.back()))
        s.remove_suffix(1);
    return s;
}

inline std::size_t skipDigits(std::string_view s, std::size_t i)
{
    while (i < s.size() && isDigit(s[i]))
        ++i;
    return i;
}

} // namespace tarvena::numfmt::scan
