// Reading contour points from text: words and columns, the zone of the projections, the territory
// bounds, where an import stops and what it tells the user.
#include "model/contourimport.h"
#include "storage/error.h"
#include "tests/support/samplepassport.h"

#include <gtest/gtest.h>

using namespace tarvena;
using tarvena::testing::cp;

namespace {

struct ImportCase
{
    const char *name;
    std::string text; // code page 1251
    ContourImportSettings settings;
    std::vector<ContourPoint> points;
    std::vector<int> badLines = {};
    ImportStop stop = ImportStop::None;
    int stopLine = 0;
};

ContourImportSettings inSystem(int system, int start = 1, int count = 0)
{
    ContourImportSettings settings;
    settings.system = system;
    settings.startLine = start;
    settings.lineCount = count;
    return settings;
}

ContourImportSettings zone(int systemNumber, const char *zoneText, bool given = true)
{
    ContourImportSettings settings = inSystem(systemNumber);
    settings.zone = zoneText;
    settings.zoneGiven = given;
    return settings;
}

ContourImportSettings columns(int systemNumber, int x, int y)
{
    ContourImportSettings settings = inSystem(systemNumber);
    settings.xColumn = x;
    settings.yColumn = y;
    return settings;
}

std::string tenLines()
{
    std::string text;
    for (int i = 0; i < 10; ++i)
        text += "37." + std::to_string(i) + " 55.7\n";
    return text;
}

const std::vector<ImportCase> &importCases()
{
    static const std::vector<ImportCase> cases = {
        {"header line skipped, comma and semicolon separate",
         "X Y\n37.5 55.7\n38.0;56.0",
         inSystem(2, 2),
         {{37.5, 55.7}, {38, 56}}},
        {"a header line read as a point is not a number", "X Y\n37.5 55.7", inSystem(2), {{37.5, 55.7}}, {1}},
        {"decimal commas split the number and fail the territory",
         "37,5 55,7",
         inSystem(2),
         {},
         {},
         ImportStop::OutsideTerritory,
         1},
        {"tabs and runs of delimiters are one separator",
         " \t37.5,, ;55.7\r\n38 56\r39 57",
         inSystem(2),
         {{37.5, 55.7}, {38, 56}, {39, 57}}},
        {"longitude 19.62 is inside", "19.62 55", inSystem(2), {{19.62, 55}}},
        {"longitude 19.61 is outside and stops the import",
         "20 55\n19.61 55\n21 56",
         inSystem(2),
         {{20, 55}},
         {},
         ImportStop::OutsideTerritory,
         2},
        {"latitude bounds 41.17 and 81.85",
         "30 41.17\n30 81.85\n30 81.86",
         inSystem(2),
         {{30, 41.17}, {30, 81.85}},
         {},
         ImportStop::OutsideTerritory,
         3},
        {"degrees, minutes and seconds with any separator",
         cp("37°30\"00 55:45:36.5\n38'0'0 56'0'0"),
         inSystem(1),
         {{37.5, 55 + 45 / 60.0 + 36.5 / 3600}, {38, 56}}},
        {"a bad degrees-minutes-seconds word stops the import",
         "37:30:00 55:30:00\n37:30 55:30:00",
         inSystem(1),
         {{37.5, 55.5}},
         {},
         ImportStop::BadDegMinSec,
         2},
        {"Mercator takes the zone from the list: zone 1",
         "512345.5 6170000",
         zone(3, "1"),
         {{1512345.5, 6170000}}},
        {"Mercator zone 60 at its bounds",
         "243000 4563000\n756000 9089000",
         zone(3, "60"),
         {{60243000, 4563000}, {60756000, 9089000}}},
        {"Mercator zone 33 is refused",
         "500000 6000000",
         zone(3, "33"),
         {},
         {},
         ImportStop::OutsideTerritory,
         1},
        {"Mercator uses the list even when the zone is said to be in the coordinates",
         "512345 6170000",
         zone(3, "2", false),
         {{2512345, 6170000}}},
        {"Gauss-Krüger zone in the coordinates: zone 7",
         "7512345 6170000",
         zone(4, "4", false),
         {{7512345, 6170000}}},
        {"Gauss-Krüger zone from the list", "512345 6170000", zone(4, "13"), {{13512345, 6170000}}},
        {"Gauss-Krüger zone 33 is always refused",
         "33512345 6170000",
         zone(4, "4", false),
         {},
         {},
         ImportStop::OutsideTerritory,
         1},
        {"Gauss-Krüger zone 4 begins at easting 411000",
         "4411000 6000000\n4410999 6000000",
         zone(4, "4", false),
         {{4411000, 6000000}},
         {},
         ImportStop::OutsideTerritory,
         2},
        {"Gauss-Krüger zone 32 ends at easting 593000",
         "32593000 9092000\n32593001 9092000",
         zone(4, "4", false),
         {{32593000, 9092000}},
         {},
         ImportStop::OutsideTerritory,
         2},
        {"a word that is no number is skipped and the import goes on",
         "37.5 55.7\n37.x 55\n38 56",
         inSystem(2),
         {{37.5, 55.7}, {38, 56}},
         {2}},
        {"a zone that makes no number is skipped",
         "512345 6170000\n512345 6170000",
         zone(4, "z"),
         {},
         {1, 2},
         ImportStop::NothingRead,
         1},
        {"no line a number: the old contour stays",
         cp("X Y\n55°30\"00 37°30\"00"),
         inSystem(2),
         {},
         {1, 2},
         ImportStop::NothingRead,
         1},
        {"lines limited to 3 of 10",
         tenLines(),
         inSystem(2, 1, 3),
         {{37.0, 55.7}, {37.1, 55.7}, {37.2, 55.7}}},
        {"the limit counts from the start line", tenLines(), inSystem(2, 9, 5), {{37.8, 55.7}, {37.9, 55.7}}},
        {"empty lines at the end end the text",
         "37.5 55.7\n38 56\n\n \t\n",
         inSystem(2),
         {{37.5, 55.7}, {38, 56}}},
        {"a one-word line at the end ends the text", "37.5 55.7\n38", inSystem(2), {{37.5, 55.7}}},
        {"lines past the count do not make a stop damage",
         "37.5 55.7\n\n38 56",
         inSystem(2, 1, 2),
         {{37.5, 55.7}}},
        // A line that ends the data while lines with words follow it: the text is damaged.
        {"an empty line amid the data",
         "37.5 55.7\n\n38 56",
         inSystem(2),
         {{37.5, 55.7}},
         {},
         ImportStop::Damaged,
         2},
        {"a missing column amid the data",
         "37.5 55.7\n38\n39 57",
         inSystem(2),
         {{37.5, 55.7}},
         {},
         ImportStop::Damaged,
         2},
        {"a NUL where the separator belongs",
         std::string("37.5 55.7\n38") + '\0' + "56\n39 57",
         inSystem(2),
         {{37.5, 55.7}},
         {},
         ImportStop::Damaged,
         2},
        {"a NUL in the degrees separator",
         cp("37:30:00 55:30:00\n38") + std::string("\0", 1) + "0:00 56:0:0",
         inSystem(1),
         {{37.5, 55.5}},
         {},
         ImportStop::BadDegMinSec,
         2},
        {"control characters in a number",
         "37.5 55.7\n38\x01 56\n39 5\x7F"
         "7\n40 58",
         inSystem(2),
         {{37.5, 55.7}, {40, 58}},
         {2, 3}},
        {"NaN, infinity and a huge number are no numbers",
         "nan 55\n37 inf\n1e999 55\n" + std::string(400, '9') + " 55\n38 56",
         inSystem(2),
         {{38, 56}},
         {1, 2, 3, 4}},
        {"columns picked by number", "1 A 37.5 55.7", columns(2, 3, 4), {{37.5, 55.7}}},
        {"column 0 gives no word", "37.5 55.7", columns(2, 0, 1), {}},
        {"an empty text adds nothing", "", inSystem(2), {}},
        {"a start line after the last line adds nothing", "37.5 55.7", inSystem(2, 2), {}},
        {"no coordinate system chosen", "37.5 55.7", inSystem(0), {}, {}, ImportStop::NoSystem, 1},
        {"no coordinate system and no line to read", "", inSystem(0), {}},
        {"an unknown system adds nothing", "37.5 55.7", inSystem(7), {}},
    };
    return cases;
}

TEST(ContourImport, ReadsTheCasesOfTheImportDialog)
{
    for (const ImportCase &c : importCases()) {
        SCOPED_TRACE(c.name);
        const ContourImportResult result = readContour(textLines(c.text), c.settings);
        ASSERT_EQ(result.points.size(), c.points.size());
        for (std::size_t i = 0; i < c.points.size(); ++i) {
            EXPECT_DOUBLE_EQ(result.points[i].x, c.points[i].x) << "point " << i;
            EXPECT_DOUBLE_EQ(result.points[i].y, c.points[i].y) << "point " << i;
        }
        std::vector<int> badLines;
        for (const BadNumberLine &bad : result.badNumberLines)
            badLines.push_back(bad.line);
        EXPECT_EQ(badLines, c.badLines);
        EXPECT_EQ(result.stop, c.stop);
        EXPECT_EQ(result.stopLine, c.stopLine);
    }
}

TEST(ContourImport, RefusesSettingsBeforeReadingAnything)
{
    EXPECT_THROW(readContour(textLines("37.5 55.7"), inSystem(2, 0)), Error);
    EXPECT_THROW(readContour(textLines("37.5 55.7"), inSystem(2, -5)), Error);
    EXPECT_THROW(readContour(textLines("37.5 55.7"), inSystem(2, 1, -1)), Error);
}

TEST(ContourImport, TellsWhatStoppedItAndWhichLines)
{
    struct Told
    {
        std::string text;
        ContourImportSettings settings;
        std::vector<ImportNotice> notices;
    };
    const std::string outside = "Координаты не соответствуют территории России.\nСтрока 3: «19.61 55». "
                                "Контур горизонта не изменён.";
    const std::string badDms = "Ошибка, неправильный формат числа. Формат:ЦЕЛОЕ_ЧИСЛО_ГРАДУСОВ разделитель "
                               "ЦЕЛОЕ_ЧИСЛО_МИНУТ разделитель ЧИСЛО_СЕКУНД\nСтрока 1: «55 37». Контур "
                               "горизонта не изменён.";
    const std::vector<Told> cases = {
        {"37 55\n38 56", inSystem(2), {}},
        {"37 55",
         inSystem(0),
         {{ImportNotice::Warning, "Ввод не выполнен!", "Укажите тип координат.", true}}},
        {"37 55\nx 55\n19.61 55",
         inSystem(2),
         {{ImportNotice::Message, "",
           " Ошибка!  Неверно указан тип координат. \nСтрока 2: \"x\" не является числом."},
          {ImportNotice::Warning, "Ввод не выполнен!", outside, true}}},
        {"55 37", inSystem(1), {{ImportNotice::Error, "", badDms}}},
        {"a 1\nb 1\nc 1\nd 1\ne 1\nf 1\ng 1\nh 1\ni 1\nj 1\nk 1\nl 1",
         inSystem(2),
         {{ImportNotice::Message, "",
           " Ошибка!  Неверно указан тип координат. \nСтрока 1: \"a\" не является числом.\nСтрока 2: \"b\" "
           "не "
           "является числом.\nСтрока 3: \"c\" не является числом.\nСтрока 4: \"d\" не является "
           "числом.\nСтрока 5: \"e\" не является числом.\nСтрока 6: \"f\" не является числом.\nСтрока 7: "
           "\"g\" не является числом.\nСтрока 8: \"h\" не является числом.\nСтрока 9: \"i\" не является "
           "числом.\nСтрока 10: \"j\" не является числом.\nИ ещё строк с ошибками: 2. Контур горизонта не "
           "изменён."}}},
        {"512345 6170000\nnan 6170000\n512345 " + std::string(400, '7') + "\n",
         zone(4, "13"),
         {{ImportNotice::Message, "",
           " Ошибка!  Неверно указан тип координат. \nСтрока 2: \"13nan\" не является числом.\nСтрока 3: \"" +
               std::string(40, '7') + "...\" не является числом."}}},
        {std::string("37 55\n38") + '\0' + "56\n39 57",
         inSystem(2),
         {{ImportNotice::Warning, "Ввод не выполнен!",
           "Текст с координатами повреждён: в строке нет долготы или широты, а после неё идут другие строки "
           "с данными. Импорт отменён.\nСтрока 2: «38␀56». Контур горизонта не изменён.",
           true}}},
    };
    for (const Told &c : cases) {
        SCOPED_TRACE(c.text);
        const std::vector<ImportNotice> notices = importNotices(readContour(textLines(c.text), c.settings));
        ASSERT_EQ(notices.size(), c.notices.size());
        for (std::size_t i = 0; i < notices.size(); ++i) {
            EXPECT_EQ(notices[i].kind, c.notices[i].kind);
            EXPECT_EQ(notices[i].caption, c.notices[i].caption);
            EXPECT_EQ(notices[i].text, c.notices[i].text);
            EXPECT_EQ(notices[i].showContourPage, c.notices[i].showContourPage);
        }
    }
}

} // namespace

