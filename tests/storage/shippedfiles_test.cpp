// Where the program finds its dictionaries and manual: a build tree, an installed tree, a folder the
// user names.
#include "storage/shippedfiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

using namespace tarvena::platform;

namespace {

namespace fs = std::filesystem;

class ShippedFilesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        mRoot = fs::temp_directory_path() / ("tarvena-shipped-" + std::to_string(::getpid()));
        fs::remove_all(mRoot);
        fs::create_directories(bin());
        fs::create_directories(share());
    }
    void TearDown() override { fs::remove_all(mRoot); }

    fs::path bin() const { return mRoot / "bin"; }
    fs::path share() const { return mRoot / "share" / "tarvena"; }
    static void touch(const fs::path &file) { std::ofstream(file) << "x"; }

    fs::path mRoot;
};

TEST_F(ShippedFilesTest, FoldersAreBesideTheProgramThenShare)
{
    EXPECT_EQ(shippedFolders(bin().string()), (std::vector<std::string>{bin().string(), share().string()}));
}

TEST_F(ShippedFilesTest, DictionaryFolderOrder)
{
    struct Case
    {
        const char *name;
        std::string option;
        std::string environment;
        bool besideProgram;
        bool inShare;
        std::string expected;
    };
    const std::string named = (mRoot / "их словари").string();
    for (const Case &c : {
             Case{"option wins over everything", named, "/elsewhere", true, true, named},
             Case{"environment wins over the shipped files", "", named, true, true, named},
             Case{"build tree", "", "", true, true, bin().string()},
             Case{"installed tree", "", "", false, true, share().string()},
             Case{"nowhere: the program's folder, so the error names it", "", "", false, false,
                  bin().string()},
         }) {
        SCOPED_TRACE(c.name);
        fs::remove(bin() / "DICTIONARYS.BIN");
        fs::remove(share() / "DICTIONARYS.BIN");
        if (c.besideProgram)
            touch(bin() / "DICTIONARYS.BIN");
        if (c.inShare)
            touch(share() / "DICTIONARYS.BIN");
        EXPECT_EQ(dictionaryFolder(c.option, c.environment, bin().string()), c.expected);
    }
}

TEST_F(ShippedFilesTest, OnlyRegularFilesAreFound)
{
    const std::string manual = "Инструкция пользователя.pdf";
    const std::vector<std::string> folders = shippedFolders(bin().string());
    EXPECT_EQ(findShippedFile(folders, manual), "");
    fs::create_directory(bin() / manual); // a folder of that name is not the manual
    touch(share() / manual);
    EXPECT_EQ(findShippedFile(folders, manual), share().string());
}

} // namespace
