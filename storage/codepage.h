#pragma once
// Code page 1251 is the program's text inside the model; this module owns the conversions to
// UTF-8 and UTF-16 at the edges, the conversion to the OEM code page 866, and the lower-case table.
#include <cstdint>
#include <string>
#include <string_view>

namespace tarvena::codepage {

// Code page 1251 bytes to UTF-8. Byte 0x98, which 1251 leaves undefined, becomes U+0098 (C2 98),
// as files written on Windows carry it; every byte value therefore survives a round trip.
std::string cp1251ToUtf8(std::string_view cp1251);
// UTF-8 to code page 1251. U+0098 becomes 0x98; a character that 1251 cannot hold becomes '?'.
// Malformed UTF-8 bytes are taken one by one as '?'.
std::string utf8ToCp1251(std::string_view utf8);
// UTF-16 (host order code units) to code page 1251, same rules as utf8ToCp1251.
std::string utf16ToCp1251(std::u16string_view utf16);
std::u16string cp1251ToUtf16(std::string_view cp1251);
// True when every character of the UTF-8 text can be held in code page 1251.
bool utf8FitsCp1251(std::string_view utf8);

// The single-byte lower-casing of code page 1251: A-Z, А-Я, Ё and the other 1251 capitals.
std::string LowerCaseByTable(std::string_view cp1251);
unsigned char lowerByte(unsigned char b);
// Code page 1251 to the OEM code page 866, byte for byte, any length. A character that 866 lacks
// becomes a look-alike (quotes, dashes, І ј Ѕ as Latin letters, Ґ as Г) or '?'.
std::string StrToOem(std::string_view cp1251);

// Compares two 1251 texts as the Russian locale orders them, the same on every machine:
// space, punctuation and other signs (in the order of their codes) before digits before Latin
// letters before Cyrillic ones, letters in alphabet order with Ё right after Е, a small letter
// right before its capital. Letter case only decides between texts that are otherwise equal
// ("Aa" < "ab" < "Ab"); a text comes before any longer text it begins. Returns <0, 0 or >0.
int compareRussian(std::string_view a, std::string_view b);
// The same order with letter case folded through LowerCaseByTable.
int compareRussianNoCase(std::string_view a, std::string_view b);

} // namespace tarvena::codepage
