// Engine 3, the office suite run headless: finding it, and (where it is installed) the workbooks it
// stores, read back by xlrd; also the suite as a second reader of engine 2's workbooks.
#include "exchange/workbooks/calcengine.h"
#include "exchange/workbooks/process.h"
#include "exchange/workbooks/sheetwriter.h"
#include "exchange/workbooks/topofcalc.h"
#include "storage/error.h"
#include "tests/exchange/readback.h"
#include "tests/support/samplepassport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace tarvena {
namespace {

using testing::cp;
using testing::TempFolder;

TEST(CalcEngine, FindsTheSuiteOnThePathOrInItsFolders)
{
    TempFolder root;
    auto program = [&](const std::string &folder, const std::string &name, bool executable) {
        std::filesystem::create_directories(root.path() / folder);
        const std::filesystem::path file = root.path() / folder / name;
        std::ofstream(file) << "#!/bin/sh\n";
        std::filesystem::permissions(file, executable ? std::filesystem::perms::owner_all
                                                      : std::filesystem::perms::owner_read);
    };
    std::filesystem::create_directories(root.path() / "empty");
    program("soffice", "soffice", true);
    program("libre", "libreoffice", true);
    program("both", "libreoffice", true);
    program("both", "soffice", true);
    program("notrun", "soffice", false);
    program("installed", "soffice", true);
    auto at = [&](const std::string &folder) { return (root.path() / folder).string(); };

    struct Case
    {
        std::string searchPath;
        std::vector<std::filesystem::path> installFolders;
        std::string found; // folder/name, empty for none
    };
    const Case cases[] = {
        {at("empty") + ":" + at("soffice"), {}, "soffice/soffice"},
        {at("empty") + ":" + at("libre"), {}, "libre/libreoffice"},
        {at("libre") + ":" + at("soffice"), {}, "libre/libreoffice"},
        {at("both"), {}, "both/soffice"},
        {at("notrun"), {}, ""},
        {"::" + at("empty"), {at("installed")}, "installed/soffice"},
        {at("soffice"), {at("installed")}, "soffice/soffice"},
        {"", {at("empty"), at("notrun")}, ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.searchPath);
        const std::filesystem::path found = findOfficeProgram(c.searchPath, c.installFolders);
        EXPECT_EQ(found, c.found.empty() ? std::filesystem::path() : root.path() / c.found);
    }
}

class WithOfficeSuite : public ::testing::Test
{
protected:
    void SetUp() override
    {
        program = findOfficeProgram();
        if (program.empty())
            GTEST_SKIP() << "LibreOffice or OpenOffice is not installed";
    }

    // The suite's own workbooks: its SST index points at the CONTINUE header instead of the string
    // when a string starts a CONTINUE record; no reader uses that index, so only it is let pass.
    testing::ReadWorkbook read(const std::string &file)
    {
        testing::ReadWorkbook book = testing::readWorkbook(file);
        std::erase_if(book.problems, [](const std::string &p) { return p.starts_with("EXTSST"); });
        EXPECT_EQ(book.problems, std::vector<std::string>{});
        return book;
    }

