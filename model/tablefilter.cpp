#include "model/tablefilter.h"

#include "model/memtable.h"
#include "model/numberformat.h"
#include "storage/codepage.h"
#include "storage/error.h"

#include <string_view>

namespace tarvena {

namespace {

std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

// Splits at " OR " in any letter case.
std::vector<std::string_view> splitTerms(std::string_view text)
{
    std::vector<std::string_view> terms;
    std::size_t start = 0;
    for (std::size_t i = 0; i + 4 <= text.size(); ++i) {
        if (text[i] == ' ' && (text[i + 1] | 0x20) == 'o' && (text[i + 2] | 0x20) == 'r' &&
            text[i + 3] == ' ') {
            terms.push_back(text.substr(start, i - start));
            start = i + 4;
            i += 3;
        }
    }
    terms.push_back(text.substr(start));
    return terms;
}

} // namespace

TableFilter TableFilter::parse(const std::string &text, const MemTable &table)
{
    TableFilter filter;
    const std::string_view whole = trimmed(text);
    if (whole.empty())
        return filter;
    auto malformed = [&] {
        return Error("Invalid filter expression: '" + codepage::cp1251ToUtf8(text) + "'");
    };
    for (std::string_view term : splitTerms(whole)) {
        term = trimmed(term);
        const std::size_t equals = term.find('=');
        if (equals == std::string_view::npos)
            throw malformed();
        const std::string_view name = trimmed(term.substr(0, equals));
        const std::string_view number = term.substr(equals + 1);
        if (name.empty() || number.empty())
            throw malformed();
        const auto parsed = numfmt::parseInteger(number);
        if (!parsed)
            throw malformed();
        const Field &field = table.FieldByName(std::string(name));
        if (field.dataIndex() < 0)
            throw Error("Filter field '" + codepage::cp1251ToUtf8(field.FieldName()) +
                        "' is not stored in the table");
        filter.mTerms.push_back({field.dataIndex(), *parsed});
    }
    return filter;
}

bool TableFilter::holds(const Term &term, const Value &v)
{
    if (const auto *i = std::get_if<std::int64_t>(&v))
        return *i == term.number;
    if (const auto *d = std::get_if<double>(&v))
        return *d == static_cast<double>(term.number);
    if (const auto *b = std::get_if<bool>(&v))
        return (*b ? 1 : 0) == term.number;
    if (const auto *s = std::get_if<std::string>(&v)) {
        const auto parsed = numfmt::parseInteger(*s);
        return parsed && *parsed == term.number;
    }
    return false;
}

} // namespace tarvena
