#include "exchange/unpacking/attachmentfolders.h"

#include "model/documentslots.h"
#include "storage/codepage.h"

#include <array>

namespace tarvena {

namespace {

// The byte length of each 1251 character in UTF-8.
const std::array<unsigned char, 256> &utf8Lengths()
{
    static const std::array<unsigned char, 256> lengths = [] {
        std::array<unsigned char, 256> table{};
        for (int b = 0; b < 256; ++b)
            table[b] = static_cast<unsigned char>(codepage::cp1251ToUtf8(std::string(1, char(b))).size());
        return table;
    }();
    return lengths;
}

bool refusedInName(unsigned char c)
{
    // 0x98 is the C1 control character U+0098 on disk.
    if (c < 0x20 || c == 0x7F || c == 0x98)
        return true;
    return std::string_view("/\\:<>\"|?*").find(static_cast<char>(c)) != std::string_view::npos;
}

} // namespace

std::size_t utf8Size(std::string_view cp1251)
{
    std::size_t size = 0;
    for (unsigned char c : cp1251)
        size += utf8Lengths()[c];
    return size;
}

std::string attachmentStem(std::string_view name)
{
    const std::size_t dot = name.rfind('.');
    return std::string(dot == std::string_view::npos ? name : name.substr(0, dot));
}

AttachmentFolder attachmentFolder(std::string_view name)
{
    const std::string stem = attachmentStem(name);
    if (!isDocumentSlotTitle(stem))
        return AttachmentFolder::Graphics;
    return codepage::LowerCaseByTable(stem) == codepage::LowerCaseByTable(titlePageSlotTitle())
               ? AttachmentFolder::Passport
               : AttachmentFolder::Documents;
}

std::string safeFileName(std::string_view name, bool keepExtension)
{
    std::string safe;
    safe.reserve(name.size());
    for (unsigned char c : name)
        safe += refusedInName(c) ? '_' : static_cast<char>(c);
    if (safe.find_first_not_of(". ") == std::string::npos)
        return "_"; // empty, ".", ".." and the like would name the folder itself or its parent

    if (utf8Size(safe) <= kMaxNameBytes)
        return safe;
    std::string extension;
    if (keepExtension) {
        const std::size_t dot = safe.rfind('.');
        if (dot != std::string::npos && dot > 0 && utf8Size(safe.substr(dot)) < kMaxNameBytes / 2) {
            extension = safe.substr(dot);
            safe.resize(dot);
        }
    }
    while (utf8Size(safe) + utf8Size(extension) > kMaxNameBytes)
        safe.pop_back();
    return safe + extension;
}

std::string descriptionLine(std::string_view name, std::string_view description)
{
    std::string text(description);
    for (char &c : text)
        if (c == '\r' || c == '\n')
            c = ' ';
    return codepage::StrToOem("\"" + std::string(name) + "\" " + text) + "\r\n";
}

} // namespace tarvena
