// tarvena-cli probabilistic on the sample passport: the figures, their writing, the seed and refusals.
#include "model/datamodule.h"
#include "tests/support/clirun.h"
#include "tests/support/samplepassport.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <unistd.h>

using namespace tarvena;
using tarvena::testing::CliRun;
using tarvena::testing::runCli;

namespace {

namespace fs = std::filesystem;

class ProbabilisticCliTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        mDir = fs::temp_directory_path() / ("tarvena-probabilistic-" + std::to_string(::getpid()));
        fs::remove_all(mDir);
        fs::create_directories(mDir);
        mSample = tarvena::testing::builtSamplePassport();
    }
    void TearDown() override { fs::remove_all(mDir); }

    nlohmann::json figures(const std::string &passport, std::vector<std::string> extra = {})
    {
        std::vector<std::string> arguments = {"probabilistic", passport, "--json", "--samples", "20000"};
        arguments.insert(arguments.end(), extra.begin(), extra.end());
        const CliRun run = runCli(arguments);
        EXPECT_EQ(run.exitCode, 0) << run.out;
        return nlohmann::json::parse(run.out);
    }

    fs::path mDir;
    std::string mSample;
};

// The horizon of the sample whose name starts with the text, with the data module on it.
void locateHorizon(TDataModule2 &dm, const char *name)
{
    MemTable &table = dm.POSIB_PRODUCT_HOR;
    table.SetFiltered(false);
    for (table.First(); !table.Eof(); table.Next())
        if (table.FieldByName("STRATIGRSVIT").AsString().starts_with(tarvena::testing::cp(name)))
            return;
    FAIL() << name;
}

} // namespace

TEST_F(ProbabilisticCliTest, WritesTheFiguresItPrints)
{
    const std::string out = (mDir / "written.psp").string();
    const std::string before = tarvena::testing::readFileBytes(mSample);
    const nlohmann::json shown = figures(mSample, {"--write", out});
    EXPECT_EQ(tarvena::testing::readFileBytes(mSample), before);

    TDataModule2 dm;
    dm.DataModuleCreate(tarvena::testing::dictionaryDir());
    dm.OpenPassport(out);
    locateHorizon(dm, "пласт Ю1");
    const nlohmann::json *oil = nullptr;
    for (const auto &horizon : shown["horizons"])
        for (const auto &fluid : horizon["fluids"])
            if (horizon["name"].get<std::string>().starts_with("пласт Ю1") && fluid["fluid"] == "oil")
                oil = &fluid;
    ASSERT_TRUE(oil);
    const char *fields[][3] = {{"OILBALANCERESOURCEP", "OILBALANCERESOURCEPD", "OILBALANCERESOURCES"},
                               {"OILPERSPECTRESOURCEP", "OILPERSPECTRESOURCEPD", "OILPERSPECTRESOURCES"},
                               {"PERSPRESGAZRASTVP", "PERSPRESGAZRASTVPD", "PERSPRESGAZRASTVS"}};
    ASSERT_EQ((*oil)["resources"].size(), 3u);
    for (int r = 0; r < 3; ++r) {
        const auto &resource = (*oil)["resources"][r];
        const MemTable &table = dm.POSIB_PRODUCT_HOR;
        EXPECT_DOUBLE_EQ(table.FieldByName(fields[r][0]).AsFloat(), resource["mode"].get<double>());
        EXPECT_DOUBLE_EQ(table.FieldByName(fields[r][1]).AsFloat(),
                         resource["mode_probability"].get<double>());
        EXPECT_DOUBLE_EQ(table.FieldByName(fields[r][2]).AsFloat(), resource["sigma"].get<double>());
    }
    // Reopened, the written passport gives the same figures.
    EXPECT_EQ(figures(out), figures(mSample));
}

TEST_F(ProbabilisticCliTest, SeedAndOptionsChooseTheFigures)
{
    const nlohmann::json first = figures(mSample);
    EXPECT_EQ(figures(mSample), first);
    const auto p50 = [](const nlohmann::json &j) {
        return j["horizons"][0]["fluids"][0]["resources"][0]["p50"].get<double>();
    };
    const nlohmann::json other = figures(mSample, {"--seed", "99"});
    EXPECT_NE(p50(other), p50(first));
    EXPECT_LT(std::abs(p50(other) - p50(first)), 0.02 * p50(first));
    const nlohmann::json median = figures(mSample, {"--figure", "p50", "--triangular"});
    EXPECT_EQ(median["distribution"], "triangular");
    const auto &resource = median["horizons"][0]["fluids"][0]["resources"][0];
    EXPECT_EQ(resource["value"], resource["p50"]);

    for (const auto &wrong : std::vector<std::vector<std::string>>{
             {"--samples", "1"}, {"--seed", "-3"}, {"--figure", "median"}}) {
        const CliRun run = runCli({"probabilistic", mSample, wrong[0], wrong[1]});
        EXPECT_EQ(run.exitCode, 1) << run.out;
        EXPECT_NE(run.out.find(wrong[0]), std::string::npos) << run.out;
    }
}

TEST_F(ProbabilisticCliTest, RefusesAHorizonWithOneBound)
{
    const std::string changed = (mDir / "one-bound.psp").string();
    {
        TDataModule2 dm;
        dm.DataModuleCreate(tarvena::testing::dictionaryDir());
        dm.OpenPassport(mSample);
        locateHorizon(dm, "пласт Ю1");
        MemTable &table = dm.POSIB_PRODUCT_HOR;
        table.Edit();
        table.FieldByName("OILSQUAREMAX").Clear();
        table.Post();
        dm.SavePassport(changed);
    }
    const CliRun run = runCli({"probabilistic", changed, "--samples", "1000"});
    ASSERT_EQ(run.exitCode, 0) << run.out;
    EXPECT_NE(run.out.find("Не задано значение «Максимальная площадь нефтеносности (км2)» при заданном "
                           "«Минимальная площадь нефтеносности (км2)»"),
              std::string::npos)
        << run.out;
    // The other horizons are computed.
    EXPECT_NE(run.out.find("Балансовые ресурсы газа, млн м3"), std::string::npos);
}
