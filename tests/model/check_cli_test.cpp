// tarvena-cli check over a folder: a line per finding and a summary per passport, a damaged passport
// listed with its error while the others are checked, and the exit status.
#include "model/passportsession.h"
#include "tests/model/rules_fixture.h"
#include "tests/support/clirun.h"

#include <filesystem>
#include <fstream>
#include <unistd.h>

using namespace tarvena;
using namespace tarvena::testing;

namespace {

namespace fs = std::filesystem;

class CheckCliTest : public RulesTest
{
protected:
    void SetUp() override
    {
        mDir = fs::temp_directory_path() / ("tarvena-check-" + std::to_string(::getpid()));
        fs::remove_all(mDir);
        fs::create_directories(mDir);
        fs::copy_file(builtSamplePassport(), mDir / "a-complete.psp");
        // Incomplete: no authors of the report, and a second subject of the federation.
        PassportSession session(dm);
        session.open(builtSamplePassport());
        MemTable &record = dm.PASPORTS;
        if (record.State() == TableState::Browse)
            record.Edit();
        record.FieldByName("REPORTAUTHORS").Clear();
        record.FieldByName("KRAI_ID").SetAsInteger(3001);
        record.Post();
        session.save((mDir / "b-incomplete.psp").string());
    }
    void TearDown() override { fs::remove_all(mDir); }

    void writeDamaged()
    {
        const std::string bytes = readFileBytes(builtSamplePassport()).substr(0, 3000);
        std::ofstream(mDir / "c-damaged.psp", std::ios::binary) << bytes;
    }

    fs::path mDir;
};

TEST_F(CheckCliTest, FolderWithoutDamagedPassportsExitsOneForErrors)
{
    const CliRun run = runCli({"check", mDir.string()});
    EXPECT_EQ(run.exitCode, 1) << run.out;
    const std::string folder = mDir.string() + "/";
    EXPECT_NE(run.out.find(folder + "a-complete.psp: Ошибок: 0, предупреждений: 8\n"), std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("ошибка: 2.История, «Авторы отчета»: Не заполнено поле «Авторы отчета»\n"),
              std::string::npos)
        << run.out;
    EXPECT_NE(
        run.out.find("ошибка: 1.География, «Область»: Выбрано несколько субъектов федерации (Край, Область), "
                     "должен быть один\n"),
        std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find(folder + "b-incomplete.psp: Ошибок: 2, предупреждений: 8\n"), std::string::npos)
        << run.out;

    const CliRun complete = runCli({"check", (mDir / "a-complete.psp").string()});
    EXPECT_EQ(complete.exitCode, 0) << complete.out;
}

TEST_F(CheckCliTest, DamagedPassportIsListedAndTheRestChecked)
{
    writeDamaged();
    const CliRun run = runCli({"check", mDir.string()});
    EXPECT_EQ(run.exitCode, 2) << run.out;
    const std::string folder = mDir.string() + "/";
    EXPECT_NE(run.out.find(folder + "b-incomplete.psp: Ошибок: 2"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find(folder + "c-damaged.psp: не прочитан: "), std::string::npos) << run.out;

    const CliRun json = runCli({"check", mDir.string(), "--json"});
    EXPECT_EQ(json.exitCode, 2);
    EXPECT_NE(json.out.find("\"errors\": 2"), std::string::npos) << json.out;
    EXPECT_NE(json.out.find("\"control\": \"DBEdit4\""), std::string::npos) << json.out;
    EXPECT_NE(json.out.find("\"error\": "), std::string::npos) << json.out;
}

} // namespace
