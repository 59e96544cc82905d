// Coordinate texts: formatting by coordinate system, degrees-minutes-seconds reading, editor texts.
#include "model/coordinates.h"
#include "storage/error.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

using namespace tarvena;

namespace {

const char *const FormatError = "Ошибка, неправильный формат числа. Формат:ЦЕЛОЕ_ЧИСЛО_ГРАДУСОВ разделитель "
                                "ЦЕЛОЕ_ЧИСЛО_МИНУТ разделитель ЧИСЛО_СЕКУНД";

TEST(Coordinates, FormatBySystem)
{
    struct Case
    {
        int system;
        double value;
        const char *text; // code page 1251: the degree sign is \xB0
    };
    const Case cases[] = {
        {1, 55.5,
         "55\xB0"
         "30\"00.000"},
        {1, 37.6175,
         "37\xB0"
         "37\"03.000"},
        {1, -37.6175, "-37\xB0-37\"-03.000"},
        // Seconds are rounded only when written, with no carry into the minutes.
        {1, 55 + 29 / 60.0 + 59.9996 / 3600,
         "55\xB0"
         "29\"60.000"},
        {1, 0,
         "0\xB0"
         "0\"00.000"},
        {2, 5.5, "05.500000"},
        {2, 123.4567891, "123.456789"},
        {4, 12.25, "12.25"},
        {4, 5, "5"},
        {3, 7412345.123456789, "7412345.123456789"},
        {0, 0.1234567891, "0.123456789"},
        {5, 1, ""},
        {-1, 1, ""},
        // No whole degrees to show: an empty text, not a point at zero.
        {1, NAN, ""},
        {1, INFINITY, ""},
        {1, -INFINITY, ""},
        {1, 1e19, ""},
    };
    for (const Case &c : cases)
        EXPECT_EQ(FormatCoordinate(c.system, c.value), c.text) << c.system << " " << c.value;
}

TEST(Coordinates, SplitDegreesCarriesTheSign)
{
    const DegMinSec positive = SplitDegrees(55.5);
    EXPECT_EQ(positive.degrees, 55);
    EXPECT_EQ(positive.minutes, 30);
    EXPECT_NEAR(positive.seconds, 0, 1e-9);
    const DegMinSec negative = SplitDegrees(-10.2525);
    EXPECT_EQ(negative.degrees, -10);
    EXPECT_EQ(negative.minutes, -15);
    EXPECT_NEAR(negative.seconds, -9, 1e-9);
    // A value far beyond any whole number of degrees has no parts instead of undefined arithmetic.
    const DegMinSec huge = SplitDegrees(1e300);
    EXPECT_EQ(huge.degrees, 0);
    EXPECT_EQ(huge.minutes, 0);
    EXPECT_FALSE(std::isnan(SplitDegrees(NAN).seconds));
}

TEST(Coordinates, ParseDegMinSecReadsAnySeparator)
{
    struct Case
    {
        const char *text;
        double value;
    };
    const Case cases[] = {
        {"55,30,15.5", 55 + 30 / 60.0 + 15.5 / 3600},
        {"55.30.15.5", 55 + 30 / 60.0 + 15.5 / 3600},
        {"55\xB0"
         "30\"15.5",
         55 + 30 / 60.0 + 15.5 / 3600},
        {"55,75,90", 56.275},
        {"0,0,0", 0},
        {"7;8;1e1", 7 + 8 / 60.0 + 10 / 3600.0},
    };
    for (const Case &c : cases)
        EXPECT_NEAR(ParseDegMinSec(c.text), c.value, 1e-12) << c.text;
    EXPECT_NEAR(ParseDegMinSec("55,30,15.5"), 55.504305555, 1e-9);
}

TEST(Coordinates, ParseDegMinSecRefusesOtherForms)
{
    const char *const refused[] = {
        "",               // no degrees
        "55,30",          // nothing left for the seconds
        "55,30,",         // nothing left for the seconds
        "553015",         // one run of digits, no separators
        "-55,30,15",      // a sign cannot be given
        "55,,15",         // no minutes
        "55,30,abc",      // seconds do not convert
        "55,30,1,5",      // a comma is not a decimal separator
        "3000000000,0,0", // degrees beyond 32 bits
        "1,99999999999,0",
    };
    for (const char *text : refused) {
        try {
            ParseDegMinSec(text);
            ADD_FAILURE() << "accepted " << text;
        } catch (const Error &e) {
            EXPECT_STREQ(e.what(), FormatError) << text;
        }
    }
}

TEST(Coordinates, EditorTexts)
{
    EXPECT_EQ(coordinateText(1, std::nullopt), "0\xB0"
                                               "0\"0");
    EXPECT_EQ(coordinateText(2, std::nullopt), "");
    EXPECT_EQ(coordinateText(4, std::nullopt), "");
    EXPECT_EQ(coordinateText(2, 5.5), "05.500000");

    struct Case
    {
        int system;
        const char *text;
        std::optional<double> value;
    };
    const Case cases[] = {
        {1,
         "0\xB0"
         "0\"0",
         std::nullopt}, // the text of an empty point stays empty
        {1, "0,0,0", std::nullopt},
        {1, "", std::nullopt},
        {1, " 55 , 30 , 15.5 ", 55 + 30 / 60.0 + 15.5 / 3600},
        {2, "", std::nullopt},
        {2, " 5.5", 5.5},
        {2, "0", 0.0}, // outside degrees-minutes-seconds 0 is a value like any other
        {4, "7 412 345.5", 7412345.5},
        {4, "-1.5E3", -1500.0},
    };
    for (const Case &c : cases) {
        const std::optional<double> value = coordinateFromText(c.system, c.text);
        ASSERT_EQ(value.has_value(), c.value.has_value()) << c.system << " " << c.text;
        if (value) {
            EXPECT_NEAR(*value, *c.value, 1e-9) << c.system << " " << c.text;
        }
    }
}

TEST(Coordinates, EditorRefusals)
{
    // Degrees, minutes and seconds separated only by spaces lose their separators.
    EXPECT_THROW(coordinateFromText(1, "55 30 15"), Error);
    EXPECT_THROW(coordinateFromText(1, "55,30"), Error);
    EXPECT_THROW(coordinateFromText(2, "5,5"), Error);
    EXPECT_THROW(coordinateFromText(4, "abc"), Error);
    EXPECT_THROW(coordinateFromText(0, "1.2.3"), Error);
}

} // namespace

