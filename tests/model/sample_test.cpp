// The sample passport that the build makes from data/samples: it opens with its content whole, the
// command line reads it, a rebuild gives the same bytes, and faulty sources stop the build.
#include "model/datamodule.h"
#include "model/resources.h"
#include "storage/gzip.h"
#include "tests/model/rules_fixture.h"
#include "tests/support/samplepassport.h"

#include "tests/support/clirun.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sys/wait.h>
#include <unistd.h>

using namespace tarvena;
using tarvena::testing::cp;

using tarvena::testing::CliRun;
using tarvena::testing::readFileBytes;
using tarvena::testing::runCli;

namespace {

namespace fs = std::filesystem;

const fs::path kBuiltSample = fs::path(TARVENA_BIN_DIR) / "samples" / "Северо-Тарвенская.psp";
const fs::path kSources = fs::path(TARVENA_TEST_DATA_DIR).parent_path().parent_path() / "data" / "samples";

class SampleTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(fs::exists(kBuiltSample)) << "build the target \"sample\" first";
        mDir = fs::temp_directory_path() / ("tarvena-sample-" + std::to_string(::getpid()));
        fs::remove_all(mDir);
        fs::create_directories(mDir);
    }
    void TearDown() override { fs::remove_all(mDir); }

    fs::path mDir;
};

struct Horizon
{
    std::int64_t id;
    int fluid;
    int points;
    int system;
};

