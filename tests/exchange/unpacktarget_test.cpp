// What an unpacking finds in the chosen folder before it writes: folders of the unpacking that are
// links or files, and read-only files, stop it with nothing written; links in the place of single
// files are replaced, and the chosen folder may itself be a link.
#include "exchange/unpacking/unpack.h"
#include "exchange/workbooks/outputfile.h"
#include "tests/exchange/unpack_fixture.h"
#include "tests/support/errortext.h"

#include <functional>
#include <set>

namespace tarvena {
namespace {

namespace fs = std::filesystem;
using testing::fileBytes;
using testing::u8path;

// Every entry below folder (links not followed), as a path relative to it.
std::set<std::string> entriesBelow(const fs::path &folder)
{
    std::set<std::string> entries;
    if (fs::exists(fs::symlink_status(folder)))
        for (const auto &entry : fs::recursive_directory_iterator(folder))
            entries.insert(pathToUtf8(fs::relative(entry.path(), folder)));
    return entries;
}

class UnpackTargetTest : public testing::UnpackFixture
{
protected:
    UnpackTargetTest() { fillPassport(); }

    fs::path inPassport(const std::string &utf8) const { return passportFolder() / u8path(utf8); }
    std::string unpack()
    {
        return testing::errorOf([&] { unpackPassport(dm, pathToUtf8(chosen), true); });
    }

    const fs::path elsewhere = root.path() / "elsewhere";
};

// A folder that the unpacking makes and that exists as a link (to a folder elsewhere, or dangling) or
// as a file stops it before anything is written, with the folder's name; nothing reaches the place
// the link names.
TEST_F(UnpackTargetTest, FoldersThatAreNotItsOwnStopIt)
{
    const auto link = [this](const fs::path &at) {
        fs::create_directories(elsewhere);
        fs::create_directories(at.parent_path());
        fs::create_directory_symlink(elsewhere, at);
    };
    const auto dangling = [](const fs::path &at) {
        fs::create_directories(at.parent_path());
        fs::create_directory_symlink("nowhere", at);
    };
    const auto file = [](const fs::path &at) {
        fs::create_directories(at.parent_path());
        std::ofstream(at) << "a file where the folder goes";
    };
    const std::string linked =
        " является ссылкой на другое место; паспорт не распакован, ничего не записано.";
    const std::string notFolder = " не является папкой; паспорт не распакован, ничего не записано.";
    const struct
    {
        const char *folder; // inside the passport folder; "" is the passport folder itself
        std::function<void(const fs::path &)> plant;
        std::string error; // after the folder's quoted path
    } cases[] = {
        {"", link, linked},           {"ТАБЛИЦЫ", link, linked},     {"ДОКУМЕНТЫ", link, linked},
        {"ГРАФИКА", link, linked},    {"ТАБЛИЦЫ", dangling, linked}, {"", file, notFolder},
        {"ТАБЛИЦЫ", file, notFolder}, {"ГРАФИКА", file, notFolder},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.folder) + c.error.substr(0, 12));
        fs::remove_all(chosen);
        fs::remove_all(elsewhere);
        const fs::path planted = *c.folder ? inPassport(c.folder) : passportFolder();
        c.plant(planted);
        const std::set<std::string> before = entriesBelow(chosen);

        const std::string error = unpack();

        EXPECT_EQ(error, (c.error == linked ? "Папка \"" : "\"") + pathToUtf8(planted) + "\"" + c.error);
        EXPECT_EQ(entriesBelow(chosen), before);
        EXPECT_TRUE(entriesBelow(elsewhere).empty());
    }
}

// The chosen folder is the user's own path and may be a link; a link planted where a workbook or an
// attachment goes is replaced by the file, and the file it named stays as it was.
TEST_F(UnpackTargetTest, ChosenFolderMayBeALinkAndFileLinksAreReplaced)
{
    fs::create_directories(elsewhere);
    const fs::path victim = root.path() / "victim.txt";
    std::ofstream(victim) << "victim";
    fs::create_directories(inPassport("ТАБЛИЦЫ"));
    fs::create_directories(inPassport("ГРАФИКА"));
    fs::create_symlink(victim, inPassport("ТАБЛИЦЫ/Таблица 1 География.xls"));
    fs::create_symlink(victim, inPassport("ГРАФИКА/To1.jpg"));
    fs::rename(chosen, elsewhere / "real");
    fs::create_directory_symlink(elsewhere / "real", chosen);

    EXPECT_EQ(unpack(), "no error");

    EXPECT_EQ(fileBytes(victim), "victim");
    for (const char *file : {"ТАБЛИЦЫ/Таблица 1 География.xls", "ГРАФИКА/To1.jpg"})
        EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(inPassport(file)))) << file;
    EXPECT_EQ(fileBytes(inPassport("ГРАФИКА/To1.jpg")), attachments[3].bytes);
    EXPECT_EQ(entriesBelow(elsewhere / "real").size(), entriesBelow(chosen).size());
}

// A read-only file among those the unpacking replaces or removes (workbooks, attachments, description
// files) stops it before anything is written, as a save refuses a read-only passport; the first one
// in the order of writing is named. Made writable again, the next unpacking writes them all.
TEST_F(UnpackTargetTest, ReadOnlyFilesStopItBeforeAnythingIsWritten)
{
    const char *const files[] = {
        "ТАБЛИЦЫ/Таблица 1 География.xls",
        "ТАБЛИЦЫ/Таблица 11 Контуры ловушек.xls",
        "Титульный лист.doc",
        "ГРАФИКА/To1.jpg",
        "ДОКУМЕНТЫ/Descript.ion",
    };
    EXPECT_EQ(unpack(), "no error");
    for (const char *file : files) {
        SCOPED_TRACE(file);
        const fs::path readOnly = inPassport(file);
        std::ofstream(readOnly) << "kept";
        fs::permissions(readOnly, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
        // A later read-only file is not the one named.
        const fs::path later = inPassport("ГРАФИКА/Descript.ion");
        fs::permissions(later, fs::perms::owner_read);
        fs::remove(inPassport("ДОКУМЕНТЫ/Рекомендации.txt"));
        const std::set<std::string> before = entriesBelow(chosen);

        EXPECT_EQ(unpack(), "Файл \"" + pathToUtf8(readOnly) +
                                "\" доступен только для чтения; паспорт не распакован, ничего не записано.");
        EXPECT_EQ(fileBytes(readOnly), "kept");
        EXPECT_EQ(entriesBelow(chosen), before);
        EXPECT_FALSE(fs::exists(inPassport("ДОКУМЕНТЫ/Рекомендации.txt")));

        fs::permissions(readOnly, fs::perms::owner_write, fs::perm_options::add);
        fs::permissions(later, fs::perms::owner_write, fs::perm_options::add);
        EXPECT_EQ(unpack(), "no error");
        EXPECT_NE(fileBytes(readOnly), "kept");
    }
}

} // namespace
} // namespace tarvena
