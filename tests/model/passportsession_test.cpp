// The passport session: an open and the steps after it in their order, a failed or damaged open,
// the flag of unsaved changes, saving, and the progress told on the way.
#include "model/datamodule.h"
#include "model/passportblocks.h"
#include "model/passportsession.h"
#include "model/progress.h"
#include "storage/error.h"
#include "tests/support/samplepassport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

using namespace tarvena;
using tarvena::testing::cp;

namespace {

namespace fs = std::filesystem;

// Views that write down what the session asked of them, and in which state the record was then.
class RecordingViews : public SessionViews
{
public:
    explicit RecordingViews(TDataModule2 &dm) : mDm(dm) {}

    std::vector<std::string> steps;
    std::vector<std::pair<int, int>> advanced;
    std::string chosen;
    bool survivorAnswer = false;

    std::string choosePassport() override
    {
        steps.push_back("choose");
        return chosen;
    }
    std::unique_ptr<Progress> progress(const std::string &text) override
    {
        steps.push_back("progress " + text);
        return std::make_unique<Recorder>(advanced);
    }
    bool openSurvivingPart(const std::string &question) override
    {
        steps.push_back("survivor? " + question);
        return survivorAnswer;
    }
    void passportShown() override { steps.push_back("shown"); }
    void recordRules() override
    {
        steps.push_back(mDm.PASPORTS.State() == TableState::Edit ? "rules, record in edit" : "rules");
    }

private:
    class Recorder : public Progress
    {
    public:
        explicit Recorder(std::vector<std::pair<int, int>> &steps) : mSteps(steps) {}
        void advanced(int done, int total) override { mSteps.emplace_back(done, total); }

