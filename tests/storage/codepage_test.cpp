#include "storage/codepage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

using namespace tarvena::codepage;

namespace {

std::string allBytes()
{
    std::string s;
    for (int b = 0; b < 256; ++b)
        s += static_cast<char>(b);
    return s;
}

// Test texts are written in UTF-8 here and taken into code page 1251 once the conversion itself
// has been checked byte by byte below.
std::string cp(const char *utf8)
{
    return utf8ToCp1251(utf8);
}

int sign(int v)
{
    return (v > 0) - (v < 0);
}

} // namespace

TEST(CodePage, EveryByteSurvivesUtf8AndUtf16)
{
    const std::string bytes = allBytes();
    EXPECT_EQ(utf8ToCp1251(cp1251ToUtf8(bytes)), bytes);
    EXPECT_EQ(utf16ToCp1251(cp1251ToUtf16(bytes)), bytes);
    EXPECT_TRUE(utf8FitsCp1251(cp1251ToUtf8(bytes)));

    // One character per byte, and no two bytes share a character.
    const std::u16string utf16 = cp1251ToUtf16(bytes);
    ASSERT_EQ(utf16.size(), 256u);
    std::u16string sorted = utf16;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(std::adjacent_find(sorted.begin(), sorted.end()), sorted.end());
    for (int b = 0; b < 256; ++b) {
        const std::string one(1, static_cast<char>(b));
        EXPECT_EQ(utf8ToCp1251(cp1251ToUtf8(one)), one) << b;
        EXPECT_EQ(cp1251ToUtf16(one)[0], utf16[b]) << b;
    }
}

TEST(CodePage, BytesBecomeTheirCharacters)
{
    struct Case
    {
        unsigned char byte;
        char16_t unicode;
        const char *utf8;
    };
    const Case cases[] = {
        {'A', u'A', "A"},
        {0x7F, 0x007F, "\x7F"},
        {0x80, 0x0402, "\xD0\x82"},     // Ђ
        {0x82, 0x201A, "\xE2\x80\x9A"}, // low single quote
        {0x88, 0x20AC, "\xE2\x82\xAC"}, // euro
        {0x98, 0x0098, "\xC2\x98"},     // undefined in 1251, carried as U+0098
        {0x99, 0x2122, "\xE2\x84\xA2"}, // trade mark
        {0xA0, 0x00A0, "\xC2\xA0"},     // no-break space
        {0xA5, 0x0490, "\xD2\x90"},     // Ґ
        {0xA8, 0x0401, "\xD0\x81"},     // Ё
        {0xAD, 0x00AD, "\xC2\xAD"},     // soft hyphen
        {0xB4, 0x0491, "\xD2\x91"},     // ґ
        {0xB8, 0x0451, "\xD1\x91"},     // ё
        {0xB9, 0x2116, "\xE2\x84\x96"}, // numero
        {0xBF, 0x0457, "\xD1\x97"},     // ї
        {0xC0, 0x0410, "\xD0\x90"},     // А
        {0xDF, 0x042F, "\xD0\xAF"},     // Я
        {0xE0, 0x0430, "\xD0\xB0"},     // а
        {0xFF, 0x044F, "\xD1\x8F"},     // я
    };
    for (const Case &c : cases) {
        const std::string one(1, static_cast<char>(c.byte));
        const std::string utf8 = c.utf8;
        EXPECT_EQ(cp1251ToUtf8(one), utf8) << int(c.byte);
        EXPECT_EQ(cp1251ToUtf16(one), std::u16string(1, c.unicode)) << int(c.byte);
        EXPECT_EQ(utf8ToCp1251(utf8), one) << int(c.byte);
    }
}

