#include "model/numberformat.h"
#include "storage/error.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <string>

using namespace tarvena::numfmt;

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

} // namespace

TEST(NumberFormat, FormatFloat)
{
    struct Case
    {
        const char *pattern;
        double value;
        const char *text;
    };
    const Case cases[] = {
        // Resource figures and the record sheets.
        {"#########0.###", 1234.5678, "1234.568"},
        {"#########0.###", 0.50, "0.5"},
        {"#########0.###", 12.0, "12"},
        {"#########0.###", 0, "0"},
        {"#########0.###", 0.0005, "0.001"}, // half away from zero on the decimal value
        {"#########0.###", 1.0005, "1.001"}, // although the double lies just below
        {"#########0.###", 2.0004999, "2"},
        {"#########0.###", 0.9995, "1"},
        {"#########0.###", -1.0005, "-1.001"},
        {"#########0.###", -0.0004, "0"}, // no sign on a value that rounds to zero
        {"#########0.###", 123456789012.25, "123456789012.25"},
        {"#########0.###", 1e20, "100000000000000000000"},
        // Map scales.
        {"# ### ###", 25000, " 25 000"},
        {"# ### ###", 1000000, "1 000 000"},
        {"# ### ###", 500, "  500"},
        {"# ### ###", 10000000, "10 000 000"},
        {"# ### ###", 999.5, " 1 000"},
        // Coordinates: metres, seconds, decimal degrees.
        {"#########0.#########", 12.25, "12.25"},
        {"#########0.#########", 5, "5"},
        {"#########0.#########", 7654321.123456789, "7654321.123456789"},
        {"#########0.#########", 37.1234567895, "37.12345679"},
        {"#########0.#########", 0.1 + 0.2, "0.3"},
        {"#########0.#########", -12.25, "-12.25"},
        {"00.000", 0, "00.000"},
        {"00.000", ((37.6175 - 37) * 60 - 37) * 60, "03.000"}, // 2.999999999998977
        {"00.000", 59.99959999999248, "60.000"},               // no carry into the minutes
        {"00.000", 123.4, "123.400"},
        {"00.000", -0.5, "-00.500"},
        {"#00.000000", 5.5, "05.500000"},
        {"#00.000000", 55.5043055555, "55.504306"},
        {"#00.000000", 123.0000005, "123.000001"},
        // The rules themselves.
        {"0", 2.5, "3"},
        {"0", -2.5, "-3"},
        {"0.", 7, "7"},
        {"#.##", 0.5, ".5"},
        {"#", 0, ""},
        {"0#", 5, "05"},
        {"0.00 km", 2.5, "2.50 km"},
        {"0.0#0", 1.5, "1.500"},
        {"(#)", 42, "(42)"},
        {".##", 12.345, "12.35"},
        {"", 2.5, "2.5"},
        {"0.00", kNaN, "NAN"},
        {"0.00", -kInf, "-INF"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(formatFloat(c.pattern, c.value), c.text) << c.pattern << " " << c.value;
}

TEST(NumberFormat, FloatToText)
{
    struct Case
    {
        double value;
        const char *text;
    };
    const Case cases[] = {
        {0, "0"},
        {-0.0, "0"},
        {0.1, "0.1"},
        {2.5, "2.5"},
        {-2.5, "-2.5"},
        {100, "100"},
        {12345.678, "12345.678"},
        {1.0005, "1.0005"},
        {0.1 + 0.2, "0.3"},
        {1.0 / 3, "0.333333333333333"},
        {2.0 / 3, "0.666666666666667"},
        // Fixed form up to 15 integer digits, after rounding to 15 significant digits.
        {123456789012345, "123456789012345"},
        {999999999999999, "999999999999999"},
        {1e15, "1E15"},
        {999999999999999.9, "1E15"},
        {1234567890123456, "1.23456789012346E15"},
        {123456789012345680, "1.23456789012346E17"},
        {1e20, "1E20"},
        {-1e20, "-1E20"},
        {1.7976931348623157e308, "1.79769313486232E308"},
        // Fixed form down to 0.0001.
        {0.0001, "0.0001"},
        {0.00012345, "0.00012345"},
        {9.999999999999995e-05, "0.0001"},
        {9.99999999999999e-05, "9.99999999999999E-5"},
        {1e-5, "1E-5"},
        {-1e-5, "-1E-5"},
        {0.00001234, "1.234E-5"},
        {1.5e-10, "1.5E-10"},
        {kNaN, "NAN"},
        {kInf, "INF"},
        {-kInf, "-INF"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(floatToText(c.value), c.text) << c.text;

    // The text reads back as the same value whenever 15 digits hold it.
    for (double v : {0.1, 2.5, 1e15, 1e-5, 0.0001, 123456.789, -7.25e-200, 1.5e300})
        EXPECT_EQ(parseFloat(floatToText(v)), v) << v;
}

TEST(NumberFormat, ParseFloat)
{
    struct Case
    {
        const char *text;
        std::optional<double> value;
    };
    const Case cases[] = {
        {"2.5", 2.5},
        {"  2.5 ", 2.5},
        {"-1.5E-3", -1.5e-3},
        {"+3", 3.0},
        {".5", 0.5},
        {"5.", 5.0},
        {"1e5", 1e5},
        {"1E+05", 1e5},
        {"007", 7.0},
        {"1e-400", 0.0}, // too small for a double
        {"0.00000000000000000000000000000000000000001e-300", 0.0},
        {"2,5", std::nullopt}, // a comma is not a decimal separator
        {"", std::nullopt},
        {"  ", std::nullopt},
        {".", std::nullopt},
        {"-", std::nullopt},
        {"1e", std::nullopt},
        {"e5", std::nullopt},
        {"1.2.3", std::nullopt},
        {"1 2", std::nullopt},
        {"--1", std::nullopt},
        {"inf", std::nullopt},
        {"nan", std::nullopt},
        {"0x10", std::nullopt},
        {"1e400", std::nullopt}, // too large for a double
        {"1000000000000000000000000000000000000000e300", std::nullopt},
    };
    for (const Case &c : cases)
        EXPECT_EQ(parseFloat(c.text), c.value) << '"' << c.text << '"';
    EXPECT_TRUE(std::signbit(*parseFloat("-1e-400")));
}

TEST(NumberFormat, ParseInteger)
{
    struct Case
    {
        const char *text;
        std::optional<long long> value;
    };
    const Case cases[] = {
        {"0", 0},
        {" 42 ", 42},
        {"+42", 42},
        {"-42", -42},
        {"9223372036854775807", 9223372036854775807LL},
        {"-9223372036854775808", std::numeric_limits<long long>::min()},
        {"9223372036854775808", std::nullopt},
        {"", std::nullopt},
        {"-", std::nullopt},
        {"+-1", std::nullopt},
        {"1.0", std::nullopt},
        {"1e3", std::nullopt},
        {"12a", std::nullopt},
    };
    for (const Case &c : cases)
        EXPECT_EQ(parseInteger(c.text), c.value) << '"' << c.text << '"';
}

TEST(NumberFormat, EncodeDate)
{
    struct Case
    {
        int year, month, day;
        double value;
    };
    const Case cases[] = {
        {1899, 12, 30, 0},    {1899, 12, 31, 1},    {1900, 3, 1, 61},   {2009, 3, 5, 39877},
        {2000, 2, 29, 36585}, {1800, 1, 1, -36522}, {1, 1, 1, -693593}, {9999, 12, 31, 2958465},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(encodeDate(c.year, c.month, c.day), c.value) << c.year << '-' << c.month << '-' << c.day;
        EXPECT_EQ(parseDateTime(dateToText(c.value)), c.value) << c.value;
    }
    const int invalid[][3] = {{1900, 2, 29}, {2009, 2, 29}, {2009, 4, 31}, {2009, 13, 1},
                              {2009, 0, 1},  {2009, 1, 0},  {0, 1, 1},     {10000, 1, 1}};
    for (const auto &d : invalid)
        EXPECT_THROW(encodeDate(d[0], d[1], d[2]), tarvena::Error) << d[0] << '-' << d[1] << '-' << d[2];
}

TEST(NumberFormat, DateTimeText)
{
    struct Case
    {
        double value;
        const char *dateTime;
        const char *date;
    };
    const Case cases[] = {
        {39877, "05.03.2009", "05.03.2009"},
        {39877.5, "05.03.2009 12:00:00", "05.03.2009"},
        {39877 + (13 * 3600 + 7 * 60 + 9) / 86400.0, "05.03.2009 13:07:09", "05.03.2009"},
        {0, "30.12.1899", "30.12.1899"},
        {-1.25, "29.12.1899 06:00:00", "29.12.1899"}, // before day 0 the fraction is still the time
        {39877 + 86399.9999 / 86400, "06.03.2009", "06.03.2009"}, // a time that rounds to midnight
        {-693593, "01.01.0001", "01.01.0001"},
        {2958465.5, "31.12.9999 12:00:00", "31.12.9999"},
        {3e6, "3000000", "3000000"}, // beyond the calendar: the number itself
        {kNaN, "NAN", "NAN"},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(dateTimeToText(c.value), c.dateTime) << c.value;
        EXPECT_EQ(dateToText(c.value), c.date) << c.value;
    }
}

TEST(NumberFormat, ParseDateTime)
{
    struct Case
    {
        const char *text;
        std::optional<double> value;
    };
    const Case cases[] = {
        {"05.03.2009", 39877},
        {" 5.3.2009 ", 39877},
        {"05.03.2009 12:00:00", 39877.5},
        {"05.03.2009  18:00", 39877.75},
        {"12:00:00", 0.5},
        {"29.12.1899 06:00:00", -1.25},
        {"29.02.2000", 36585},
        {"29.02.2009", std::nullopt},
        {"32.01.2009", std::nullopt},
        {"05.03.09", std::nullopt},
        {"05/03/2009", std::nullopt},
        {"2009-03-05", std::nullopt},
        {"05.03.2009 24:00:00", std::nullopt},
        {"05.03.2009 12:60", std::nullopt},
        {"05.03.2009 12", std::nullopt},
        {"05.03.2009 12:00:00:00", std::nullopt},
        {"005.03.2009", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case &c : cases)
        EXPECT_EQ(parseDateTime(c.text), c.value) << '"' << c.text << '"';
}

// The machine's locale (here a Russian one, with "," as its decimal separator) changes nothing.
TEST(NumberFormat, IndependentOfTheMachineLocale)
{
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    if (!std::setlocale(LC_ALL, "ru_RU.UTF-8"))
        GTEST_SKIP() << "the ru_RU.UTF-8 locale is not installed";
    struct Restore
    {
        std::string name;
        ~Restore() { std::setlocale(LC_ALL, name.c_str()); }
    } restore{saved};
    ASSERT_STREQ(std::localeconv()->decimal_point, ",");

    EXPECT_EQ(formatFloat("#########0.###", 1234.5678), "1234.568");
    EXPECT_EQ(formatFloat("# ### ###", 25000), " 25 000");
    EXPECT_EQ(formatFloat("#00.000000", 5.5), "05.500000");
    EXPECT_EQ(floatToText(2.5), "2.5");
    EXPECT_EQ(floatToText(1.5e-10), "1.5E-10");
    EXPECT_EQ(parseFloat("2.5"), 2.5);
    EXPECT_EQ(parseFloat("2,5"), std::nullopt);
    EXPECT_EQ(parseInteger("1234567"), 1234567);
    EXPECT_EQ(dateToText(encodeDate(2009, 3, 5)), "05.03.2009");
    EXPECT_EQ(dateTimeToText(39877.5), "05.03.2009 12:00:00");
    EXPECT_EQ(parseDateTime("05.03.2009"), 39877);
}
