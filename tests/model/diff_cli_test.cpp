// tarvena-cli diff: the lines of two versions of the sample passport, JSON for tools, and the exit
// status that tells equal, different and unreadable apart.
#include "model/datamodule.h"
#include "model/passportsession.h"
#include "storage/codepage.h"
#include "tests/support/clirun.h"
#include "tests/support/samplepassport.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <unistd.h>

using namespace tarvena;
using tarvena::testing::CliRun;
using tarvena::testing::runCli;

namespace {

namespace fs = std::filesystem;

class DiffCliTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        mDir = fs::temp_directory_path() / ("tarvena-diff-" + std::to_string(::getpid()));
        fs::remove_all(mDir);
        fs::create_directories(mDir);
        mChanged = mDir / "changed.psp";
        // The sample with its licence type and one contour point changed.
        TDataModule2 dm;
        dm.DataModuleCreate(tarvena::testing::dictionaryDir());
        PassportSession session(dm);
        session.open(mSample);
        dm.PASPORTS.Edit();
        dm.PASPORTS.FieldByName("LICENCETYPE_ID").SetAsInteger(7001);
        dm.PASPORTS.Post();
        dm.KONTUR.SetFiltered(false);
        ASSERT_TRUE(dm.KONTUR.Locate("ID", Value{std::int64_t{8406096}}));
        dm.KONTUR.Edit();
        dm.KONTUR.FieldByName("Y").SetAsFloat(dm.KONTUR.FieldByName("Y").AsFloat() + 100);
        dm.KONTUR.Post();
        session.save(mChanged.string());
    }
    void TearDown() override { fs::remove_all(mDir); }

    fs::path mDir;
    std::string mSample = tarvena::testing::builtSamplePassport();
    fs::path mChanged;
};

TEST_F(DiffCliTest, SamePassportIsEqual)
{
    const CliRun run = runCli({"diff", mSample, mSample});
    EXPECT_EQ(run.exitCode, 0) << run.out;
    EXPECT_EQ(run.out, "Паспорта не различаются.\n");
}

TEST_F(DiffCliTest, DifferencesAreListedInPageOrder)
{
    const CliRun run = runCli({"diff", mSample, mChanged.string()});
    EXPECT_EQ(run.exitCode, 1) << run.out;
    EXPECT_EQ(
        run.out.rfind("2.История / Тип лицензии: НР (геологическое изучение, разведка и добыча) → НП "
                      "(геологическое изучение)\n11.Контуры ловушек / Горизонт 3 «пласт Ач1 (ачимовская "
                      "толща)» / Контур: точек сдвинуто: 1; наибольший сдвиг 100.0 м (точка 2); площадь "
                      "по координатам: ",
                      0),
        0u)
        << run.out;

    const CliRun json = runCli({"diff", mSample, mChanged.string(), "--json"});
    EXPECT_EQ(json.exitCode, 1) << json.out;
    const nlohmann::json parsed = nlohmann::json::parse(json.out);
    EXPECT_FALSE(parsed["equal"].get<bool>());
    ASSERT_EQ(parsed["differences"].size(), 2u);
    const nlohmann::json &first = parsed["differences"][0];
    EXPECT_EQ(first["kind"], "changed");
    EXPECT_EQ(first["page"], "2.История");
    EXPECT_EQ(first["after"], "НП (геологическое изучение)");
    EXPECT_EQ(parsed["differences"][1]["kind"], "contour");
}

TEST_F(DiffCliTest, UnreadableFileEndsWithTwo)
{
    const fs::path notPassport = mDir / "note.psp";
    {
        std::ofstream(notPassport) << "not a passport";
    }
    for (const std::string &path : {(mDir / "missing.psp").string(), notPassport.string()}) {
        const CliRun run = runCli({"diff", mSample, path});
        EXPECT_EQ(run.exitCode, 2) << run.out;
        EXPECT_NE(run.out.find("Не удалось прочитать паспорт \"" + path + "\": "), std::string::npos)
            << run.out;
    }
    EXPECT_EQ(runCli({"diff", mSample, mSample, "--samples", "5"}).exitCode, 2);
}

} // namespace
