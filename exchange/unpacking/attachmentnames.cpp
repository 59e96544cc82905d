#include "exchange/unpacking/attachmentnames.h"

#include "exchange/unpacking/attachmentfolders.h"
#include "storage/codepage.h"

#include <algorithm>
#include <cctype>

namespace tarvena {

namespace {

bool endsRefused(std::string_view name)
{
    return !name.empty() && (name.back() == '.' || name.back() == ' ');
}

// The part of name that Windows reads as a device name: up to the first dot, trailing blanks dropped.
std::string_view deviceBase(std::string_view name)
{
    std::string_view base = name.substr(0, name.find('.'));
    while (!base.empty() && base.back() == ' ')
        base.remove_suffix(1);
    return base;
}

bool isDeviceName(std::string_view base)
{
    std::string upper(base);
    for (char &c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    for (const char *device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"})
        if (upper == device)
            return true;
    return upper.size() == 4 && (upper.starts_with("COM") || upper.starts_with("LPT")) && upper[3] >= '0' &&
           upper[3] <= '9';
}

} // namespace

bool refusedByWindows(std::string_view name)
{
    return name.empty() || endsRefused(name) || isDeviceName(deviceBase(name));
}

std::string numberedName(std::string_view original, int number)
{
    const std::string suffix = " (" + std::to_string(number) + ")";
    std::string name(original);
    // A device name that also ends in a dot or blank stays refused wherever the number goes: its
    // trailing dots and blanks become "_", which ends the device name too.
    if (endsRefused(name) && isDeviceName(deviceBase(name))) {
        for (auto c = name.rbegin(); c != name.rend() && (*c == '.' || *c == ' '); ++c)
            *c = '_';
    }
    std::size_t split = name.size();
    if (!endsRefused(name)) {
        if (isDeviceName(deviceBase(name)))
            split = std::min(name.find('.'), name.size());
        else if (const std::size_t dot = name.rfind('.'); dot != std::string::npos && dot > 0)
            split = dot;
    }
    std::string head = name.substr(0, split);
    std::string tail = name.substr(split);
    // An extension too long to keep a stem beside it stays part of the stem.
    if (utf8Size(tail) + suffix.size() >= kMaxNameBytes) {
        head += tail;
        tail.clear();
    }
    while (!head.empty() && utf8Size(head) + suffix.size() + utf8Size(tail) > kMaxNameBytes)
        head.pop_back();
    return head + suffix + tail;
}

std::string AttachmentNames::take(const std::string &folder, std::string_view storedName)
{
    auto [entry, isNew] = mTaken.try_emplace(folder);
    std::set<std::string> &taken = entry->second;
    if (isNew) {
        taken.insert(codepage::LowerCaseByTable(kDescriptionFileName));
        for (const char *subfolder : {"таблицы", "документы", "графика"})
            taken.insert(codepage::utf8ToCp1251(subfolder));
    }
    const std::string safe = safeFileName(storedName);
    std::string name = safe;
    for (int number = 2; refusedByWindows(name) || taken.contains(codepage::LowerCaseByTable(name)); ++number)
        name = numberedName(safe, number);
    taken.insert(codepage::LowerCaseByTable(name));
    return name;
}

} // namespace tarvena
