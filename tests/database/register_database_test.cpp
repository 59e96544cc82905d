// tarvena-cli register into PostgreSQL with PostGIS: what the tables hold after a first run, what a
// second run changes, and the errors; read back with psql.
#include "exchange/workbooks/outputfile.h"
#include "tests/database/databasefixture.h"

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <string>

using namespace tarvena;
using namespace tarvena::testing;

namespace {

namespace fs = std::filesystem;

const char *const kSample = "Северо-Тарвенская.psp";

// Where the passports of the survey lie: the territory west of the antimeridian (Pulkovo 1942).
const char *const kTerritory = "ST_MakeEnvelope(19, 41, 180, 82, 4284)";

class RegisterContentsTest : public DatabaseRegisterTest
{
protected:
    void fill()
    {
        copySample(kSample);
        fs::create_directories(mFolder / "2024");
        for (int i = 0; i < 5; ++i)
            writeGenerated("2024/Объект " + std::to_string(i) + ".psp", 60 + i * 3.5, 55 + i * 2.2,
                           0.05 + 0.04 * i);
        const std::string bytes = readFileBytes(mFolder / pathFromUtf8(kSample));
        std::ofstream(mFolder / "damaged.psp", std::ios::binary) << bytes.substr(0, bytes.size() / 3);
        ASSERT_EQ(::mkfifo((mFolder / "x.psp").c_str(), 0644), 0);
        fs::create_symlink("loop.psp", mFolder / "loop.psp");
    }
};

TEST_F(RegisterContentsTest, TablesHoldEveryPassportAndContourWithItsComputedArea)
{
    fill();
    // The contours in the geographic CRS of the passports and in a projected one of the user's choice.
    const std::pair<const char *, const char *> crsCases[] = {{"", "4284"},
                                                              {"--target-crs EPSG:3857", "3857"}};
    for (const auto &[option, srid] : crsCases) {
        SCOPED_TRACE(srid);
        mDb.rows("DROP SCHEMA IF EXISTS " + mSchema + " CASCADE");
        const CliRun run = registerFolder(option);
        ASSERT_EQ(run.exitCode, 0) << run.out;
        EXPECT_TRUE(contains(run.out, "Реестр в схеме " + mSchema +
                                          ": добавлено 9, изменено 0, удалено 0, без изменений 0, не "
                                          "прочитано 3; записано контуров: 9."))
            << run.out;
        EXPECT_EQ(mDb.value("SELECT count(*) FROM " + table("passports")), "9");
        EXPECT_EQ(mDb.value("SELECT count(*) FROM " + table("contours")), "9");
        EXPECT_EQ(mDb.value("SELECT Find_SRID('" + mSchema + "', 'contours', 'geom')"), srid);

        // Every contour's area on the ellipsoid as PostGIS measures it is the area the program computed.
        const std::vector<std::string> areas = mDb.rows(
            "SELECT \"FILENAME\", \"KONTUR_SQUARE\", ST_Area(ST_Transform(geom, 4326)::geography) / 1e6, "
            "ST_Within(ST_Transform(geom, 4284), " +
            std::string(kTerritory) + ") FROM " + table("contours"));
        ASSERT_EQ(areas.size(), 9u);
        for (const std::string &line : areas) {
            const std::size_t a = line.find('|'), b = line.find('|', a + 1), c = line.find('|', b + 1);
            const double program = std::stod(line.substr(a + 1, b - a - 1));
            const double postgis = std::stod(line.substr(b + 1, c - b - 1));
            EXPECT_NEAR(postgis / program, 1.0, 0.001) << line;
            EXPECT_EQ(line.substr(c + 1), "t") << line;
        }
    }

    // The rows that could not be read say why; nothing was opened of the pipe.
    const std::vector<std::string> errors =
        mDb.rows("SELECT \"FILENAME\", \"ERROR\" IS NOT NULL, \"FILESIZE\" IS NOT NULL FROM " +
                 table("passports") + " WHERE \"ERROR\" IS NOT NULL ORDER BY \"FILENAME\"");
    EXPECT_EQ(errors, (std::vector<std::string>{"damaged.psp|t|t", "loop.psp|t|f", "x.psp|t|f"}));
    EXPECT_TRUE(
        contains(mDb.value("SELECT \"ERROR\" FROM " + table("passports") + " WHERE \"FILENAME\" = 'x.psp'"),
                 "канал (FIFO)"));

    // The sample's row: UTF-8 texts, the geology summary's sums and the file's identity.
    const std::string sample = mDb.value("SELECT \"OBJECTNAME\", \"OIL_D0\", \"GAS_D0\", \"HORIZONS\", "
                                         "\"POINTS\", \"FILESIZE\", \"FILESHA256\" FROM " +
                                         table("passports") + " WHERE \"FILENAME\" = '" + kSample + "'");
    const std::string digest =
        runShell("sha256sum " + shellQuoted(pathToUtf8(mFolder / pathFromUtf8(kSample))) + " | cut -c1-64")
            .out;
    EXPECT_EQ(sample, "Северо-Тарвенская структура|6.86|17867.776|4|398|" +
                          std::to_string(fs::file_size(mFolder / pathFromUtf8(kSample))) + "|" +
                          digest.substr(0, 64));
    EXPECT_EQ(mDb.value("SELECT count(*) FROM " + table("contours") +
                        " WHERE \"FILENAME\" = '2024/Объект 3.psp' "
                        "AND \"OBJECTNAME\" = 'Структура 2024/Объект 3.psp'"),
              "1");
    // The map finds contours by their place.
    EXPECT_EQ(mDb.value("SELECT count(*) FROM pg_indexes WHERE schemaname = '" + mSchema +
                        "' AND tablename = 'contours' AND indexdef LIKE '%USING gist (geom)%'"),
              "1");
}

TEST_F(RegisterContentsTest, SecondRunMakesExactlyTheChangesOfTheFolder)
{
    fill();
    const CliRun first = registerFolder();
    ASSERT_EQ(first.exitCode, 0) << first.out;
    const auto fidOf = [&](const std::string &file) {
        return mDb.value("SELECT fid FROM " + table("passports") + " WHERE \"FILENAME\" = '" + file + "'");
    };
    const std::string untouchedFid = fidOf("2024/Объект 1.psp");
    const std::string touchedFid = fidOf("2024/Объект 2.psp");

    writeGenerated("2024/Объект 0.psp", 61, 56, 0.5); // changed
    fs::remove(mFolder / pathFromUtf8("2024/Объект 4.psp"));
    writeGenerated("2025.psp", 70, 60, 0.2); // added
    // The same bytes with a new time: looked at, not read again.
    const fs::path touched = mFolder / pathFromUtf8("2024/Объект 2.psp");
    fs::last_write_time(touched, fs::last_write_time(touched) + std::chrono::hours(1));

    const CliRun second = registerFolder();
    ASSERT_EQ(second.exitCode, 0) << second.out;
    EXPECT_TRUE(contains(second.out, "добавлено 1, изменено 1, удалено 1, без изменений 7, не прочитано 3; "
                                     "записано контуров: 2."))
        << second.out;
    EXPECT_EQ(fidOf("2024/Объект 1.psp"), untouchedFid);
    EXPECT_EQ(fidOf("2024/Объект 2.psp"), touchedFid);
    EXPECT_EQ(fidOf("2024/Объект 4.psp"), "");
    EXPECT_EQ(
        mDb.value("SELECT count(*) FROM " + table("contours") + " WHERE \"FILENAME\" = '2024/Объект 4.psp'"),
        "0");
    EXPECT_EQ(mDb.value("SELECT count(*) FROM " + table("passports")), "9");
    EXPECT_EQ(mDb.value("SELECT count(*) FROM " + table("contours")), "9");
    // The changed passport's contour is the new one: about 0.5° by 0.5° at 56° N.
    const double area = std::stod(mDb.value("SELECT ST_Area(geom::geography) / 1e6 FROM " +
                                            table("contours") + " WHERE \"FILENAME\" = '2024/Объект 0.psp'"));
    EXPECT_NEAR(area, 1729, 30);
    EXPECT_EQ(mDb.value("SELECT \"FILEMTIME\" > '' FROM " + table("passports") +
                        " WHERE \"FILENAME\" = '2025.psp'"),
              "t");

    const CliRun third = registerFolder();
    EXPECT_TRUE(contains(third.out, "добавлено 0, изменено 0, удалено 0, без изменений 9, не прочитано 3; "
                                    "записано контуров: 0."))
        << third.out;
}

TEST_F(RegisterContentsTest, RefusesWhatItCannotWriteWithoutChangingTheRegister)
{
    copySample(kSample);
    ASSERT_EQ(registerFolder().exitCode, 0);
    mDb.rows("DROP DATABASE IF EXISTS tarvena_plain");
    mDb.rows("CREATE DATABASE tarvena_plain");
    const struct
    {
        std::string arguments;
        std::string message;
    } cases[] = {
        {"--target-crs EPSG:3857",
         "Контуры реестра в схеме " + mSchema + " записаны в EPSG:4284, а не в EPSG:3857"},
        {"--schema 'Реестр 1'", "Имя схемы «Реестр 1» не подходит для реестра"},
    };
    for (const auto &[arguments, message] : cases) {
        const CliRun run = registerFolder(arguments);
        EXPECT_EQ(run.exitCode, 1) << arguments;
        EXPECT_TRUE(contains(run.out, message)) << run.out;
    }
    const std::pair<std::string, std::string> connections[] = {
        {mDb.connection("tarvena_admin", "tarvena_plain"), "в базе данных нет расширения PostGIS"},
        {"PG:dbname=tarvena_test host=127.0.0.1 port=1 user=tarvena_admin",
         "не удалось подключиться к базе данных"},
    };
    for (const auto &[connection, message] : connections) {
        const CliRun run =
            runCliLine("register " + shellQuoted(pathToUtf8(mFolder)) + " " + shellQuoted(connection));
        EXPECT_EQ(run.exitCode, 1) << connection;
        EXPECT_TRUE(contains(run.out, message)) << run.out;
    }
    EXPECT_EQ(mDb.value("SELECT count(*) FROM " + table("passports")), "1");
    EXPECT_EQ(mDb.value("SELECT count(*) FROM pg_namespace WHERE nspname = 'tarvena'"), "0");
}

} // namespace
