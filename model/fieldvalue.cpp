#include "model/fieldvalue.h"

#include "model/numberformat.h"
#include "storage/codepage.h"
#include "storage/error.h"

#include <cmath>
#include <functional>
#include <limits>
#include <optional>
#include <utility>

namespace tarvena::fieldvalue {

namespace {

struct Range
{
    std::int64_t low;
    std::int64_t high;
};

Range rangeOf(FieldType type)
{
    switch (type) {
    case FieldType::SmallInt:
        return {-32768, 32767};
    case FieldType::Word:
        return {0, 65535};
    case FieldType::LargeInt:
        return {std::numeric_limits<std::int64_t>::min(), std::numeric_limits<std::int64_t>::max()};
    default:
        return {std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()};
    }
}

// Messages quote data values, which are code page 1251, in the UTF-8 of the program's texts.
std::string quoted(const std::string &cp1251)
{
    return "'" + codepage::cp1251ToUtf8(cp1251) + "'";
}

std::string fieldSuffix(const std::string &fieldName)
{
    return fieldName.empty() ? std::string() : " for field '" + codepage::cp1251ToUtf8(fieldName) + "'";
}

std::int64_t checkedInteger(FieldType type, std::int64_t value, const std::string &fieldName)
{
    const Range range = rangeOf(type);
    if (value < range.low || value > range.high)
        throw Error(std::to_string(value) + " is not a valid value" + fieldSuffix(fieldName) +
                    ". The allowed range is " + std::to_string(range.low) + " to " +
                    std::to_string(range.high));
    return value;
}

std::int64_t roundedInteger(double value, const std::string &fieldName)
{
    // 2^63 is exactly representable; anything at or beyond it does not fit.
    if (!std::isfinite(value) || value >= 9223372036854775808.0 || value < -9223372036854775808.0)
        throw Error(numfmt::floatToText(value) + " is not a valid integer value" + fieldSuffix(fieldName));
    return std::llround(value);
}

std::optional<bool> parseBool(const std::string &text)
{
    const std::string lower = codepage::LowerCaseByTable(text);
    if (lower == "true" || lower == "t" || lower == "yes" || lower == "y" || lower == "1")
        return true;
    if (lower == "false" || lower == "f" || lower == "no" || lower == "n" || lower == "0")
        return false;
    return std::nullopt;
}

std::string intText(std::int64_t v)
{
    return std::to_string(v); // integers carry no locale-dependent characters
}

std::string timeText(double value)
{
    const std::string text = numfmt::dateTimeToText(value);
    const std::size_t space = text.find(' ');
    return space == std::string::npos ? std::string("00:00:00") : text.substr(space + 1);
}

std::string cutToSize(FieldType type, int size, std::string text)
{
    const bool sized =
        type == FieldType::String || type == FieldType::FixedChar || type == FieldType::WideString;
    if (!sized || size <= 0)
        return text;
    if (text.size() > static_cast<std::size_t>(size))
        text.resize(static_cast<std::size_t>(size));
    if (type == FieldType::FixedChar)
        text.resize(static_cast<std::size_t>(size), ' ');
    return text;
}

Value fromText(FieldType type, int size, const std::string &text, const std::string &fieldName)
{
    const Storage storage = storageOf(type);
    if (storage != Storage::Bytes && text.empty())
        return Value{};
    switch (storage) {
    case Storage::Integer: {
        const auto parsed = numfmt::parseInteger(text);
        if (!parsed)
            throw Error(quoted(text) + " is not a valid integer value" + fieldSuffix(fieldName));
        return checkedInteger(type, *parsed, fieldName);
    }
    case Storage::Float: {
        const auto parsed = isDateTime(type) ? numfmt::parseDateTime(text) : numfmt::parseFloat(text);
        if (!parsed)
            throw Error(quoted(text) +
                        (isDateTime(type) ? " is not a valid date and time"
                                          : " is not a valid floating point value") +
                        fieldSuffix(fieldName));
        return *parsed;
    }
    case Storage::Boolean: {
        const auto parsed = parseBool(text);
        if (!parsed)
            throw Error(quoted(text) + " is not a valid boolean value" + fieldSuffix(fieldName));
        return *parsed;
    }
    case Storage::Bytes:
        break;
    }
    return cutToSize(type, size, text);
}

} // namespace

Storage storageOf(FieldType type)
{
    switch (type) {
    case FieldType::SmallInt:
    case FieldType::Integer:
    case FieldType::Word:
    case FieldType::AutoInc:
    case FieldType::LargeInt:
        return Storage::Integer;
    case FieldType::Float:
    case FieldType::Currency:
    case FieldType::BCD:
    case FieldType::Date:
    case FieldType::Time:
    case FieldType::DateTime:
        return Storage::Float;
    case FieldType::Boolean:
        return Storage::Boolean;
    default:
        return Storage::Bytes;
    }
}

bool isDateTime(FieldType type)
{
    return type == FieldType::Date || type == FieldType::Time || type == FieldType::DateTime;
}

bool isBinary(FieldType type)
{
    switch (type) {
    case FieldType::Blob:
    case FieldType::Bytes:
    case FieldType::VarBytes:
    case FieldType::Graphic:
    case FieldType::ParadoxOle:
    case FieldType::DBaseOle:
    case FieldType::TypedBinary:
    case FieldType::HugeBlob:
        return true;
    default:
        return false;
    }
}

std::string defaultValidChars(FieldType type)
{
    if (storageOf(type) == Storage::Integer)
        return "+-0123456789";
    if (storageOf(type) == Storage::Float && !isDateTime(type))
        return "+-0123456789Ee.";
    return {};
}

Value toStored(FieldType type, int size, const Value &v, const std::string &fieldName)
{
    if (isNull(v))
        return Value{};
    if (const auto *text = std::get_if<std::string>(&v))
        return fromText(type, size, *text, fieldName);
    switch (storageOf(type)) {
    case Storage::Integer:
        if (const auto *d = std::get_if<double>(&v))
            return checkedInteger(type, roundedInteger(*d, fieldName), fieldName);
        return checkedInteger(type, toInt64(v), fieldName);
    case Storage::Float:
        return toDouble(v);
    case Storage::Boolean:
        return toBool(v);
    case Storage::Bytes:
        break;
    }
    return cutToSize(type, size, toText(FieldType::Float, v));
}

Value toStored(FieldType type, int size, Value &&v, const std::string &fieldName)
{
    if (auto *text = std::get_if<std::string>(&v); text && storageOf(type) == Storage::Bytes)
        return cutToSize(type, size, std::move(*text));
    return toStored(type, size, std::as_const(v), fieldName);
}

std::int64_t toInt64(const Value &v)
{
    if (const auto *i = std::get_if<std::int64_t>(&v))
        return *i;
    if (const auto *d = std::get_if<double>(&v))
        return roundedInteger(*d, {});
    if (const auto *b = std::get_if<bool>(&v))
        return *b ? 1 : 0;
    if (const auto *s = std::get_if<std::string>(&v)) {
        const auto parsed = numfmt::parseInteger(*s);
        if (!parsed)
            throw Error(quoted(*s) + " is not a valid integer value");
        return *parsed;
    }
    return 0;
}

double toDouble(const Value &v)
{
    if (const auto *d = std::get_if<double>(&v))
        return *d;
    if (const auto *i = std::get_if<std::int64_t>(&v))
        return static_cast<double>(*i);
    if (const auto *b = std::get_if<bool>(&v))
        return *b ? 1.0 : 0.0;
    if (const auto *s = std::get_if<std::string>(&v)) {
        const auto parsed = numfmt::parseFloat(*s);
        if (!parsed)
            throw Error(quoted(*s) + " is not a valid floating point value");
        return *parsed;
    }
    return 0.0;
}

bool toBool(const Value &v)
{
    if (const auto *b = std::get_if<bool>(&v))
        return *b;
    if (const auto *i = std::get_if<std::int64_t>(&v))
        return *i != 0;
    if (const auto *d = std::get_if<double>(&v))
        return *d != 0.0;
    if (const auto *s = std::get_if<std::string>(&v)) {
        const auto parsed = parseBool(*s);
        if (!parsed)
            throw Error(quoted(*s) + " is not a valid boolean value");
        return *parsed;
    }
    return false;
}

std::string toText(FieldType type, const Value &v)
{
    if (const auto *s = std::get_if<std::string>(&v))
        return *s;
    if (const auto *i = std::get_if<std::int64_t>(&v))
        return intText(*i);
    if (const auto *d = std::get_if<double>(&v)) {
        switch (type) {
        case FieldType::Date:
            return numfmt::dateToText(*d);
        case FieldType::Time:
            return timeText(*d);
        case FieldType::DateTime:
            return numfmt::dateTimeToText(*d);
        default:
            return numfmt::floatToText(*d);
        }
    }
    if (const auto *b = std::get_if<bool>(&v))
        return *b ? "True" : "False";
    return {};
}

namespace {

bool isNumber(const Value &v)
{
    return std::holds_alternative<std::int64_t>(v) || std::holds_alternative<double>(v) ||
           std::holds_alternative<bool>(v);
}

int compareDoubles(double a, double b)
{
    // NaN orders before every number so that sorting stays a strict weak order.
    const bool nanA = std::isnan(a);
    const bool nanB = std::isnan(b);
    if (nanA || nanB)
        return nanA == nanB ? 0 : (nanA ? -1 : 1);
    return a < b ? -1 : (a > b ? 1 : 0);
}

} // namespace

int compare(const Value &a, const Value &b, bool caseInsensitive)
{
    const bool nullA = isNull(a);
    const bool nullB = isNull(b);
    if (nullA || nullB)
        return nullA == nullB ? 0 : (nullA ? -1 : 1);
    const auto *sa = std::get_if<std::string>(&a);
    const auto *sb = std::get_if<std::string>(&b);
    if (sa && sb) {
        const int c =
            caseInsensitive ? codepage::compareRussianNoCase(*sa, *sb) : codepage::compareRussian(*sa, *sb);
        return c < 0 ? -1 : (c > 0 ? 1 : 0);
    }
    if (isNumber(a) && isNumber(b)) {
        const auto *ia = std::get_if<std::int64_t>(&a);
        const auto *ib = std::get_if<std::int64_t>(&b);
        if (ia && ib)
            return *ia < *ib ? -1 : (*ia > *ib ? 1 : 0);
        return compareDoubles(toDouble(a), toDouble(b));
    }
    // Text against a number cannot happen within one field; keep the order total anyway.
    return a.index() < b.index() ? -1 : 1;
}

bool equalText(const std::string &a, const std::string &b, bool caseInsensitive)
{
    if (!caseInsensitive)
        return a == b;
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (codepage::lowerByte(static_cast<unsigned char>(a[i])) !=
            codepage::lowerByte(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

Value normalizedKey(const Value &v)
{
    if (const auto *d = std::get_if<double>(&v)) {
        if (std::isfinite(*d) && std::trunc(*d) == *d && std::fabs(*d) < 9.0e18)
            return static_cast<std::int64_t>(*d);
    }
    if (const auto *b = std::get_if<bool>(&v))
        return static_cast<std::int64_t>(*b ? 1 : 0);
    return v;
}

std::size_t KeyHash::operator()(const Value &v) const
{
    if (const auto *i = std::get_if<std::int64_t>(&v))
        return std::hash<std::int64_t>{}(*i);
    if (const auto *d = std::get_if<double>(&v))
        return std::hash<double>{}(*d);
    if (const auto *s = std::get_if<std::string>(&v))
        return std::hash<std::string>{}(*s);
    return 0;
}

} // namespace tarvena::fieldvalue
