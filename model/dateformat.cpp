// Dates and times of the passport's date-time values (days since 30.12.1899 with the time of day as
// the fraction), written and read as "dd.mm.yyyy hh:nn:ss" whatever the machine's locale.
#include "model/numberformat.h"

#include "model/numbertextscan.h"
#include "storage/error.h"

#include <cmath>
#include <optional>
#include <string>
#include <string_view>

namespace tarvena::numfmt {

namespace {

using scan::intText;
using scan::isDigit;
using scan::skipDigits;
using scan::trimSpaces;

// Days from 01.01.1970 of a date of the proleptic Gregorian calendar.
long long daysFromCivil(long long y, int m, int d)
{
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

struct CivilDate
{
    long long year;
    int month;
    int day;
};

CivilDate civilFromDays(long long z)
{
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    const int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    return {yoe + era * 400 + (m <= 2), m, d};
}

// Day 0 of the date-time values, 30.12.1899, counted from 01.01.1970.
constexpr long long kEpochOffset = 25569;
// 01.01.0001 and 31.12.9999, the dates the program can write as text.
constexpr long long kFirstDay = -693593;
constexpr long long kLastDay = 2958465;
constexpr long long kMsPerDay = 86400000;

int daysInMonth(int year, int month)
{
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : days[month - 1];
}

bool validDate(int year, int month, int day)
{
    return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
           day <= daysInMonth(year, month);
}

// The calendar day and the milliseconds of the day that a date-time value writes. A negative
// value counts whole days back from 30.12.1899 while its fraction is still the time of that day
// (-1.25 is 29.12.1899 06:00). Nullopt outside the years 1 to 9999.
struct DayAndTime
{
    long long day;
    long long ms;
};

std::optional<DayAndTime> splitDateTime(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    const double whole = std::trunc(value);
    if (whole < kFirstDay || whole > kLastDay)
        return std::nullopt;
    DayAndTime t{static_cast<long long>(whole), std::llround(std::fabs(value - whole) * kMsPerDay)};
    if (t.ms >= kMsPerDay) {
        ++t.day;
        t.ms = 0;
    }
    if (t.day > kLastDay)
        return std::nullopt;
    return t;
}

std::string dayText(long long day)
{
    const CivilDate c = civilFromDays(day - kEpochOffset);
    return intText(c.day, 2) + '.' + intText(c.month, 2) + '.' + intText(c.year, 4);
}

std::string timeText(long long ms)
{
    const long long s = ms / 1000;
    return intText(s / 3600, 2) + ':' + intText(s / 60 % 60, 2) + ':' + intText(s % 60, 2);
}

// Reads one to `maxDigits` digits at text[i] (exactly maxDigits when exact is set).
std::optional<int> readNumber(std::string_view text, std::size_t &i, int maxDigits, bool exact = false)
{
    const std::size_t end = skipDigits(text, i);
    const std::size_t n = end - i;
    if (n == 0 || n > static_cast<std::size_t>(maxDigits) ||
        (exact && n != static_cast<std::size_t>(maxDigits)))
        return std::nullopt;
    int v = 0;
    std::from_chars(text.data() + i, text.data() + end, v);
    i = end;
    return v;
}

bool expect(std::string_view text, std::size_t &i, char c)
{
    if (i >= text.size() || text[i] != c)
        return false;
    ++i;
    return true;
}

std::optional<double> parseDate(std::string_view text)
{
    std::size_t i = 0;
    auto d = readNumber(text, i, 2);
    if (!d || !expect(text, i, '.'))
        return std::nullopt;
    auto m = readNumber(text, i, 2);
    if (!m || !expect(text, i, '.'))
        return std::nullopt;
    auto y = readNumber(text, i, 4, true);
    if (!y || i != text.size() || !validDate(*y, *m, *d))
        return std::nullopt;
    return encodeDate(*y, *m, *d);
}

std::optional<double> parseTime(std::string_view text)
{
    std::size_t i = 0;
    auto h = readNumber(text, i, 2);
    if (!h || !expect(text, i, ':'))
        return std::nullopt;
    auto n = readNumber(text, i, 2);
    if (!n)
        return std::nullopt;
    std::optional<int> s = 0;
    if (i < text.size() && (!expect(text, i, ':') || !(s = readNumber(text, i, 2))))
        return std::nullopt;
    if (i != text.size() || *h > 23 || *n > 59 || *s > 59)
        return std::nullopt;
    return (*h * 3600 + *n * 60 + *s) / 86400.0;
}

} // namespace

std::string dateTimeToText(double value)
{
    const auto t = splitDateTime(value);
    if (!t)
        return floatToText(value);
    return t->ms == 0 ? dayText(t->day) : dayText(t->day) + ' ' + timeText(t->ms);
}

std::string dateToText(double value)
{
    const auto t = splitDateTime(value);
    return t ? dayText(t->day) : floatToText(value);
}

std::optional<double> parseDateTime(std::string_view text)
{
    text = trimSpaces(text);
    const std::size_t space = text.find(' ');
    if (space == std::string_view::npos) {
        if (text.find(':') != std::string_view::npos)
            return parseTime(text);
        return parseDate(text);
    }
    const auto date = parseDate(text.substr(0, space));
    const auto time = parseTime(trimSpaces(text.substr(space)));
    if (!date || !time)
        return std::nullopt;
    return *date < 0 ? *date - *time : *date + *time;
}

double encodeDate(int year, int month, int day)
{
    if (!validDate(year, month, day))
        throw Error("Invalid argument to date encode");
    return static_cast<double>(daysFromCivil(year, month, day) + kEpochOffset);
}

} // namespace tarvena::numfmt