    std::filesystem::path program;
    TempFolder folder;
};

TEST_F(WithOfficeSuite, Engine3StoresTextsBoldWidthsAndEveryRow)
{
    SheetWriter writer;
    writer.UseExcel = false;
    const std::string file = folder.file("книга 3.xls");
    writer.BeginSpreadsheet(file);
    ASSERT_TRUE(writer.CurrentSpreadsheet()->IsOpenOffice());
    writer.WritePair(cp("Объект"), cp("Северо-Тарвенская структура"), true, false);
    writer.WritePair(cp("Код"), "0012", false, false);
    writer.WritePair(cp("Формула"), "=1+1", false, true);
    writer.WritePair(cp("Строки"), cp("первая\nвторая"), false, false);
    writer.WritePair(cp("  пробелы"), "a & <b>  c ", false, false);
    writer.SetColumnWidthChars(1, 25);
    writer.SetColumnWidthChars(2, 50);
    for (int row = 10; row <= 70000; ++row)
        writer.WriteCell(3, row, std::to_string(row), false);
    writer.FinishSpreadsheet();

    const testing::ReadWorkbook book = read(file);
    ASSERT_EQ(book.sheets.size(), 2u);
    const testing::ReadSheet &sheet = book.sheets[0];
    EXPECT_EQ(sheet.cell(1, 1)->text, "Объект");
    EXPECT_TRUE(sheet.cell(1, 1)->bold);
    EXPECT_EQ(sheet.cell(1, 2)->text, "Северо-Тарвенская структура");
    EXPECT_FALSE(sheet.cell(1, 2)->bold);
    EXPECT_EQ(sheet.cell(2, 2)->text, "0012");
    EXPECT_EQ(sheet.cell(3, 2)->text, "=1+1");
    EXPECT_TRUE(sheet.cell(3, 2)->bold);
    EXPECT_EQ(sheet.cell(4, 2)->text, "первая\nвторая");
    EXPECT_EQ(sheet.cell(5, 1)->text, "  пробелы");
    EXPECT_EQ(sheet.cell(5, 2)->text, "a & <b>  c ");
    // Widths are millimetres here: column B is twice column A; the suite stores 50 mm as about 22
    // character widths of its default font.
    const double ratio = double(sheet.widths.at(1)) / sheet.widths.at(0);
    EXPECT_NEAR(ratio, 2.0, 0.05);
    EXPECT_GT(sheet.widths.at(1), 20 * 256);
    EXPECT_LT(sheet.widths.at(1), 25 * 256);
    EXPECT_EQ(sheet.cell(65536, 3)->text, "65536");
    EXPECT_EQ(book.sheets[1].name, "Лист1 (2)");
    EXPECT_EQ(book.sheets[1].cell(1, 3)->text, "65537");
    EXPECT_EQ(book.sheets[1].cell(70000 - 65536, 3)->text, "70000");
}

TEST_F(WithOfficeSuite, BatchConvertsAllWorkbooksAtItsEnd)
{
    SheetWriter writer;
    writer.beginBatch();
    const std::vector<std::string> files = {folder.file("1.xls"), folder.file("2.xls"),
                                            folder.file("нет папки/3.xls"), folder.file("4.xls")};
    for (std::size_t i = 0; i < files.size(); ++i) {
        writer.UseExcel = i == 1; // engine 2 is not part of the batch
        writer.BeginSpreadsheet(files[i]);
        writer.WriteCell(1, 1, cp("книга ") + std::to_string(i + 1), true);
        writer.FinishSpreadsheet();
        EXPECT_EQ(std::filesystem::exists(files[i]), i == 1) << i;
    }
    try {
        writer.finishBatch();
        ADD_FAILURE() << "a workbook without its folder was reported as written";
    } catch (const Error &e) {
        EXPECT_NE(std::string(e.what()).find(files[2]), std::string::npos) << e.what();
        EXPECT_EQ(std::string(e.what()).find(files[0]), std::string::npos) << e.what();
    }
    for (std::size_t i : {0, 1, 3}) {
        const testing::ReadWorkbook book = read(files[i]);
        EXPECT_EQ(book.sheets.at(0).cell(1, 1)->text, "книга " + std::to_string(i + 1));
        EXPECT_TRUE(book.sheets.at(0).cell(1, 1)->bold);
    }
}

// The suite reads engine 2's workbook as the program wrote it.
TEST_F(WithOfficeSuite, SuiteReadsEngine2Workbooks)
{
    SheetWriter writer;
    const std::string file = folder.file("engine2.xls");
    writer.BeginSpreadsheet(file);
    writer.WritePair(cp("Привет"), "=1+1", true, false);
    writer.WritePair("0012", cp("две\nстроки"), false, false);
    writer.WritePair(std::string(300, 'x'), cp("«кавычки»"), false, false);
    writer.FinishSpreadsheet();

    const std::vector<std::string> arguments = {
        "--headless",
        "--norestore",
        "-env:UserInstallation=" + TopofCalc::FileNameToUrl((folder.path() / "profile").string()),
        "--convert-to",
        "csv:Text - txt - csv (StarCalc):44,34,76,1",
        "--outdir",
        folder.path().string(),
        file};
    const ProcessResult result =
        runProcess(program, arguments, folder.path() / "log.txt", std::chrono::seconds(180));
    ASSERT_TRUE(result.started);
    std::ifstream csv(folder.path() / "engine2.csv", std::ios::binary);
    ASSERT_TRUE(csv.good()) << "the suite did not load the workbook";
    std::stringstream text;
    text << csv.rdbuf();
    // The suite writes each text quoted.
    EXPECT_EQ(text.str(), "\"Привет\",\"=1+1\"\n\"0012\",\"две\nстроки\"\n\"" + std::string(300, 'x') +
                              "\",\"«кавычки»\"\n");
}

} // namespace
} // namespace tarvena