namespace {

TEST(ContourImport, ZoneControlsFollowTheSystem)
{
    struct Expected
    {
        int system;
        bool known, list, inCoordinates;
        std::size_t zones;
        const char *first, *last;
    };
    const Expected cases[] = {{0, false, false, false, 0, "", ""},  {1, true, false, false, 0, "", ""},
                              {2, true, false, false, 0, "", ""},   {3, true, true, false, 29, "34", "2"},
                              {4, true, true, true, 29, "4", "32"}, {5, false, false, false, 0, "", ""}};
    for (const Expected &c : cases) {
        SCOPED_TRACE(c.system);
        const std::optional<ImportZoneControls> controls = importZoneControls(c.system);
        ASSERT_EQ(controls.has_value(), c.known);
        if (!controls)
            continue;
        EXPECT_EQ(controls->zoneListEnabled, c.list);
        EXPECT_EQ(controls->zoneInCoordinatesEnabled, c.inCoordinates);
        ASSERT_EQ(controls->zones.size(), c.zones);
        if (c.zones) {
            EXPECT_EQ(controls->zones.front(), c.first);
            EXPECT_EQ(controls->zones.back(), c.last);
        }
    }
    EXPECT_EQ(importZoneControls(3)->zones[27], "1");
}

} // namespace
