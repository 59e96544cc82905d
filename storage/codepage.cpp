#include "storage/codepage.h"

#include <algorithm>
#include <array>
#include <utility>

namespace tarvena::codepage {

namespace {

// Unicode of the bytes 0x80-0xFF of code page 1251. 0x98 is left undefined by the code page; it is
// carried as U+0098 so that any byte value survives a trip through Unicode.
constexpr std::array<char16_t, 128> kCp1251High = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F, // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457, // B8
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417, // C0
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F, // C8
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427, // D0
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F, // D8
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437, // E0
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F, // E8
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447, // F0
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F, // F8
};

// Unicode of the bytes 0x80-0xFF of the OEM code page 866.
constexpr std::array<char16_t, 128> kCp866High = {
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417, // 80
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F, // 88
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427, // 90
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F, // 98
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437, // A0
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F, // A8
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556, // B0
    0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510, // B8
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F, // C0
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567, // C8
    0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B, // D0
    0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580, // D8
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447, // E0
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F, // E8
    0x0401, 0x0451, 0x0404, 0x0454, 0x0407, 0x0457, 0x040E, 0x045E, // F0
    0x00B0, 0x2219, 0x00B7, 0x221A, 0x2116, 0x00A4, 0x25A0, 0x00A0, // F8
};

constexpr char16_t cp1251Unicode(unsigned char b)
{
    return b < 0x80 ? char16_t(b) : kCp1251High[b - 0x80];
}

// Code points of the 1251 high half, sorted, for the way back from Unicode.
constexpr auto kUnicodeTo1251 = [] {
    std::array<std::pair<char16_t, unsigned char>, 128> pairs{};
    for (int i = 0; i < 128; ++i)
        pairs[i] = {kCp1251High[i], static_cast<unsigned char>(0x80 + i)};
    std::sort(pairs.begin(), pairs.end());
    return pairs;
}();

// The byte of code page 1251 for a code point, or '?' when the code page cannot hold it.
unsigned char unicodeToCp1251(char32_t cp)
{
    if (cp < 0x80)
        return static_cast<unsigned char>(cp);
    if (cp >= 0x0410 && cp <= 0x044F)
        return static_cast<unsigned char>(cp - 0x0410 + 0xC0);
    if (cp > 0xFFFF)
        return '?';
    auto it = std::lower_bound(kUnicodeTo1251.begin(), kUnicodeTo1251.end(), char16_t(cp),
                               [](const auto &p, char16_t c) { return p.first < c; });
    return it != kUnicodeTo1251.end() && it->first == cp ? it->second : '?';
}

// Each 1251 byte as UTF-8: up to three bytes, the length in the last slot.
constexpr auto kUtf8Of1251 = [] {
    std::array<std::array<char, 4>, 256> out{};
    for (int b = 0; b < 256; ++b) {
        char16_t u = cp1251Unicode(static_cast<unsigned char>(b));
        auto &s = out[b];
        if (u < 0x80) {
            s = {char(u), 0, 0, 1};
        } else if (u < 0x800) {
            s = {char(0xC0 | (u >> 6)), char(0x80 | (u & 0x3F)), 0, 2};
        } else {
            s = {char(0xE0 | (u >> 12)), char(0x80 | ((u >> 6) & 0x3F)), char(0x80 | (u & 0x3F)), 3};
        }
    }
    return out;
}();

// Decodes one UTF-8 character at text[i]; returns its length, or 0 when the bytes there are not
// well-formed UTF-8 (overlong forms, surrogates and values above U+10FFFF included).
std::size_t decodeUtf8(std::string_view text, std::size_t i, char32_t &cp)
{
    auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    unsigned char lead = byte(i);
    std::size_t len;
    char32_t min;
    if (lead < 0x80) {
        cp = lead;
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        len = 2, cp = lead & 0x1F, min = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        len = 3, cp = lead & 0x0F, min = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        len = 4, cp = lead & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (text.size() - i < len)
        return 0;
    for (std::size_t k = 1; k < len; ++k) {
        unsigned char c = byte(i + k);
        if ((c & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (c & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return len;
}

// Lower-case pairs of code page 1251 beyond A-Z and А-Я: capital, small.
constexpr std::pair<unsigned char, unsigned char> kOtherCapitals[] = {
    {0x80, 0x90}, {0x81, 0x83}, {0x8A, 0x9A}, {0x8C, 0x9C}, {0x8D, 0x9D},
    {0x8E, 0x9E}, {0x8F, 0x9F}, {0xA1, 0xA2}, {0xA3, 0xBC}, {0xA5, 0xB4},
    {0xA8, 0xB8}, {0xAA, 0xBA}, {0xAF, 0xBF}, {0xB2, 0xB3}, {0xBD, 0xBE},
};

constexpr auto kLower = [] {
    std::array<unsigned char, 256> t{};
    for (int b = 0; b < 256; ++b)
        t[b] = static_cast<unsigned char>(b);
    for (int b = 'A'; b <= 'Z'; ++b)
        t[b] = static_cast<unsigned char>(b + 0x20);
    for (int b = 0xC0; b <= 0xDF; ++b)
        t[b] = static_cast<unsigned char>(b + 0x20);
    for (auto [capital, small] : kOtherCapitals)
        t[capital] = small;
    return t;
}();

// 1251 characters that code page 866 lacks, written as the nearest look-alike that it has; the
// rest of them become '?'. Quotes and dashes fold to ASCII, the Ukrainian and Serbian letters that
// share a glyph with a Latin one take that letter, Ґ ґ take Г г, the bullet takes 866's bullet.
constexpr std::pair<unsigned char, unsigned char> kOemBestFit[] = {
    {0x82, ','},  {0x84, '"'},  {0x8B, '<'}, {0x91, '\''}, {0x92, '\''}, {0x93, '"'},
    {0x94, '"'},  {0x95, 0xF9}, {0x96, '-'}, {0x97, '-'},  {0x9B, '>'},  {0xA3, 'J'},
    {0xA5, 0x83}, {0xA6, '|'},  {0xAB, '<'}, {0xAD, '-'},  {0xB2, 'I'},  {0xB3, 'i'},
    {0xB4, 0xA3}, {0xBB, '>'},  {0xBC, 'j'}, {0xBD, 'S'},  {0xBE, 's'},
};

constexpr auto kTo866 = [] {
    std::array<unsigned char, 256> t{};
    for (int b = 0; b < 256; ++b) {
        char16_t u = cp1251Unicode(static_cast<unsigned char>(b));
        t[b] = '?';
        if (u < 0x80) {
            t[b] = static_cast<unsigned char>(u);
            continue;
        }
        for (int k = 0; k < 128; ++k) {
            if (kCp866High[k] == u)
                t[b] = static_cast<unsigned char>(0x80 + k);
        }
    }
    for (auto [from, to] : kOemBestFit)
        t[from] = to;
    return t;
}();

// The collation key of each byte: primary weight times two, plus one for a capital letter. Other
// characters (controls, space, punctuation, signs) come first in the order of their codes, then the
// digits, the Latin letters, and the Cyrillic letters in Russian alphabet order. The Cyrillic
// letters of other languages follow the Russian letter they build on (ґ after г, і ї after и, ў
// after у ...), Ё and Є follow Е. A small letter and its capital share the primary weight.
constexpr std::pair<unsigned char, unsigned char> kCyrillicOrder[] = {
    {0xE0, 0xC0}, {0xE1, 0xC1}, {0xE2, 0xC2}, {0xE3, 0xC3}, {0xB4, 0xA5}, {0x83, 0x81}, {0xE4, 0xC4},
    {0x90, 0x80}, {0xE5, 0xC5}, {0xB8, 0xA8}, {0xBA, 0xAA}, {0xE6, 0xC6}, {0xE7, 0xC7}, {0xBE, 0xBD},
    {0xE8, 0xC8}, {0xB3, 0xB2}, {0xBF, 0xAF}, {0xE9, 0xC9}, {0xBC, 0xA3}, {0xEA, 0xCA}, {0x9D, 0x8D},
    {0xEB, 0xCB}, {0x9A, 0x8A}, {0xEC, 0xCC}, {0xED, 0xCD}, {0x9C, 0x8C}, {0xEE, 0xCE}, {0xEF, 0xCF},
    {0xF0, 0xD0}, {0xF1, 0xD1}, {0xF2, 0xD2}, {0x9E, 0x8E}, {0xF3, 0xD3}, {0xA2, 0xA1}, {0xF4, 0xD4},
    {0xF5, 0xD5}, {0xF6, 0xD6}, {0xF7, 0xD7}, {0x9F, 0x8F}, {0xF8, 0xD8}, {0xF9, 0xD9}, {0xFA, 0xDA},
    {0xFB, 0xDB}, {0xFC, 0xDC}, {0xFD, 0xDD}, {0xFE, 0xDE}, {0xFF, 0xDF},
};

constexpr auto kCollationKey = [] {
    std::array<std::uint16_t, 256> key{};
    std::array<bool, 256> isLetterOrDigit{};
    for (int b = '0'; b <= '9'; ++b)
        isLetterOrDigit[b] = true;
    for (int b = 'A'; b <= 'Z'; ++b)
        isLetterOrDigit[b] = isLetterOrDigit[b + 0x20] = true;
    for (auto [small, capital] : kCyrillicOrder)
        isLetterOrDigit[small] = isLetterOrDigit[capital] = true;

    std::uint16_t primary = 0;
    for (int b = 0; b < 256; ++b) {
        if (!isLetterOrDigit[b])
            key[b] = std::uint16_t(2 * primary++);
    }
    for (int b = '0'; b <= '9'; ++b)
        key[b] = std::uint16_t(2 * primary++);
    for (int b = 'a'; b <= 'z'; ++b) {
        key[b] = std::uint16_t(2 * primary);
        key[b - 0x20] = std::uint16_t(2 * primary++ + 1);
    }
    for (auto [small, capital] : kCyrillicOrder) {
        key[small] = std::uint16_t(2 * primary);
        key[capital] = std::uint16_t(2 * primary++ + 1);
    }
    return key;
}();

// Orders by the primary weights over the whole texts first (a shorter text that is a prefix of the
// other comes first), and only then by the first difference of letter case: "Aa" < "ab" < "Ab".
template <bool FoldCase> int compareWith(std::string_view a, std::string_view b)
{
    const std::size_t n = std::min(a.size(), b.size());
    int caseOrder = 0;
    for (std::size_t i = 0; i < n; ++i) {
        std::uint16_t ka = kCollationKey[static_cast<unsigned char>(a[i])];
        std::uint16_t kb = kCollationKey[static_cast<unsigned char>(b[i])];
        if (ka == kb)
            continue;
        if ((ka >> 1) != (kb >> 1))
            return (ka >> 1) < (kb >> 1) ? -1 : 1;
        if (!FoldCase && caseOrder == 0)
            caseOrder = ka < kb ? -1 : 1;
    }
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    return caseOrder;
}

} // namespace

std::string cp1251ToUtf8(std::string_view cp1251)
{
    std::string out;
    out.reserve(cp1251.size() * 2);
    for (char c : cp1251) {
        const auto &s = kUtf8Of1251[static_cast<unsigned char>(c)];
        out.append(s.data(), static_cast<std::size_t>(s[3]));
    }
    return out;
}

std::string utf8ToCp1251(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t cp = 0;
        std::size_t len = decodeUtf8(utf8, i, cp);
        if (len == 0) {
            out += '?';
            ++i;
        } else {
            out += static_cast<char>(unicodeToCp1251(cp));
            i += len;
        }
    }
    return out;
}

std::string utf16ToCp1251(std::u16string_view utf16)
{
    std::string out;
    out.reserve(utf16.size());
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        char16_t u = utf16[i];
        // A surrogate pair stands for one character beyond the code page: one '?'.
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
            utf16[i + 1] <= 0xDFFF) {
            ++i;
            out += '?';
        } else if (u >= 0xD800 && u <= 0xDFFF) {
            out += '?';
        } else {
            out += static_cast<char>(unicodeToCp1251(u));
        }
    }
    return out;
}

std::u16string cp1251ToUtf16(std::string_view cp1251)
{
    std::u16string out;
    out.reserve(cp1251.size());
    for (char c : cp1251)
        out += cp1251Unicode(static_cast<unsigned char>(c));
    return out;
}

bool utf8FitsCp1251(std::string_view utf8)
{
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t cp = 0;
        std::size_t len = decodeUtf8(utf8, i, cp);
        if (len == 0 || (cp != '?' && unicodeToCp1251(cp) == '?'))
            return false;
        i += len;
    }
    return true;
}

unsigned char lowerByte(unsigned char b)
{
    return kLower[b];
}

std::string LowerCaseByTable(std::string_view cp1251)
{
    std::string out(cp1251);
    for (char &c : out)
        c = static_cast<char>(kLower[static_cast<unsigned char>(c)]);
    return out;
}

std::string StrToOem(std::string_view cp1251)
{
    // Any length converts; the fixed buffer the OEM call once went through is no limit here.
    std::string out(cp1251);
    for (char &c : out)
        c = static_cast<char>(kTo866[static_cast<unsigned char>(c)]);
    return out;
}

int compareRussian(std::string_view a, std::string_view b)
{
    return compareWith<false>(a, b);
}

int compareRussianNoCase(std::string_view a, std::string_view b)
{
    return compareWith<true>(a, b);
}

} // namespace tarvena::codepage
