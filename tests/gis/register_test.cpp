// tarvena-cli register over a folder as an organisation keeps it: the sample passport, a copy whose
// contours were cleared, a damaged file and a file of another kind; the register read back without
// our code (sqlite3 for the GeoPackage, xlrd for the workbook).
#include "exchange/workbooks/outputfile.h"
#include "tests/exchange/readback.h"
#include "tests/gis/gisfixture.h"
#include "tests/gis/gisread.h"
#include "tests/support/clirun.h"

#include <gtest/gtest.h>

#include <fstream>

#include <sys/stat.h>
#include <unistd.h>

using namespace tarvena;
using namespace tarvena::testing;

namespace {

namespace fs = std::filesystem;

const char *const kSampleName = "Северо-Тарвенская.psp";
const char *const kCleared = "архив/Без контуров.psp";
const char *const kDamaged = "damaged.psp";

bool contains(const std::string &text, const std::string &part)
{
    return text.find(part) != std::string::npos;
}

class RegisterTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        mPassports = mFolder.path() / "паспорта";
        fs::create_directories(mPassports / pathFromUtf8("архив"));
        const fs::path sample = pathFromUtf8(std::string(TARVENA_BIN_DIR) + "/samples/" + kSampleName);
        fs::copy_file(sample, mPassports / pathFromUtf8(kSampleName));

        auto dm = newDataModule();
        dm->OpenPassport(pathToUtf8(sample));
        dm->KONTUR.SetFiltered(false);
        dm->KONTUR.EmptyTable();
        dm->SavePassport(pathToUtf8(mPassports / pathFromUtf8(kCleared)));

        const std::string bytes = readFileBytes(sample);
        std::ofstream(mPassports / kDamaged, std::ios::binary) << bytes.substr(0, bytes.size() / 3);
        std::ofstream(mPassports / "readme.txt") << "not a passport";
    }

    CliRun registerTo(const fs::path &out)
    {
        return runCli({"register", pathToUtf8(mPassports), pathToUtf8(out)});
    }

    TempFolder mFolder;
    fs::path mPassports;
};

TEST_F(RegisterTest, GeoPackageHasARowPerPassportAndTheContoursJoinedByFileName)
{
    const fs::path out = mFolder.path() / "реестр.gpkg";
    const CliRun run = registerTo(out);
    ASSERT_EQ(run.exitCode, 0) << run.out;
    EXPECT_TRUE(contains(
        run.out, std::string(kCleared) +
                     ": Горизонт 1 «пласт ПК1 (покурская свита)»: нет точек контура, контур пропущен."))
        << run.out;
    EXPECT_TRUE(contains(run.out, "Паспортов в реестре: 3, не прочитано: 1, контуров: 4.")) << run.out;

    const GisFile passports = readGisFile("gpkg", out, "passports");
    ASSERT_EQ(passports.features.size(), 3u);
    // In the order of the file names.
    const GisFeature &damaged = passports.features[0];
    const GisFeature &sample = passports.features[1];
    const GisFeature &cleared = passports.features[2];
    EXPECT_EQ(damaged.text("FILENAME"), kDamaged);
    EXPECT_NE(damaged.text("ERROR"), "<null>");
    EXPECT_EQ(damaged.text("OBJECTNAME"), "<null>");
    EXPECT_EQ(damaged.number("HORIZONS"), std::nullopt);

    const std::pair<const char *, const char *> texts[] = {
        {"FILENAME", kSampleName},
        {"OBJECTNAME", "Северо-Тарвенская структура"},
        {"FEDERALOKRUG", "Уральский федеральный округ"},
        {"OBLAST", "Ямало-Ненецкий автономный округ"},
        {"REPUBLIC", "<null>"},
        {"GEO_PROVINCE", "Западно-Сибирская"},
        {"PREPARATIONMETHOD", "Сейсморазведка МОГТ 2D/3D"},
        {"OIL_RANGE", "от 0.81   до 12.39"},
        {"ERROR", "<null>"},
    };
    for (const auto &[name, text] : texts)
        EXPECT_EQ(sample.text(name), text) << name;
    const std::pair<const char *, double> numbers[] = {
        {"SHOWINGUPYEAR", 2009},
        {"STARTPREPARATIONYEAR", 2016},
        {"ENDPREPARATIONYEAR", 2018},
        {"PREPAREDFUNDYEAR", 2019},
        {"OIL_D0", 6.86},
        {"GAS_D0", 17867.776},
        {"COND_P", 1.08},
        {"HORIZONS", 4},
        {"POINTS", 398},
    };
    for (const auto &[name, number] : numbers)
        EXPECT_EQ(sample.number(name), number) << name;
    EXPECT_EQ(cleared.text("FILENAME"), kCleared);
    EXPECT_EQ(cleared.number("HORIZONS"), 4);
    EXPECT_EQ(cleared.number("POINTS"), 0);

    // Passports of many zones share the geographic CRS.
    const GisFile contours = readGisFile("gpkg", out, "contours");
    EXPECT_EQ(contours.crs, "EPSG:4284");
    ASSERT_EQ(contours.features.size(), 4u);
    for (const GisFeature &contour : contours.features) {
        EXPECT_EQ(contour.text("FILENAME"), kSampleName);
        EXPECT_EQ(contour.text("OBJECTNAME"), "Северо-Тарвенская структура");
        EXPECT_GT(contour.ring.size(), 50u);
    }
    EXPECT_EQ(contours.features[2].text("STRATIGRSVIT"), "пласт Ач1 (ачимовская толща)");
}

