// Hostile attachment names in an unpacking: names that clean to the same file, names Windows refuses,
// an attachment stored as the description file. Every attachment must come out as a file of its own
// and the description lines must name the files as written.
#include "exchange/unpacking/attachmentnames.h"
#include "exchange/unpacking/unpack.h"
#include "exchange/workbooks/outputfile.h"
#include "storage/codepage.h"
#include "tests/exchange/unpack_fixture.h"

#include <set>

namespace tarvena {
namespace {

namespace fs = std::filesystem;
using testing::cp;
using testing::fileBytes;
using testing::u8path;

std::string repeated(const std::string &utf8, int times)
{
    std::string text;
    for (int i = 0; i < times; ++i)
        text += utf8;
    return text;
}

class AttachmentNamesTest : public testing::UnpackFixture
{
};

TEST_F(AttachmentNamesTest, EveryAttachmentGetsAFileOfItsOwn)
{
    // 90 signs of 3 bytes: two names that differ only past the 255 bytes of a file name.
    const std::string longStem = repeated("№", 90);
    const std::string cutStem = repeated("№", 83);
    const struct
    {
        std::string stored;  // UTF-8
        std::string written; // in ГРАФИКА
    } cases[] = {
        {"a.txt", "a.txt"},
        {"A.TXT", "A (2).TXT"},
        {"a.txt", "a (3).txt"},
        {".", "_"},
        {"..", "_ (2)"},
        {"...", "_ (3)"},
        {"", "_ (4)"},
        {"   ", "_ (5)"},
        {"Descript.ion", "Descript (2).ion"},
        {"DESCRIPT.ION", "DESCRIPT (3).ION"},
        {"CON", "CON (2)"},
        {"nul.txt", "nul (2).txt"},
        {"LPT1", "LPT1 (2)"},
        {"com9 .tar.gz", "com9  (2).tar.gz"},
        {"CONSOLE", "CONSOLE"},
        {"name.", "name. (2)"},
        {"name ", "name  (2)"},
        {"CON.", "CON_ (2)"},
        {"nul .txt ", "nul  (2).txt_"},
        {longStem + "1.doc", cutStem + ".doc"},
        {longStem + "2.doc", repeated("№", 82) + " (2).doc"},
        {"графика", "графика (2)"},
    };
    setObjectName("Северная");
    for (std::size_t i = 0; i < std::size(cases); ++i)
        addAttachment({cases[i].stored, "content " + std::to_string(i), "d" + std::to_string(i)});

    unpackPassport(dm, pathToUtf8(chosen), true);

    const fs::path graphics = passportFolder() / u8path("ГРАФИКА");
    std::string descriptions;
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].stored);
        EXPECT_EQ(fileBytes(graphics / u8path(cases[i].written)), "content " + std::to_string(i));
        EXPECT_FALSE(refusedByWindows(cp(cases[i].written.c_str())));
        std::string line = "\"" + cases[i].written + "\" d" + std::to_string(i);
        if (cases[i].written != cases[i].stored)
            line += " (в паспорте: \"" + cases[i].stored + "\")";
        descriptions += codepage::StrToOem(cp(line.c_str())) + "\r\n";
    }
    std::size_t files = 0;
    for (const auto &entry : fs::directory_iterator(graphics))
        files += entry.is_regular_file();
    EXPECT_EQ(files, std::size(cases) + 1);
    EXPECT_EQ(fileBytes(graphics / "Descript.ion"), descriptions);
}

// A renamed attachment without a description still gets a line naming what it was stored as; one kept
// under its own name gets none.
TEST_F(AttachmentNamesTest, RenamedAttachmentIsDescribed)
{
    setObjectName("Северная");
    addAttachment({"plain.bin", "1", ""});
    addAttachment({"a\x01"
                   "b",
                   "2", ""});
    unpackPassport(dm, pathToUtf8(chosen), true);
    EXPECT_EQ(fileBytes(passportFolder() / u8path("ГРАФИКА/Descript.ion")),
              codepage::StrToOem(cp("\"a_b\" (в паспорте: \"a_b\")")) + "\r\n");
}

} // namespace
} // namespace tarvena