TEST_F(SampleTest, OpensWithEveryTableFilledAndLinked)
{
    tarvena::testing::RecordingPrompts prompts;
    TDataModule2 dm(&prompts);
    dm.DataModuleCreate(tarvena::testing::dictionaryDir());
    ASSERT_TRUE(dm.OpenPassport(kBuiltSample.string()));
    EXPECT_TRUE(prompts.messages.empty()) << prompts.messages.front().text;

    MemTable &passport = dm.PASPORTS;
    EXPECT_EQ(passport.FieldByName("OBJECTNAME").AsString(), cp("Северо-Тарвенская структура"));
    const auto year = [&](const char *name) { return passport.FieldByName(name).AsInteger(); };
    EXPECT_LE(year("SHOWINGUPYEAR"), year("STARTPREPARATIONYEAR"));
    EXPECT_LE(year("STARTPREPARATIONYEAR"), year("ENDPREPARATIONYEAR"));
    EXPECT_LE(year("ENDPREPARATIONYEAR"), year("PREPAREDFUNDYEAR"));
    EXPECT_LE(year("STARTPREPARATIONYEAR"), year("REPORTYEAR"));
    EXPECT_LE(year("REPORTYEAR"), year("PREPAREDFUNDYEAR"));
    EXPECT_EQ(passport.FieldByName("_SHOOTSCALE").AsString(), "1: 50 000");

    EXPECT_EQ(dm.REFLECT_HORIZONTS.RecordCount(), 3);

    // Four productive horizons of four fluid types, each with the resources of its class computed,
    // in the units the pages show (million t of oil and condensate, million m3 of gas).
    MemTable &productive = dm.POSIB_PRODUCT_HOR;
    productive.SetFiltered(false);
    std::vector<Horizon> horizons;
    for (productive.First(); !productive.Eof(); productive.Next()) {
        const auto value = [&](const char *name) -> Field & { return productive.FieldByName(name); };
        const int fluid = value("UV_ID").AsInteger();
        SCOPED_TRACE(fluid);
        EXPECT_FALSE(value("_UV_ID").AsString().empty());
        EXPECT_FALSE(value("_REFLECTHOR_ID").AsString().empty()) << "the link to the reflecting horizon";
        EXPECT_FALSE(value("_stratigr_id").AsString().empty());
        if (isOilBearing(fluid)) {
            const double balance = value("CALC_BAL_RES").AsFloat();
            EXPECT_GT(balance, 0.5);
            EXPECT_LT(balance, 100);
            EXPECT_GT(value("CALC_PERSP_RES").AsFloat(), 0.1 * balance);
            EXPECT_LT(value("CALC_PERSP_RES").AsFloat(), 0.5 * balance);
            EXPECT_FALSE(value("CALC_PERSP_RES_RGAZ").IsNull());
        }
        if (isGasBearing(fluid)) {
            EXPECT_GT(value("CALC_BALGAZ_RES").AsFloat(), 100);
            EXPECT_LT(value("CALC_BALGAZ_RES").AsFloat(), 50000);
            EXPECT_LT(value("CALC_NEWGAZBAL").AsFloat(), value("CALC_BALGAZ_RES").AsFloat());
        }
        if (isCondensateBearing(fluid)) {
            const double balance = value("CALC_BALGAZCOND_RES").AsFloat();
            EXPECT_GT(balance, 0.1);
            EXPECT_LT(balance, 20);
            EXPECT_GT(value("CALC_PERSPGAZCOND_RES").AsFloat(), 0);
            EXPECT_LT(value("CALC_PERSPGAZCOND_RES").AsFloat(), balance);
        }
        horizons.push_back({value("ID").AsInteger(), fluid, value("KONTURNUMPOINTS").AsInteger(),
                            value("KONTURKOORDTYPE").AsInteger()});
    }
    ASSERT_EQ(horizons.size(), 4u);
    std::set<int> fluids, systems;
    for (const Horizon &h : horizons) {
        fluids.insert(h.fluid);
        systems.insert(h.system);
    }
    EXPECT_EQ(fluids, (std::set<int>{397, 398, 399, 401}));
    EXPECT_EQ(systems, (std::set<int>{2, 4}));

    // Every contour has the points its horizon counts, and they lie where their system can put them.
    MemTable &points = dm.KONTUR;
    points.SetFiltered(false);
    std::map<std::int64_t, int> pointsOf;
    for (points.First(); !points.Eof(); points.Next())
        ++pointsOf[points.FieldByName("HEAD_ID").AsInteger()];
    EXPECT_EQ(pointsOf.size(), horizons.size());
    int total = 0;
    for (const Horizon &h : horizons) {
        EXPECT_EQ(pointsOf[h.id], h.points);
        EXPECT_GE(h.points, 50);
        total += h.points;
    }
    EXPECT_GE(total, 200);
    EXPECT_LE(total, 1000);
    for (points.First(); !points.Eof(); points.Next()) {
        const auto owner = std::find_if(horizons.begin(), horizons.end(), [&](const Horizon &h) {
            return h.id == points.FieldByName("HEAD_ID").AsInteger();
        });
        ASSERT_NE(owner, horizons.end());
        const double x = points.FieldByName("X").AsFloat(), y = points.FieldByName("Y").AsFloat();
        if (owner->system == 2) {
            EXPECT_TRUE(x > 60 && x < 90 && y > 55 && y < 75) << x << " " << y; // West Siberia
        } else {
            const double easting = x - 13000000; // zone 13
            EXPECT_TRUE(easting > 243000 && easting < 756500 && y > 4564000 && y < 9092000) << x << " " << y;
        }
    }

    // The attachments hold the source files byte for byte.
    MemTable &files = dm.FILES;
    std::map<std::string, std::string> attached;
    for (files.First(); !files.Eof(); files.Next()) {
        bool intact = false;
        const std::string content = gunzipBytes(files.FieldByName("CONTENT").AsString(), &intact);
        EXPECT_TRUE(intact);
        EXPECT_EQ(content, readFileBytes(kSources / files.FieldByName("SRCNAME").AsString()));
        attached[files.FieldByName("NAME").AsString()] = content;
    }
    ASSERT_EQ(attached.size(), 8u);
    EXPECT_TRUE(attached[cp("Титульный лист.rtf")].starts_with("{\\rtf1"));
    EXPECT_TRUE(attached[cp("Обзорная карта.png")].starts_with("\x89PNG"));
    EXPECT_TRUE(attached["Prod4.png"].starts_with("\x89PNG"));
}

TEST_F(SampleTest, CommandLineDumpReadsIt)
{
    const CliRun dump = runCli({"dump", kBuiltSample.string()});
    ASSERT_EQ(dump.exitCode, 0) << dump.out;
    EXPECT_NE(dump.out.find("\"OBJECTNAME\": \"Северо-Тарвенская структура\""), std::string::npos);
    std::size_t points = 0;
    for (std::size_t at = 0; (at = dump.out.find("\"HEAD_ID\": ", at)) != std::string::npos; ++at)
        ++points;
    EXPECT_GE(points, 200u);
    EXPECT_NE(dump.out.find("\"NAME\": \"Prod4.png\""), std::string::npos);
}