namespace {

// The texts written into a reused buffer are the editor's texts, for every system: the fixed-point
// route for plain figures and the general one for the values that need rounding or do not fit it.
TEST(Coordinates, BufferedTextsAreTheEditorTexts)
{
    std::vector<std::optional<double>> values = {std::nullopt,
                                                 0.0,
                                                 -0.0,
                                                 1.0005,
                                                 -1.0005,
                                                 0.0000000004,
                                                 0.0000000005,
                                                 -0.0000000004,
                                                 6512345.123456,
                                                 -6512345.1234567891,
                                                 4503599627370496.5,
                                                 1e300,
                                                 -1e-300,
                                                 59.99999999,
                                                 54.9999995,
                                                 9.2e18,
                                                 std::nan(""),
                                                 HUGE_VAL,
                                                 -HUGE_VAL};
    std::mt19937_64 random(7);
    for (int i = 0; i < 3000; ++i) {
        const double whole = double(random() % 90000000) - 45000000;
        values.push_back(whole + double(random() % 1000000) / 1e6);              // typed figures
        values.push_back(whole / 1e5 + std::ldexp(double(random() >> 11), -53)); // computed ones
    }
    CoordinateText buffer;
    for (int system = 0; system <= 5; ++system) {
        for (const std::optional<double> &value : values) {
            const std::string expected = coordinateText(system, value);
            ASSERT_EQ(buffer.of(system, value), expected) << system << " " << (value ? *value : -1);
        }
    }
}

} // namespace
