// Unpacking as a user runs it: tarvena-cli unpack and export-contour on a saved passport, and the
// unpacking through the office suite (engine 3) giving the same workbooks as engine 2.
#include "exchange/unpacking/unpack.h"
#include "exchange/workbooks/calcengine.h"
#include "exchange/workbooks/outputfile.h"
#include "tests/exchange/unpack_fixture.h"
#include "tests/support/clirun.h"

#include <cstdio>
#include <sys/wait.h>

namespace tarvena {
namespace {

namespace fs = std::filesystem;
using testing::CliRun;
using testing::fileBytes;
using testing::noiseBytes;
using testing::runCli;
using testing::u8path;

// A workbook as the tests compare it: every cell's text and boldness, row by row.
std::vector<std::string> cellsOf(const fs::path &file)
{
    const testing::ReadWorkbook book = testing::readWorkbook(file);
    std::vector<std::string> cells;
    for (const testing::ReadSheet &sheet : book.sheets)
        for (const testing::ReadCell &cell : sheet.cells)
            cells.push_back(std::to_string(cell.row) + "," + std::to_string(cell.column) +
                            (cell.bold ? " b " : " ") + cell.text);
    return cells;
}

class UnpackCliTest : public testing::UnpackFixture
{
protected:
    std::string savedPassport()
    {
        fillPassport();
        const std::string file = root.file("паспорт.psp");
        dm.SavePassport(file);
        return file;
    }
};

TEST_F(UnpackCliTest, UnpackCommand)
{
    const std::string passport = savedPassport();
    const CliRun run = runCli({"unpack", passport, pathToUtf8(chosen)});
    ASSERT_EQ(run.exitCode, 0) << run.out;
    EXPECT_EQ(fileBytes(passportFolder() / u8path("ДОКУМЕНТЫ/Пояснительная записка.pdf")),
              attachments[1].bytes);
    EXPECT_EQ(fileBytes(passportFolder() / u8path("Титульный лист.doc")), attachments[0].bytes);
    std::size_t workbooks = 0;
    for (const auto &entry : fs::directory_iterator(passportFolder() / u8path("ТАБЛИЦЫ")))
        workbooks += entry.path().extension() == ".xls";
    EXPECT_EQ(workbooks, 14u);
    const testing::ReadWorkbook contours =
        testing::readWorkbook(passportFolder() / u8path("ТАБЛИЦЫ/Таблица 11 Контуры ловушек.xls"));
    EXPECT_EQ(contours.sheets.at(0).cell(10, 1)->text, "60.500000");

    // A damaged attachment makes the command fail with the names, after writing the rest.
    dm.FILES.Last();
    dm.FILES.Edit();
    const std::string member = gzipBytes(noiseBytes(4000, 5));
    dm.FILES.FieldByName("CONTENT").SetAsString(member.substr(0, member.size() / 2));
    dm.FILES.Post();
    dm.SavePassport(passport);
    fs::remove_all(chosen);
    const CliRun damaged = runCli({"unpack", "--engine", "excel", passport, pathToUtf8(chosen)});
    EXPECT_EQ(damaged.exitCode, 1);
    EXPECT_NE(damaged.out.find("Содержимое файлов повреждено, они не распакованы: \"photo.png\"."),
              std::string::npos)
        << damaged.out;
    EXPECT_TRUE(fs::exists(passportFolder() / u8path("ГРАФИКА/To1.jpg")));
}

TEST_F(UnpackCliTest, ExportContourCommand)
{
    const std::string passport = savedPassport();
    const std::string out = root.file("контур.xls");
    const CliRun run = runCli({"export-contour", passport, "3", out});
    ASSERT_EQ(run.exitCode, 0) << run.out;
    const testing::ReadSheet sheet = testing::readWorkbook(out).sheets.at(0);
    EXPECT_EQ(sheet.cell(1, 1)->text,
              "Координаты контура    Ю3   Тип координат:    Географическая система координат (доли градуса)");
    EXPECT_EQ(sheet.cell(3, 1)->text, "60.500000");
    EXPECT_EQ(sheet.cell(3, 2)->text, "70.250000");
    EXPECT_EQ(sheet.rows, 3);

    for (const char *number : {"0", "4", "x"}) {
        const CliRun refused = runCli({"export-contour", passport, number, root.file("нет.xls")});
        EXPECT_EQ(refused.exitCode, 1) << number;
        EXPECT_NE(refused.out.find("Нет возможного продуктивного горизонта с номером"), std::string::npos)
            << refused.out;
    }
    EXPECT_FALSE(fs::exists(u8path(root.file("нет.xls"))));
}

// A folder given as the workbook is refused and kept, whether empty or not; nothing is left beside it.
TEST_F(UnpackCliTest, ExportContourRefusesAFolder)
{
    const std::string passport = savedPassport();
    const struct
    {
        const char *name;
        bool withFile;
    } cases[] = {{"пустая.xls", false}, {"с файлом.xls", true}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path target = u8path(root.file(c.name));
        fs::create_directories(target);
        if (c.withFile)
            std::ofstream(target / "inside.txt") << "kept";
        const CliRun run = runCli({"export-contour", passport, "1", pathToUtf8(target)});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_NE(run.out.find("Не удалось записать файл " + pathToUtf8(target) +
                               ": по этому пути находится папка."),
                  std::string::npos)
            << run.out;
        EXPECT_TRUE(fs::is_directory(target));
        if (c.withFile) {
            EXPECT_EQ(fileBytes(target / "inside.txt"), "kept");
        }
    }
    std::size_t entries = 0;
    for (const auto &entry : fs::directory_iterator(root.path()))
        entries += entry.path().extension() != ".psp";
    EXPECT_EQ(entries, std::size(cases));
}

// Engine 3 writes the fourteen workbooks with one start of the office suite; they read back the same
// as engine 2's.
TEST_F(UnpackCliTest, OfficeSuiteGivesTheSameWorkbooks)
{
    if (findOfficeProgram().empty())
        GTEST_SKIP() << "LibreOffice or OpenOffice is not installed";
    fillPassport();
    const fs::path excel = root.path() / "excel";
    const fs::path calc = root.path() / "calc";
    unpackPassport(dm, pathToUtf8(excel), true);
    unpackPassport(dm, pathToUtf8(calc), false);

    const fs::path tables = u8path("ПАСПОРТ ОБЪЕКТА Северная/ТАБЛИЦЫ");
    std::size_t compared = 0;
    for (const auto &entry : fs::directory_iterator(excel / tables)) {
        SCOPED_TRACE(pathToUtf8(entry.path().filename()));
        EXPECT_EQ(cellsOf(calc / tables / entry.path().filename()), cellsOf(entry.path()));
        ++compared;
    }
    EXPECT_EQ(compared, 14u);
    EXPECT_EQ(fileBytes(calc / u8path("ПАСПОРТ ОБЪЕКТА Северная/ГРАФИКА/To1.jpg")), attachments[3].bytes);
}

} // namespace
} // namespace tarvena
