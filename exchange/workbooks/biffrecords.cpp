#include "exchange/workbooks/biffrecords.h"

#include "storage/codepage.h"

#include <algorithm>
#include <array>
#include <string>

namespace tarvena::xls {

namespace {

// UTF-16 of every code page 1251 byte, taken once from the code page module: texts go into the
// file without a converted copy each.
const std::array<char16_t, 256> &utf16Table()
{
    static const std::array<char16_t, 256> table = [] {
        std::string bytes(256, '\0');
        for (int i = 0; i < 256; ++i)
            bytes[i] = static_cast<char>(i);
        const std::u16string units = codepage::cp1251ToUtf16(bytes);
        std::array<char16_t, 256> result{};
        std::copy_n(units.begin(), std::min<std::size_t>(units.size(), 256), result.begin());
        return result;
    }();
    return table;
}

} // namespace

FileString fileString(std::string_view cp1251)
{
    const auto &table = utf16Table();
    const bool wide = std::any_of(cp1251.begin(), cp1251.end(),
                                  [&](char c) { return table[static_cast<unsigned char>(c)] > 0xFF; });
    return {cp1251, wide};
}

void putChars(RecordWriter &w, const FileString &s, std::size_t from, std::size_t count)
{
    const auto &table = utf16Table();
    const std::string_view part = s.bytes.substr(from, count);
    std::uint8_t *out = w.extend(part.size() * (s.wide ? 2 : 1));
    if (s.wide) {
        for (char c : part) {
            RecordWriter::putLe16(out, table[static_cast<unsigned char>(c)]);
            out += 2;
        }
    } else {
        for (char c : part)
            *out++ = static_cast<std::uint8_t>(table[static_cast<unsigned char>(c)]);
    }
}

void putShortString(RecordWriter &w, std::string_view cp1251)
{
    const FileString s = fileString(cp1251);
    w.u8(static_cast<std::uint8_t>(s.size()));
    w.u8(s.wide ? 1 : 0);
    putChars(w, s, 0, s.size());
}

} // namespace tarvena::xls