TEST_F(RegisterTest, WorkbookHasTheHeadingsAndARowPerPassport)
{
    const fs::path out = mFolder.path() / "реестр.xls";
    const CliRun run = registerTo(out);
    ASSERT_EQ(run.exitCode, 0) << run.out;
    const ReadWorkbook book = readWorkbook(out);
    ASSERT_EQ(book.sheets.size(), 1u);
    EXPECT_TRUE(book.problems.empty());
    const ReadSheet &sheet = book.sheets[0];
    EXPECT_EQ(sheet.rows, 4);
    auto text = [&](int row, int column) {
        const ReadCell *cell = sheet.cell(row, column);
        return cell ? cell->text : std::string("<none>");
    };
    EXPECT_EQ(text(1, 1), "Файл");
    EXPECT_EQ(text(1, 2), "Наименование объекта");
    EXPECT_TRUE(sheet.cell(1, 1)->bold);
    EXPECT_EQ(text(1, sheet.columns), "Ошибка");
    EXPECT_EQ(text(2, 1), kDamaged);
    EXPECT_NE(text(2, sheet.columns), "<none>");
    EXPECT_EQ(text(3, 1), kSampleName);
    EXPECT_EQ(text(3, 2), "Северо-Тарвенская структура");
    EXPECT_EQ(text(3, sheet.columns - 3), "398");
    // The passport check's errors and warnings: the sample lacks only what a reviewer may do without.
    EXPECT_EQ(text(1, sheet.columns - 2), "Ошибок проверки паспорта");
    EXPECT_EQ(text(3, sheet.columns - 2), "0");
    EXPECT_EQ(text(3, sheet.columns - 1), "8");
    EXPECT_EQ(text(3, sheet.columns), "<none>");
    EXPECT_EQ(text(4, 1), kCleared);
    EXPECT_EQ(text(4, sheet.columns - 3), "0");
    EXPECT_NE(text(4, sheet.columns - 2), "0");
    EXPECT_EQ(text(2, sheet.columns - 2), "<none>");
}

// Names that cannot be read as a passport are rows with their error, counted, and never opened (a
// pipe would hold the register forever).
TEST_F(RegisterTest, NamesThatAreNoPassportFileAreRowsWithTheirError)
{
    struct Case
    {
        std::string name;
        std::string error;
    };
    std::vector<Case> cases = {{"x.psp", "это не файл, а канал (FIFO)"},
                               {"петля.psp", "Too many levels of symbolic links"}};
    ASSERT_EQ(::mkfifo((mPassports / "x.psp").c_str(), 0644), 0);
    fs::create_symlink(pathFromUtf8("петля.psp"), mPassports / pathFromUtf8("петля.psp"));
    // The superuser lists any folder.
    const fs::path closed = mPassports / pathFromUtf8("закрыто");
    if (::geteuid() != 0) {
        fs::create_directories(closed);
        fs::permissions(closed, fs::perms::none);
        cases.push_back({"закрыто", "не удалось прочитать папку"});
    }

    const fs::path out = mFolder.path() / "реестр.gpkg";
    const CliRun run = registerTo(out);
    if (fs::exists(closed))
        fs::permissions(closed, fs::perms::owner_all);
    ASSERT_EQ(run.exitCode, 0) << run.out;
    const std::string count = std::to_string(3 + cases.size());
    const std::string unreadable = std::to_string(1 + cases.size());
    EXPECT_TRUE(contains(run.out, "Паспортов в реестре: " + count + ", не прочитано: " + unreadable))
        << run.out;
    const GisFile passports = readGisFile("gpkg", out, "passports");
    for (const Case &item : cases) {
        bool found = false;
        for (const GisFeature &row : passports.features)
            if (row.text("FILENAME") == item.name) {
                found = true;
                EXPECT_TRUE(contains(row.text("ERROR"), item.error)) << row.text("ERROR");
            }
        EXPECT_TRUE(found) << item.name;
    }
}

TEST_F(RegisterTest, RefusesAMissingFolderAndAnotherKindOfFile)
{
    const CliRun missing =
        runCli({"register", pathToUtf8(mFolder.path() / "нет"), pathToUtf8(mFolder.path() / "r.gpkg")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(contains(missing.out, "не найдена")) << missing.out;
    const CliRun text = registerTo(mFolder.path() / "r.txt");
    EXPECT_EQ(text.exitCode, 1);
    EXPECT_TRUE(contains(text.out, "Реестр записывается в файл .gpkg или .xls")) << text.out;
    EXPECT_FALSE(fs::exists(mFolder.path() / "r.gpkg"));
    EXPECT_FALSE(fs::exists(mFolder.path() / "r.txt"));
}

} // namespace