TEST_F(SampleTest, RebuildFromTheSourcesGivesTheSameBytes)
{
    const fs::path rebuilt = mDir / "new" / "sample.psp";
    const CliRun run = runCli({"make-sample", kSources.string(), rebuilt.string()});
    ASSERT_EQ(run.exitCode, 0) << run.out;
    EXPECT_EQ(run.out, "");
    EXPECT_TRUE(readFileBytes(rebuilt) == readFileBytes(kBuiltSample))
        << "the built sample is older than its sources";
}

// Each case changes one line of a copy of the sources (or adds one when the prefix is empty); the
// build must stop with a message that names the file and says what is wrong, and write nothing.
TEST_F(SampleTest, FaultySourcesStopTheBuild)
{
    struct Case
    {
        std::string file, linePrefix, newLine, message;
    };
    const Case cases[] = {
        {"pasports.tsv", "REPORTYEAR\t", "REPORTYEAR\t2015",
         "\"2015\": Год составления отчета не может быть раньше года начала подготовки объекта."},
        {"pasports.tsv", "SHOWINGUPYEAR\t", "SHOWINGUPYEAR\t1920", "значение не принято правилами таблицы"},
        {"pasports.tsv", "GEO_RAION_ID\t", "GEO_RAION_ID\t13020",
         "в справочнике Dict13 нет записи с ID 13020 среди записей, подчиненных выбранной выше"},
        {"pasports.tsv", "OBJECTNAME\t", "OBJECTNAME\t" + std::string(129, 'x'),
         "текст длиннее поля (128 знаков)"},
        {"pasports.tsv", "TEKTO1P\t", "TEKTO1P\tтектоника ☃", "знаки, которых нет в кодовой странице 1251"},
        {"reflect_horizonts.tsv", "KOEFPROSL\t", "KOEFPROSL\t0.95\t1.2\t0.9",
         "Значение не может быть больше единицы."},
        {"posib_product_hor.tsv", "", "CALC_BAL_RES\t1\t1\t1\t1", "поле CALC_BAL_RES вычисляется"},
        {"posib_product_hor.tsv", "", "KONTURNUMPOINTS\t3\t3\t3\t3",
         "поле KONTURNUMPOINTS заполняют правила"},
        {"posib_product_hor.tsv", "@REFLECTHOR\t", "@REFLECTHOR\tГ\tМ\tБ\tТ",
         "отражающий горизонт с индексом \"Т\" не найден"},
        {"posib_product_hor.tsv", "@KONTUR\t", "@KONTUR\tkontur-pk1.tsv\t../kontur-bp10.tsv",
         "должно быть именем файла из папки источников"},
        {"kontur-ju1.tsv", "X\t", "X\tY\tZ", "заголовок должен быть X Y"},
        {"kontur-ju1.tsv", "", "13595475,4\t7175020", "не является числом"},
        {"files.tsv", "Prod4", "Prod4.jpg\tstructural-map-ju1.png\t", "расширение NAME должно совпадать"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.file + ": " + c.newLine);
        const fs::path sources = mDir / "sources";
        fs::remove_all(sources);
        fs::copy(kSources, sources);
        const fs::path path = sources / c.file;
        std::string text = readFileBytes(path);
        if (c.linePrefix.empty()) {
            text += c.newLine + "\n";
        } else {
            const std::size_t at = text.find("\n" + c.linePrefix);
            ASSERT_NE(at, std::string::npos);
            text.replace(at + 1, text.find('\n', at + 1) - at - 1, c.newLine);
        }
        std::ofstream(path, std::ios::binary) << text;

        const fs::path out = mDir / "out.psp";
        const CliRun run = runCli({"make-sample", sources.string(), out.string()});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_NE(run.out.find("Источник образца паспорта \"" + path.string() + "\", строка "),
                  std::string::npos)
            << run.out;
        EXPECT_NE(run.out.find(c.message), std::string::npos) << run.out;
        EXPECT_FALSE(fs::exists(out));
    }
}

} // namespace