    private:
        std::vector<std::pair<int, int>> &mSteps;
    };
    TDataModule2 &mDm;
};

std::string readAll(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

class PassportSessionTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        mDir = fs::temp_directory_path() / ("tarvena-session-" + std::to_string(::getpid()) + "-" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(mDir);
        fs::create_directories(mDir);
        mDm.DataModuleCreate(tarvena::testing::dictionaryDir());
    }
    void TearDown() override { fs::remove_all(mDir); }

    std::string path(const char *name) const { return (mDir / name).string(); }
    std::string objectName() const { return mDm.PASPORTS.FieldByName("OBJECTNAME").AsString(); }
    // The sample passport cut short of its end, so that only its last table is lost.
    std::string damagedSample()
    {
        const std::string whole = readAll(sample);
        const std::string damaged = path("damaged.psp");
        std::ofstream(damaged, std::ios::binary).write(whole.data(), std::streamsize(whole.size() - 40));
        return damaged;
    }

    fs::path mDir;
    TDataModule2 mDm;
    RecordingViews mViews{mDm};
    PassportSession mSession{mDm, &mViews};
    const std::string sample = tarvena::testing::builtSamplePassport();
};

TEST_F(PassportSessionTest, OpenRunsTheStepsAfterItInOrder)
{
    mDm.PassportModified = true;
    EXPECT_EQ(mSession.open(sample), PassportSession::Opened::File);
    const std::vector<std::string> steps = {"progress Загрузка ...", "shown", "rules, record in edit"};
    EXPECT_EQ(mViews.steps, steps);
    EXPECT_EQ(mSession.fileName(), sample);
    EXPECT_FALSE(mSession.modified());
    EXPECT_FALSE(mSession.loading());
    EXPECT_EQ(mDm.PASPORTS.State(), TableState::Edit);
    EXPECT_EQ(objectName(), cp("Северо-Тарвенская структура"));
    // Each block read, then each table replaced.
    ASSERT_EQ(mViews.advanced.size(), 10U);
    for (std::size_t i = 0; i < mViews.advanced.size(); ++i)
        EXPECT_EQ(mViews.advanced[i], std::make_pair(int(i) + 1, 10));
}

TEST_F(PassportSessionTest, NoFileChosenStillReturnsToTheStartOfThePassport)
{
    mDm.PassportModified = true;
    EXPECT_EQ(mSession.open(), PassportSession::Opened::Nothing);
    const std::vector<std::string> steps = {"choose", "shown", "rules"};
    EXPECT_EQ(mViews.steps, steps);
    EXPECT_FALSE(mSession.modified());
    EXPECT_TRUE(mSession.fileName().empty());
}

TEST_F(PassportSessionTest, FailedOpenLeavesTheSessionAsItWas)
{
    mSession.open(sample);
    mDm.PASPORTS.FieldByName("OBJECTNAME").SetAsString(cp("Изменённая"));
    mDm.PassportModified = true;
    const std::string notPassport = path("not a passport.psp");
    std::ofstream(notPassport, std::ios::binary) << "Lorem ipsum dolor sit amet, consectetur adipiscing";
    for (const std::string &bad : {notPassport, path("missing.psp")}) {
        mViews.steps.clear();
        EXPECT_THROW(mSession.open(bad), Error) << bad;
        EXPECT_EQ(mViews.steps, std::vector<std::string>{"progress Загрузка ..."});
        EXPECT_EQ(mSession.fileName(), sample);
        EXPECT_TRUE(mSession.modified());
        EXPECT_FALSE(mSession.loading());
        EXPECT_EQ(mDm.PASPORTS.State(), TableState::Edit);
        EXPECT_EQ(objectName(), cp("Изменённая"));
    }
}

TEST_F(PassportSessionTest, DamagedFileAsksAndOpensWhatSurvivedAsANewPassport)
{
    mSession.open(sample);
    const int points = mDm.KONTUR.RecordCount();
    mDm.PassportModified = false;
    const std::string damaged = damagedSample();

    mViews.steps.clear();
    EXPECT_EQ(mSession.open(damaged), PassportSession::Opened::Kept);
    ASSERT_EQ(mViews.steps.size(), 2U);
    EXPECT_EQ(mViews.steps[1], "survivor? Файл \"" + damaged +
                                   "\" повреждён: не прочитаны присоединённые файлы (Stream read error). "
                                   "Открыть уцелевшую часть как новый паспорт?");
    EXPECT_EQ(mSession.fileName(), sample);
    EXPECT_FALSE(mSession.modified());

    mViews.survivorAnswer = true;
    mViews.steps.clear();
    EXPECT_EQ(mSession.open(damaged), PassportSession::Opened::SurvivingPart);
    EXPECT_EQ(mViews.steps.back(), "rules, record in edit");
    EXPECT_TRUE(mSession.fileName().empty());
    // In no file yet: the close query asks about saving it.
    EXPECT_TRUE(mSession.modified());
    EXPECT_EQ(mDm.KONTUR.RecordCount(), points);
    EXPECT_EQ(mDm.FILES.RecordCount(), 0);

    // The command line has nobody to ask: the damage is its error.
    TDataModule2 headless;
    headless.DataModuleCreate(tarvena::testing::dictionaryDir());
    EXPECT_THROW(PassportSession(headless).open(damaged), DamagedPassport);
}

TEST_F(PassportSessionTest, WithoutViewsTheRecordStaysAsStored)
{
    // A post would mark the stored record changed, and a resave would no longer copy the file.
    TDataModule2 headless;
    headless.DataModuleCreate(tarvena::testing::dictionaryDir());
    EXPECT_EQ(PassportSession(headless).open(sample), PassportSession::Opened::File);
    EXPECT_EQ(headless.PASPORTS.State(), TableState::Browse);
    EXPECT_FALSE(headless.PassportModified);
}

TEST_F(PassportSessionTest, OpenWhileAnotherRunsDoesNothing)
{
    mDm.PassportLoading = true;
    EXPECT_EQ(mSession.open(sample), PassportSession::Opened::Kept);
    EXPECT_TRUE(mViews.steps.empty());
    EXPECT_TRUE(mSession.fileName().empty());
    EXPECT_TRUE(mSession.loading());
}

TEST_F(PassportSessionTest, ModifiedFollowsEditsAndSaves)
{
    mSession.open(sample);
    EXPECT_FALSE(mSession.modified());
    mDm.PASPORTS.FieldByName("OBJECTNAME").SetAsString(cp("Новое имя"));
    mDm.PASPORTS.Post();
    EXPECT_TRUE(mSession.modified());

    // A cancelled choice writes nothing, and the passport counts as saved.
    mViews.steps.clear();
    mSession.save("");
    EXPECT_FALSE(mSession.modified());
    EXPECT_TRUE(mViews.steps.empty());

    // The pending edit is posted and written; the progress hears of each block.
    mDm.PASPORTS.Edit();
    mDm.PASPORTS.FieldByName("OBJECTNAME").SetAsString(cp("Третье имя"));
    mViews.advanced.clear();
    const std::string target = path("saved.psp");
    mSession.save(target);
    EXPECT_FALSE(mSession.modified());
    EXPECT_EQ(mSession.fileName(), target);
    EXPECT_EQ(mViews.steps, std::vector<std::string>{"progress Сохранение ..."});
    ASSERT_EQ(mViews.advanced.size(), 5U);
    EXPECT_EQ(mViews.advanced.back(), std::make_pair(5, 5));

    TDataModule2 reader;
    reader.DataModuleCreate(tarvena::testing::dictionaryDir());
    PassportSession(reader).open(target);
    EXPECT_EQ(reader.PASPORTS.FieldByName("OBJECTNAME").AsString(), cp("Третье имя"));

    // A failed write keeps the flag and the file name.
    mDm.PASPORTS.Edit();
    mDm.PASPORTS.FieldByName("OBJECTNAME").SetAsString(cp("Четвёртое имя"));
    EXPECT_THROW(mSession.save(path("no such folder/x.psp")), Error);
    EXPECT_TRUE(mSession.modified());
    EXPECT_EQ(mSession.fileName(), target);
}

} // namespace
