// Saving and opening passports among hostile files and folders: planted links, read-only files, pipes,
// devices, linked passports, long names; each refusal is told in the program's words and loses nothing.
#include "model/datamodule.h"
#include "storage/error.h"
#include "tests/support/clirun.h"
#include "tests/support/samplepassport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

using namespace tarvena;

namespace {

namespace fs = std::filesystem;
using tarvena::testing::readFileBytes;

void writeFile(const fs::path &path, const std::string &bytes)
{
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

unsigned modeOf(const fs::path &path)
{
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0 ? st.st_mode : 0;
}

class PassportSaveTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        mDir = fs::temp_directory_path() / ("tarvena-save-" + std::to_string(::getpid()) + "-" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(mDir);
        fs::create_directories(mDir);
        mDm.DataModuleCreate(tarvena::testing::dictionaryDir());
        tarvena::testing::fillSamplePassport(mDm);
    }
    void TearDown() override { fs::remove_all(mDir); }

    // The error text of a save, or "" when it succeeded.
    std::string saveError(const fs::path &path)
    {
        try {
            mDm.SavePassport(path.string());
        } catch (const Error &e) {
            return e.what();
        }
        return {};
    }

    // The folder holds exactly these names (no temporary file left behind).
    void expectOnly(const fs::path &folder, std::set<std::string> names)
    {
        std::set<std::string> found;
        for (const auto &entry : fs::directory_iterator(folder))
            found.insert(entry.path().filename().string());
        EXPECT_EQ(found, names);
    }

    fs::path mDir;
    TDataModule2 mDm;
};

TEST_F(PassportSaveTest, HostileTargetsAreRefusedAndKept)
{
    struct Case
    {
        const char *what;
        std::function<void(const fs::path &)> plant; // makes the target "p.psp" (or whatever it is)
        const char *message;                         // part of the error
    };
    const Case cases[] = {
        {"read-only file",
         [](const fs::path &p) {
             writeFile(p, "old");
             fs::permissions(p, fs::perms::owner_read | fs::perms::group_read);
         },
         "только для чтения"},
        {"folder", [](const fs::path &p) { fs::create_directory(p); }, "это папка, а не файл"},
        {"pipe", [](const fs::path &p) { ASSERT_EQ(::mkfifo(p.c_str(), 0644), 0); }, "это не обычный файл"},
        {"link to a device", [](const fs::path &p) { fs::create_symlink("/dev/null", p); },
         "это не обычный файл"},
        {"name too long", [](const fs::path &) {}, "слишком длинное имя файла"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const fs::path folder = mDir / c.what;
        fs::create_directory(folder);
        const fs::path target = std::string(c.what) == "name too long"
                                    ? folder / (std::string(256, 'n') + ".psp")
                                    : folder / "p.psp";
        c.plant(target);
        std::set<std::string> before;
        for (const auto &entry : fs::directory_iterator(folder))
            before.insert(entry.path().filename().string());
        const unsigned mode = modeOf(target);
        const std::string error = saveError(target);
        EXPECT_NE(error.find(c.message), std::string::npos) << error;
        EXPECT_EQ(modeOf(target), mode);
        expectOnly(folder, before);
        std::error_code ec;
        if (fs::is_regular_file(fs::symlink_status(target, ec)))
            EXPECT_EQ(readFileBytes(target), "old");
    }
}

TEST_F(PassportSaveTest, ReplacedFileKeepsItsModeOwnerAndGroup)
{
    for (unsigned mode : {0600u, 0664u, 0640u}) {
        SCOPED_TRACE(mode);
        const fs::path target = mDir / ("m" + std::to_string(mode) + ".psp");
        writeFile(target, "old");
        ASSERT_EQ(::chmod(target.c_str(), mode), 0);
        const bool owned = ::geteuid() == 0 && ::chown(target.c_str(), 4321, 4322) == 0;
        ASSERT_EQ(saveError(target), "");
        EXPECT_EQ(modeOf(target) & 07777, mode);
        EXPECT_NE(readFileBytes(target), "old");
        if (owned) {
            struct stat st;
            ASSERT_EQ(::stat(target.c_str(), &st), 0);
            EXPECT_EQ(st.st_uid, 4321u);
            EXPECT_EQ(st.st_gid, 4322u);
        }
    }
}

TEST_F(PassportSaveTest, PlantedLinksAreNeverFollowedAndLinkedPassportsSaveThroughTheLink)
{
    // Links planted where a fixed temporary name would be: their targets stay as they were.
    const fs::path victim = mDir / "victim";
    writeFile(victim, "victim");
    const fs::path passport = mDir / "p.psp";
    fs::create_symlink(victim, mDir / "p.psp.tmp~");
    fs::create_symlink(victim, mDir / "p.psp.tmp");
    ASSERT_EQ(saveError(passport), "");
    EXPECT_EQ(readFileBytes(victim), "victim");
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(passport)));
    expectOnly(mDir, {"victim", "p.psp", "p.psp.tmp~", "p.psp.tmp"});

    // A passport that is a link (to a link) into another folder: the real file gets the new content,
    // written in its own folder, and the links stay links.
    const fs::path realFolder = mDir / "real";
    fs::create_directory(realFolder);
    writeFile(realFolder / "r.psp", "old");
    fs::create_symlink("real/r.psp", mDir / "inner.psp");
    fs::create_symlink("inner.psp", mDir / "outer.psp");
    ASSERT_EQ(saveError(mDir / "outer.psp"), "");
    EXPECT_TRUE(fs::is_symlink(mDir / "outer.psp"));
    EXPECT_TRUE(fs::is_symlink(mDir / "inner.psp"));
    EXPECT_EQ(readFileBytes(realFolder / "r.psp"), readFileBytes(passport));
    expectOnly(realFolder, {"r.psp"});
    TDataModule2 back;
    back.DataModuleCreate(tarvena::testing::dictionaryDir());
    EXPECT_TRUE(back.OpenPassport((mDir / "outer.psp").string()));
}

TEST_F(PassportSaveTest, TheLongestLegalNameSaves)
{
    const fs::path target = mDir / (std::string(251, 'a') + ".psp"); // 255 bytes with the extension
    ASSERT_EQ(saveError(target), "");
    expectOnly(mDir, {target.filename().string()});
}

TEST_F(PassportSaveTest, PipesAndDevicesAreNotOpened)
{
    const fs::path pipe = mDir / "pipe.psp";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);
    for (const fs::path &path : {pipe, fs::path("/dev/zero"), fs::path("/dev/null")}) {
        SCOPED_TRACE(path.string());
        TDataModule2 dm;
        dm.DataModuleCreate(tarvena::testing::dictionaryDir());
        try {
            dm.OpenPassport(path.string());
            ADD_FAILURE() << "opened";
        } catch (const Error &e) {
            EXPECT_NE(std::string(e.what()).find("это не обычный файл"), std::string::npos) << e.what();
        }
        EXPECT_TRUE(dm.PassportFileName.empty());
    }
}

} // namespace