TEST(CodePage, Utf8ThatDoesNotFit)
{
    struct Case
    {
        const char *utf8;
        const char *cp1251;
        bool fits;
    };
    const Case cases[] = {
        {"", "", true},
        {"\xD0\x94\xD0\xBE\xD0\xBA 1", "\xC4\xEE\xEA 1", true}, // Док 1
        {"?", "?", true},
        {"\xE4\xB8\xAD", "?", false},                 // a character outside the code page
        {"a\xF0\x9F\x98\x80z", "a?z", false},         // outside the basic plane
        {"\xC2\x81", "?", false},                     // a control other than U+0098
        {"\xD0", "?", false},                         // lead byte at the end
        {"\xE2\x82", "??", false},                    // cut three-byte form
        {"\x80", "?", false},                         // stray continuation byte
        {"\xC0\x80", "??", false},                    // overlong
        {"\xE0\x80\x80", "???", false},               // overlong
        {"\xED\xA0\x80", "???", false},               // encoded surrogate
        {"\xF4\x90\x80\x80", "????", false},          // beyond U+10FFFF
        {"\xD0\x94\xFF\xD0\xB0", "\xC4?\xE0", false}, // bad byte between good ones
    };
    for (const Case &c : cases) {
        EXPECT_EQ(utf8ToCp1251(c.utf8), c.cp1251) << c.utf8;
        EXPECT_EQ(utf8FitsCp1251(c.utf8), c.fits) << c.utf8;
    }
}

TEST(CodePage, Utf16ThatDoesNotFit)
{
    EXPECT_EQ(utf16ToCp1251(u"\u20AC\u0401"), "\x88\xA8");
    EXPECT_EQ(utf16ToCp1251(u"a\U0001F600b"), "a?b"); // a surrogate pair is one character
    EXPECT_EQ(utf16ToCp1251(std::u16string{u'a', char16_t(0xD800), u'b'}), "a?b");
    EXPECT_EQ(utf16ToCp1251(std::u16string{char16_t(0xDC00), char16_t(0xD800)}), "??");
    EXPECT_EQ(utf16ToCp1251(u"\u4E2D"), "?");
}

TEST(CodePage, LowerCaseByTable)
{
    EXPECT_EQ(LowerCaseByTable(""), "");
    EXPECT_EQ(LowerCaseByTable(cp("ДОКУМЕНТЫ")), cp("документы"));
    EXPECT_EQ(LowerCaseByTable(cp("Ёж")), cp("ёж"));
    EXPECT_EQ(LowerCaseByTable(cp("ЂЃЉЊЌЋЏЎЈҐЄЇІЅ Latin")), cp("ђѓљњќћџўјґєїіѕ latin"));
    EXPECT_EQ(LowerCaseByTable("0123456789 .,;:!?-_()[]"), "0123456789 .,;:!?-_()[]");

    // Every byte against the Unicode case pairs: A-Z, А-Я, Ѐ-Џ (+0x50 to ѐ-џ) and Ґ.
    for (int b = 0; b < 256; ++b) {
        const std::string one(1, static_cast<char>(b));
        char16_t u = cp1251ToUtf16(one)[0];
        if ((u >= u'A' && u <= u'Z') || (u >= 0x0410 && u <= 0x042F))
            u += 0x20;
        else if (u >= 0x0400 && u <= 0x040F)
            u += 0x50;
        else if (u == 0x0490)
            u = 0x0491;
        const std::string expected = utf16ToCp1251(std::u16string(1, u));
        EXPECT_EQ(LowerCaseByTable(one), expected) << b;
        EXPECT_EQ(lowerByte(static_cast<unsigned char>(b)), static_cast<unsigned char>(expected[0])) << b;
    }
}

TEST(CodePage, StrToOem)
{
    // Russian letters: А-П at 0x80, Р-Я at 0x90, а-п at 0xA0, р-я at 0xE0, Ё ё at 0xF0 0xF1.
    for (int i = 0; i < 32; ++i) {
        const std::string capital(1, static_cast<char>(0xC0 + i));
        const std::string small(1, static_cast<char>(0xE0 + i));
        EXPECT_EQ(StrToOem(capital), std::string(1, static_cast<char>(0x80 + i))) << i;
        EXPECT_EQ(StrToOem(small), std::string(1, static_cast<char>(i < 16 ? 0xA0 + i : 0xE0 + i - 16))) << i;
    }
    EXPECT_EQ(StrToOem(cp("\"ДОКУМЕНТЫ\" Ёё №5 20°")),
              "\"\x84\x8E\x8A\x93\x8C\x85\x8D\x92\x9B\" \xF0\xF1 \xFC"
              "5 20\xF8");
    // The other letters and signs that 866 holds, then the chosen look-alikes and '?'.
    EXPECT_EQ(StrToOem(cp("ЄєЇїЎў·¤\u00A0")), "\xF2\xF3\xF4\xF5\xF6\xF7\xFA\xFD\xFF");
    EXPECT_EQ(StrToOem(cp("«a» – b — ‘c’ „d“ •ҐґІіЈјЅѕ")), "<a> - b - 'c' \"d\" \xF9\x83\xA3IiJjSs");
    EXPECT_EQ(StrToOem(cp("€™©®§ЂЉ…")), "????????");
    EXPECT_EQ(StrToOem("\x98"), "?");

    const std::string bytes = allBytes();
    const std::string oem = StrToOem(bytes);
    ASSERT_EQ(oem.size(), bytes.size());
    EXPECT_EQ(oem.substr(0, 128), bytes.substr(0, 128));

    // Descriptions longer than the old 1024-byte buffer convert whole.
    const std::string longText(5000, '\xC0');
    EXPECT_EQ(StrToOem(longText), std::string(5000, '\x80'));
}

