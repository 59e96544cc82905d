// tarvena-cli import-contour as a user runs it: the points replace one horizon's contour and the
// passport is saved; a refused line or start line leaves the file as it was and says why.
#include "model/datamodule.h"
#include "tests/support/clirun.h"
#include "tests/support/samplepassport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

using namespace tarvena;
using namespace tarvena::testing;

namespace {

namespace fs = std::filesystem;

class ContourCliTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        mDir = fs::temp_directory_path() / ("tarvena-contour-cli-" + std::to_string(::getpid()));
        fs::remove_all(mDir);
        fs::create_directories(mDir);
        mPassport = (mDir / "sample.psp").string();
        fs::copy_file(builtSamplePassport(), mPassport);
    }
    void TearDown() override { fs::remove_all(mDir); }

    std::string writePoints(const std::string &name, const std::string &text)
    {
        const std::string path = (mDir / name).string();
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }

    fs::path mDir;
    std::string mPassport;
};

TEST_F(ContourCliTest, ImportsIntoOneHorizonAndSaves)
{
    std::string text = "Easting Northing\n";
    for (int i = 0; i < 400; ++i)
        text += std::to_string(500000 + i * 10) + "\t" + std::to_string(7000000 + (i % 9) * 100) + "\n";
    const CliRun run = runCli({"import-contour", mPassport, "2", writePoints("gk.txt", text), "--system", "4",
                               "--zone", "13", "--start", "2"});
    ASSERT_EQ(run.exitCode, 0) << run.out;
    EXPECT_EQ(run.out, "");

    TDataModule2 dm;
    dm.DataModuleCreate(dictionaryDir());
    dm.OpenPassport(mPassport);
    MemTable &horizons = dm.POSIB_PRODUCT_HOR;
    horizons.SetRecNo(2);
    EXPECT_EQ(horizons.FieldByName("KONTURKOORDTYPE").AsInteger(), 4);
    EXPECT_EQ(horizons.FieldByName("KONTURNUMPOINTS").AsInteger(), 400);
    ASSERT_EQ(dm.KONTUR.RecordCount(), 400);
    dm.KONTUR.SetRecNo(400);
    EXPECT_EQ(dm.KONTUR.FieldByName("X").AsFloat(), 13503990);
    EXPECT_EQ(dm.KONTUR.FieldByName("Y").AsFloat(), 7000300);
    // The other three contours stay as they were.
    for (const auto &[horizon, points] : {std::pair{1, 120}, {3, 72}, {4, 110}}) {
        horizons.SetRecNo(horizon);
        EXPECT_EQ(dm.KONTUR.RecordCount(), points);
    }
}

TEST_F(ContourCliTest, RefusalsLeaveTheFileAsItWas)
{
    const std::string before = readFileBytes(mPassport);
    const std::string points = writePoints("p.txt", "70 60\n71 61\n19.61 60\n");
    const std::string damaged = writePoints("damaged.txt", std::string("70 60\n71") + '\0' + "61\n72 62\n\n");
    struct Refusal
    {
        std::vector<std::string> options;
        std::string message;
        std::string file = {}; // the points file, when not p.txt
    };
    const std::vector<Refusal> refusals = {
        {{"--system", "2"},
         "Ввод не выполнен!: Координаты не соответствуют территории России.\n"
         "Строка 3: «19.61 60». Контур горизонта не изменён.\n"},
        {{"--system", "2", "--start", "0"}, "Импорт начинается со строки 1 или дальше; указана строка 0.\n"},
        {{"--system", "0"}, "Ввод не выполнен!: Укажите тип координат.\n"},
        {{"--system", "3"}, "Для проекции Меркатора укажите номер зоны: --zone 1, 2 или 34 … 60.\n"},
        {{"--system", "5"}, "Нет типа координат 5: типы координат 1, 2, 3 и 4.\n"},
        {{"--x", "2"}, "Укажите тип координат: --system 1, 2, 3 или 4.\n"},
        {{"--system", "2"},
         "Ввод не выполнен!: Текст с координатами повреждён: в строке нет долготы или широты, а после неё "
         "идут другие строки с данными. Импорт отменён.\nСтрока 2: «71␀61». Контур горизонта не изменён.\n",
         damaged},
    };
    for (const Refusal &refusal : refusals) {
        std::vector<std::string> arguments = {"import-contour", mPassport, "1",
                                              refusal.file.empty() ? points : refusal.file};
        arguments.insert(arguments.end(), refusal.options.begin(), refusal.options.end());
        const CliRun run = runCli(arguments);
        EXPECT_EQ(run.exitCode, 1) << refusal.options[1];
        EXPECT_EQ(run.out, refusal.message);
        EXPECT_EQ(readFileBytes(mPassport), before);
    }
    EXPECT_EQ(runCli({"import-contour", mPassport, "9", points, "--system", "2"}).exitCode, 1);
}

TEST_F(ContourCliTest, SkippedLinesAreCountedAndFailTheCommand)
{
    const std::string points = writePoints("p.txt", "70 60\nnan 61\n71 inf\n72 62\n");
    const CliRun run = runCli({"import-contour", mPassport, "1", points, "--system", "2"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, " Ошибка!  Неверно указан тип координат. \nСтрока 2: \"nan\" не является числом.\n"
                       "Строка 3: \"inf\" не является числом.\n"
                       "Пропущено строк: 2; импортировано точек: 2, паспорт сохранён.\n");
    TDataModule2 dm;
    dm.DataModuleCreate(dictionaryDir());
    dm.OpenPassport(mPassport);
    EXPECT_EQ(dm.KONTUR.RecordCount(), 2);
}

} // namespace