TEST(CodePage, RussianOrderOfCharacters)
{
    // Controls and signs, digits, Latin, Cyrillic; a small letter before its capital; Ё after Е.
    const std::vector<std::string> expected = {
        "\t",   " ",    "!",    "-",    ".",    "_",    "\xAB", "\xB9", "0",    "1",    "9",    "a",
        "A",    "b",    "B",    "z",    "Z",    "\xE0", "\xC0", "\xE1", "\xC1", "\xE3", "\xC3", "\xB4",
        "\xA5", "\xE5", "\xC5", "\xB8", "\xA8", "\xBA", "\xAA", "\xE6", "\xC6", "\xE8", "\xC8", "\xB3",
        "\xB2", "\xE9", "\xC9", "\xF3", "\xD3", "\xA2", "\xA1", "\xFF", "\xDF",
    };
    std::vector<std::string> shuffled = expected;
    std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(7));
    std::sort(shuffled.begin(), shuffled.end(),
              [](const std::string &a, const std::string &b) { return compareRussian(a, b) < 0; });
    EXPECT_EQ(shuffled, expected);
}

TEST(CodePage, RussianOrderOfTexts)
{
    struct Case
    {
        const char *a;
        const char *b;
        int caseSensitive;
        int noCase;
    };
    const Case cases[] = {
        {"", "", 0, 0},
        {"", "а", -1, -1},
        {"Ель", "ель", 1, 0},
        {"ель", "ёж", -1, -1}, // е before ё whatever follows
        {"Ёж", "ель", 1, 1},
        {"Ель", "ёж", -1, -1},
        {"Aa", "ab", -1, -1}, // letters first, then case
        {"ab", "Ab", -1, 0},
        {"абв", "АБВ", -1, 0},
        {"аБв", "Абв", -1, 0},       // the first case difference decides
        {"Пласт", "пласты", -1, -1}, // a prefix comes first, case aside
        {"Пласт 10", "Пласт 9", -1, -1},
        {"Z9", "а", -1, -1},
        {"Я", "яя", -1, -1},
        {"ДОКУМЕНТЫ", "документы", 1, 0},
        {"Юрский", "Ярус", -1, -1},
        {"1 пласт", "пласт", -1, -1},
        {" пласт", "1 пласт", -1, -1},
    };
    for (const Case &c : cases) {
        const std::string a = cp(c.a), b = cp(c.b);
        EXPECT_EQ(sign(compareRussian(a, b)), c.caseSensitive) << c.a << " | " << c.b;
        EXPECT_EQ(sign(compareRussian(b, a)), -c.caseSensitive) << c.a << " | " << c.b;
        EXPECT_EQ(sign(compareRussianNoCase(a, b)), c.noCase) << c.a << " | " << c.b;
    }
}

TEST(CodePage, RussianOrderIsTotalAndFoldsByTheLowerCaseTable)
{
    for (int x = 0; x < 256; ++x) {
        for (int y = 0; y < 256; ++y) {
            const std::string a(1, static_cast<char>(x)), b(1, static_cast<char>(y));
            const int c = compareRussian(a, b);
            ASSERT_EQ(sign(c), -sign(compareRussian(b, a))) << x << ' ' << y;
            ASSERT_EQ(c == 0, x == y) << x << ' ' << y;
            const std::string la = LowerCaseByTable(a), lb = LowerCaseByTable(b);
            ASSERT_EQ(sign(compareRussianNoCase(a, b)), sign(compareRussian(la, lb))) << x << ' ' << y;
        }
    }
}
