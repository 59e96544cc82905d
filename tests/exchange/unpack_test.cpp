// Passport unpacking with engine 2: the folder tree, the fourteen workbooks read back by xlrd, the
// attachments and their description files, hostile names and damaged content.
#include "exchange/unpacking/attachmentfolders.h"
#include "exchange/unpacking/contoursheet.h"
#include "exchange/unpacking/recordsheets.h"
#include "exchange/unpacking/unpack.h"
#include "exchange/workbooks/outputfile.h"
#include "exchange/workbooks/sheetwriter.h"
#include "model/columnsets.h"
#include "storage/codepage.h"
#include "tests/exchange/unpack_fixture.h"
#include "tests/support/errortext.h"

#include <functional>
#include <limits>
#include <set>

namespace tarvena {
namespace {

namespace fs = std::filesystem;
using testing::Attachment;
using testing::cp;
using testing::fileBytes;
using testing::noiseBytes;
using testing::ReadSheet;
using testing::u8path;

std::string utf8(const std::string &cp1251)
{
    return codepage::cp1251ToUtf8(cp1251);
}

ReadSheet readSheet(const fs::path &file)
{
    const testing::ReadWorkbook book = testing::readWorkbook(file);
    EXPECT_EQ(book.problems, std::vector<std::string>{}) << file;
    EXPECT_EQ(book.sheets.size(), 1u) << file;
    return book.sheets.at(0);
}

std::string text(const ReadSheet &sheet, int row, int column)
{
    const testing::ReadCell *cell = sheet.cell(row, column);
    return cell ? cell->text : std::string();
}

// Every file below folder, as a path relative to it.
std::set<std::string> filesBelow(const fs::path &folder)
{
    std::set<std::string> files;
    for (const auto &entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file())
            files.insert(pathToUtf8(fs::relative(entry.path(), folder)));
    return files;
}

const char *const kWorkbooks[] = {
    "Таблица 1 География.xls",
    "Таблица 2 История.xls",
    "Таблица 3 Методика.xls",
    "Таблица 4 Геология.xls",
    "Таблица 5 Отражающие горизонты.xls",
    "Таблица 6 Качество.xls",
    "Таблица 7 Возможные продуктивные горизонты.xls",
    "Таблица 8а Ресурсы нефти.xls",
    "Таблица 8б Ресурсы нефти.xls",
    "Таблица 9а Ресурсы газа.xls",
    "Таблица 9б Ресурсы газа.xls",
    "Таблица 10а Ресурсы газоконденсата.xls",
    "Таблица 10б Ресурсы газоконденсата.xls",
    "Таблица 11 Контуры ловушек.xls",
};
const char *const kTitles[] = {
    "Таблица 1. \"География\"",
    "Таблица 2. \"История\"",
    "Таблица 3. \"Методика\"",
    "Таблица 4. \"Геология\"",
    "Таблица 5. \"Отражающие горизонты (ОГ)\"",
    "Таблица 6. \"Качество\"",
    "Таблица 7. \"Возможные продуктивные горизонты (ВПГ)\"",
    "Таблица 8а. \"Ресурсы нефти\"",
    "Таблица 8б. \"Ресурсы нефти\"",
    "Таблица 9а. \"Ресурсы газа\"",
    "Таблица 9б. \"Ресурсы газа\"",
    "Таблица 10а. \"Ресурсы газоконденсата\"",
    "Таблица 10б. \"Ресурсы газоконденсата\"",
    "Таблица 11. \"Контуры ловушек\"",
};
const char *const kGrids[] = {"JvDBGrid1", "JvDBGrid2", "JvDBGrid3", "JvDBGrid4", "JvDBGrid5",
                              "JvDBGrid6", "JvDBGrid7", "JvDBGrid8", "JvDBGrid9"};

class RecordingProgress : public UnpackProgress
{
public:
    void advanced(int done, int total) override { steps.emplace_back(done, total); }
    std::vector<std::pair<int, int>> steps;
};

class UnpackTest : public testing::UnpackFixture
{
protected:
    fs::path tables() const { return passportFolder() / u8path("ТАБЛИЦЫ"); }
};

TEST_F(UnpackTest, FolderTreeWorkbooksAndState)
{
    fillPassport();
    dm.POSIB_PRODUCT_HOR.SetFilter("UV_ID=397"); // the fluid filter of page 8 is lifted first
    dm.POSIB_PRODUCT_HOR.SetFiltered(true);
    dm.PassportModified = false;
    RecordingProgress progress;

    unpackPassport(dm, pathToUtf8(chosen), true, &progress);

    std::set<std::string> expected;
    for (const char *name : kWorkbooks)
        expected.insert(std::string("ТАБЛИЦЫ/") + name);
    for (const char *name : {"Титульный лист.doc", "Descript.ion", "ДОКУМЕНТЫ/Пояснительная записка.pdf",
                             "ДОКУМЕНТЫ/Рекомендации.txt", "ДОКУМЕНТЫ/Descript.ion", "ГРАФИКА/To1.jpg",
                             "ГРАФИКА/photo.png", "ГРАФИКА/Descript.ion"})
        expected.insert(name);
    EXPECT_EQ(filesBelow(passportFolder()), expected);
    EXPECT_EQ(filesBelow(root.path()).size(), expected.size()); // nothing beside the passport folder

    for (int i = 0; i < 14; ++i) {
        SCOPED_TRACE(kWorkbooks[i]);
        const ReadSheet sheet = readSheet(tables() / u8path(kWorkbooks[i]));
        EXPECT_EQ(text(sheet, 1, 1), kTitles[i]);
        EXPECT_TRUE(sheet.cell(1, 1)->bold);
        if (i < 4) {
            EXPECT_EQ(recordSheetFileName(i + 1), kWorkbooks[i]);
            continue;
        }
        if (i == 13)
            continue;
        // Grid copies: bold column titles in row 2, every horizon from row 3, no widths.
        const ColumnSet &columns = gridColumns(kGrids[i - 4]);
        for (std::size_t c = 0; c < columns.size(); ++c) {
            EXPECT_EQ(text(sheet, 2, int(c) + 1), utf8(columns[c].title)) << c;
            EXPECT_TRUE(sheet.cell(2, int(c) + 1)->bold) << c;
        }
        EXPECT_EQ(sheet.rows, i < 6 ? 4 : 5);
        EXPECT_TRUE(sheet.widths.empty());
    }

    const ReadSheet reflect = readSheet(tables() / u8path(kWorkbooks[4]));
    EXPECT_EQ(text(reflect, 3, 1), "Т2");
    EXPECT_EQ(text(reflect, 4, 1), "Б");
    const ColumnSet &reflectColumns = gridColumns("JvDBGrid1");
    for (std::size_t c = 0; c < reflectColumns.size(); ++c)
        if (reflectColumns[c].fieldName == "SQUARE") {
            EXPECT_EQ(text(reflect, 3, int(c) + 1), "12.5");
            EXPECT_EQ(text(reflect, 4, int(c) + 1), "7");
            EXPECT_FALSE(reflect.cell(3, int(c) + 1)->bold);
        }
    const ReadSheet oil = readSheet(tables() / u8path(kWorkbooks[7]));
    EXPECT_EQ(text(oil, 3, 1), "Ю1");
    EXPECT_EQ(text(oil, 4, 1), "Ю2");
    EXPECT_EQ(text(oil, 5, 1), "Ю3");

    // Table 11: a line per horizon, its header row, its points as the contour page shows them.
    const ReadSheet contours = readSheet(tables() / u8path(kWorkbooks[13]));
    const std::string line = "Возможный продуктивный горизонт: ";
    const std::vector<std::vector<std::string>> rows = {
        {kTitles[13]},
        {line + "Ю1   Тип координат контура:Географическая система координат (градусы/минуты/секунды)"},
        {"Долгота", "Широта"},
        {"55°30\"00.000", "37°37\"03.000"},
        {"56°0\"00.000", "38°0\"00.000"},
        {line + "Ю2   Тип координат контура:Проекция Гаусса-Крюгера"},
        {"Долгота", "Широта"},
        {line + "Ю3   Тип координат контура:Географическая система координат (доли градуса)"},
        {"Долгота", "Широта"},
        {"60.500000", "70.250000"},
    };
    ASSERT_EQ(contours.rows, int(rows.size()));
    for (std::size_t r = 0; r < rows.size(); ++r) {
        SCOPED_TRACE(r + 1);
        EXPECT_EQ(text(contours, int(r) + 1, 1), rows[r][0]);
        EXPECT_EQ(text(contours, int(r) + 1, 2), rows[r].size() > 1 ? rows[r][1] : "");
        const bool bold = rows[r].size() == 1 || rows[r][0] == "Долгота";
        EXPECT_EQ(contours.cell(int(r) + 1, 1)->bold, bold);
    }
    EXPECT_TRUE(contours.widths.empty());

    // Attachments come out byte for byte.
    EXPECT_EQ(fileBytes(passportFolder() / u8path("Титульный лист.doc")), attachments[0].bytes);
    EXPECT_EQ(fileBytes(passportFolder() / u8path("ДОКУМЕНТЫ/Пояснительная записка.pdf")),
              attachments[1].bytes);
    EXPECT_EQ(fileBytes(passportFolder() / u8path("ДОКУМЕНТЫ/Рекомендации.txt")), attachments[2].bytes);
    EXPECT_EQ(fileBytes(passportFolder() / u8path("ГРАФИКА/To1.jpg")), attachments[3].bytes);
    EXPECT_EQ(fileBytes(passportFolder() / u8path("ГРАФИКА/photo.png")), "");

    // The passport is not changed; the tables are left after their last rows, the horizons unfiltered.
    EXPECT_FALSE(dm.PassportModified);
    EXPECT_FALSE(dm.POSIB_PRODUCT_HOR.Filtered());
    for (MemTable *table : {&dm.REFLECT_HORIZONTS, &dm.POSIB_PRODUCT_HOR, &dm.FILES})
        EXPECT_TRUE(table->Eof()) << table->Name();
    // The contour table follows the horizons again: the last horizon's point, then the first's two.
    EXPECT_EQ(dm.KONTUR.RecordCount(), 1);
    dm.POSIB_PRODUCT_HOR.First();
    EXPECT_EQ(dm.KONTUR.RecordCount(), 2);
    ASSERT_EQ(progress.steps.size(), 19u);
    EXPECT_EQ(progress.steps.front(), std::make_pair(1, 19));
    EXPECT_EQ(progress.steps.back(), std::make_pair(19, 19));
}

// The views of the tables that the unpacking walks are told once, when the walk ends, not on every
// row it passes. The contour sheet reads the stored records in place: it moves no cursor, changes no
// filter, and no view hears of it.
TEST_F(UnpackTest, ViewsHearOneNoticeAfterTheWalks)
{
    fillPassport();
    const struct
    {
        const char *what;
        std::function<void()> run;
        std::vector<MemTable *> watched;
        bool walks;
    } cases[] = {
        {"unpacking",
         [&] { unpackPassport(dm, pathToUtf8(chosen), true); },
         {&dm.REFLECT_HORIZONTS, &dm.POSIB_PRODUCT_HOR, &dm.KONTUR, &dm.FILES},
         true},
        {"contour sheet",
         [&] {
             SheetWriter writer;
             writeContourSheet(writer, dm, root.file("contours.xls"));
         },
         {&dm.POSIB_PRODUCT_HOR, &dm.KONTUR},
         false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::pair<std::string, TableChange::Kind>> heard;
        std::vector<TableSubscription> views;
        for (MemTable *table : c.watched)
            views.emplace_back(*table, [&heard, table](const TableChange &change) {
                heard.emplace_back(table->Name(), change.kind);
            });
        dm.POSIB_PRODUCT_HOR.First(); // the first horizon's two points shown
        heard.clear();
        c.run();
        for (const auto &[table, kind] : heard)
            EXPECT_EQ(kind, TableChange::LayoutChanged) << table;
        EXPECT_EQ(heard.empty(), !c.walks);
        if (!c.walks) {
            EXPECT_EQ(dm.POSIB_PRODUCT_HOR.RecNo(), 1);
            EXPECT_EQ(dm.KONTUR.RecordCount(), 2);
        }
    }
}

TEST_F(UnpackTest, PassportWithoutHorizonsGivesHeaderOnlyTables)
{
    setObjectName("Пустая");
    unpackPassport(dm, pathToUtf8(chosen), true);
    const fs::path folder = chosen / u8path("ПАСПОРТ ОБЪЕКТА Пустая/ТАБЛИЦЫ");
    for (int i = 4; i < 14; ++i) {
        SCOPED_TRACE(kWorkbooks[i]);
        const ReadSheet sheet = readSheet(folder / u8path(kWorkbooks[i]));
        EXPECT_EQ(sheet.rows, i == 13 ? 1 : 2);
        EXPECT_EQ(text(sheet, 1, 1), kTitles[i]);
    }
    EXPECT_TRUE(fs::is_empty(chosen / u8path("ПАСПОРТ ОБЪЕКТА Пустая/ДОКУМЕНТЫ")));
    EXPECT_TRUE(fs::is_empty(chosen / u8path("ПАСПОРТ ОБЪЕКТА Пустая/ГРАФИКА")));
}

// The description files hold this unpacking only, in code page 866 with CR LF; a folder whose
// attachments have no description has none.
TEST_F(UnpackTest, DescriptionFilesAfterTwoUnpackings)
{
    fillPassport();
    unpackPassport(dm, pathToUtf8(chosen), true);
    unpackPassport(dm, pathToUtf8(chosen), true);

    EXPECT_EQ(fileBytes(passportFolder() / "Descript.ion"),
              "\"\x92\xA8\xE2\xE3\xAB\xEC\xAD\xEB\xA9 \xAB\xA8\xE1\xE2.doc\" \x92\xA8\xE2\xE3\xAB\r\n");
    EXPECT_EQ(fileBytes(passportFolder() / u8path("ДОКУМЕНТЫ/Descript.ion")),
              "\"\x8F\xAE\xEF\xE1\xAD\xA8\xE2\xA5\xAB\xEC\xAD\xA0\xEF \xA7\xA0\xAF\xA8\xE1\xAA\xA0.pdf\" "
              "\x87\xA0\xAF\xA8\xE1\xAA\xA0  \xA2\xE2\xAE\xE0\xA0\xEF \xE1\xE2\xE0\xAE\xAA\xA0\r\n");
    EXPECT_EQ(fileBytes(passportFolder() / u8path("ГРАФИКА/Descript.ion")),
              "\"To1.jpg\" \x8A\xA0\xE0\xE2\xA0 \xFC"
              "1\r\n");

    // Without descriptions the old description files go and no new ones come.
    for (dm.FILES.First(); !dm.FILES.Eof(); dm.FILES.Next()) {
        dm.FILES.Edit();
        dm.FILES.FieldByName("DESCRIPTION").Clear();
        dm.FILES.Post();
    }
    unpackPassport(dm, pathToUtf8(chosen), true);
    EXPECT_FALSE(fs::exists(passportFolder() / "Descript.ion"));
    EXPECT_FALSE(fs::exists(passportFolder() / u8path("ДОКУМЕНТЫ/Descript.ion")));
    EXPECT_FALSE(fs::exists(passportFolder() / u8path("ГРАФИКА/Descript.ion")));
}

// Document slots decide the folder, letter case ignored; names that would reach outside the chosen
// folder, or that the file system refuses, are made safe the same way every time.
TEST_F(UnpackTest, AttachmentFoldersAndSafeNames)
{
    // 100 signs of 3 bytes each pass the 255 bytes of a file name; 83 and the extension fit.
    std::string numbers;
    for (int i = 0; i < 100; ++i)
        numbers += "№";
    const std::string cut = numbers.substr(0, 83 * 3);
    const struct
    {
        std::string name;
        std::string place; // relative to the passport folder
    } cases[] = {
        {"ТИТУЛЬНЫЙ ЛИСТ.PDF", "ТИТУЛЬНЫЙ ЛИСТ.PDF"},
        {"титульный лист", "титульный лист"},
        {"Экспертное заключение.docx", "ДОКУМЕНТЫ/Экспертное заключение.docx"},
        {"РЕКОМЕНДАЦИИ.rtf", "ДОКУМЕНТЫ/РЕКОМЕНДАЦИИ.rtf"},
        {"Титульный лист.old.doc", "ГРАФИКА/Титульный лист.old.doc"},
        {"Geo1.bmp", "ГРАФИКА/Geo1.bmp"},
        {"../x", "ГРАФИКА/.._x"},
        {"a/b", "ГРАФИКА/a_b"},
        {"C:evil", "ГРАФИКА/C_evil"},
        {"..", "ГРАФИКА/_"},
        {"..\\..\\y.doc", "ГРАФИКА/.._.._y.doc"},
        {"t\x01q<>|?*\"", "ГРАФИКА/t_q______"},
        {numbers + ".doc", "ГРАФИКА/" + cut + ".doc"},
    };
    setObjectName("Северная");
    for (std::size_t i = 0; i < std::size(cases); ++i)
        addAttachment({cases[i].name, "content " + std::to_string(i), "d"});

    unpackPassport(dm, pathToUtf8(chosen), true);

    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].name);
        EXPECT_EQ(fileBytes(passportFolder() / u8path(cases[i].place)), "content " + std::to_string(i));
        EXPECT_EQ(utf8(safeFileName(cp(cases[i].name.c_str()))),
                  pathToUtf8(u8path(cases[i].place).filename()));
    }
    const std::set<std::string> files = filesBelow(root.path());
    EXPECT_EQ(files.size(), std::size(cases) + 14 + 3); // the attachments, workbooks and descriptions
    for (const std::string &file : files)
        EXPECT_TRUE(file.starts_with("выбранная папка/ПАСПОРТ ОБЪЕКТА Северная/")) << file;
}

TEST(UnpackFolders, ObjectNames)
{
    std::string longName;
    for (int i = 0; i < 128; ++i)
        longName += "Ж";
    std::string cut;
    for (int i = 0; i < 112; ++i) // 255 bytes of UTF-8 with the 30 of the prefix
        cut += "Ж";
    const struct
    {
        std::string name;
        std::string folder;
    } cases[] = {
        {"  Северная\t ", "ПАСПОРТ ОБЪЕКТА Северная"},
        {"a/b:c", "ПАСПОРТ ОБЪЕКТА a_b_c"},
        {"../..", "ПАСПОРТ ОБЪЕКТА .._.."},
        {"\\\\server\\share", "ПАСПОРТ ОБЪЕКТА __server_share"},
        {longName, "ПАСПОРТ ОБЪЕКТА " + cut},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const UnpackFolders folders = unpackFolders("base", cp(c.name.c_str()));
        EXPECT_EQ(folders.passport, "base/" + c.folder);
        EXPECT_EQ(folders.tables, "base/" + c.folder + "/ТАБЛИЦЫ");
        EXPECT_EQ(folders.documents, "base/" + c.folder + "/ДОКУМЕНТЫ");
        EXPECT_EQ(folders.graphics, "base/" + c.folder + "/ГРАФИКА");
    }
}

TEST_F(UnpackTest, EmptyObjectNameWritesNothing)
{
    for (const char *name : {"", "   "}) {
        setObjectName(name);
        EXPECT_EQ(testing::errorOf([&] { unpackPassport(dm, pathToUtf8(chosen), true); }),
                  "На задано наименование объекта");
        EXPECT_FALSE(fs::exists(chosen));
    }
}

// Damaged content is reported by name; the other attachments, the workbooks and the descriptions of
// what was written still come out, and a file of a damaged attachment's name is left as it was.
// Content that does not start as gzip data (written so by other tools) is copied as it is.
TEST_F(UnpackTest, DamagedAttachmentsAreSkippedAndReported)
{
    setObjectName("Северная");
    const std::string good = noiseBytes(5000, 7);
    const std::string member = gzipBytes(good);
    std::string badCrc = member;
    badCrc[badCrc.size() - 6] ^= 0x55;
    addAttachment({"first.bin", good, "первый"});
    addStoredAttachment("broken.jpg", member.substr(0, member.size() / 2), "обрезан");
    addStoredAttachment("plain.txt", "just text", "не gzip");
    addStoredAttachment("crc.bin", badCrc, "");
    addStoredAttachment("one.bin", "\x1f", "");
    addAttachment({"last.bin", "last", "последний"});
    fs::create_directories(passportFolder() / u8path("ГРАФИКА"));
    std::ofstream(passportFolder() / u8path("ГРАФИКА/broken.jpg")) << "earlier";

    EXPECT_EQ(testing::errorOf([&] { unpackPassport(dm, pathToUtf8(chosen), true); }),
              "Содержимое файлов повреждено, они не распакованы: \"broken.jpg\", \"crc.bin\".");

    const fs::path graphics = passportFolder() / u8path("ГРАФИКА");
    EXPECT_EQ(fileBytes(graphics / "first.bin"), good);
    EXPECT_EQ(fileBytes(graphics / "last.bin"), "last");
    EXPECT_EQ(fileBytes(graphics / "broken.jpg"), "earlier");
    EXPECT_EQ(fileBytes(graphics / "plain.txt"), "just text");
    EXPECT_EQ(fileBytes(graphics / "one.bin"), "\x1f");
    EXPECT_EQ(filesBelow(graphics), (std::set<std::string>{"first.bin", "last.bin", "broken.jpg", "plain.txt",
                                                           "one.bin", "Descript.ion"}));
    EXPECT_EQ(fileBytes(graphics / "Descript.ion"),
              "\"first.bin\" \xAF\xA5\xE0\xA2\xEB\xA9\r\n\"plain.txt\" \xAD\xA5 gzip\r\n"
              "\"last.bin\" \xAF\xAE\xE1\xAB\xA5\xA4\xAD\xA8\xA9\r\n");
    EXPECT_EQ(filesBelow(passportFolder() / u8path("ТАБЛИЦЫ")).size(), 14u);
}

// A file that cannot be written stops the unpacking with its name; what was written stays.
TEST_F(UnpackTest, UnwritableFileStopsTheUnpacking)
{
    fillPassport();
    fs::create_directories(passportFolder() / u8path("ГРАФИКА/To1.jpg/a folder where the file goes"));

    const std::string error = testing::errorOf([&] { unpackPassport(dm, pathToUtf8(chosen), true); });
    EXPECT_TRUE(error.starts_with("Не удалось записать файл " +
                                  pathToUtf8(passportFolder() / u8path("ГРАФИКА/To1.jpg"))))
        << error;
    EXPECT_EQ(fileBytes(passportFolder() / u8path("ДОКУМЕНТЫ/Пояснительная записка.pdf")),
              attachments[1].bytes);
    EXPECT_EQ(filesBelow(passportFolder() / u8path("ТАБЛИЦЫ")).size(), 14u);
}

// A workbook that cannot be written stops the unpacking with its name, while the attachments are
// being written beside the workbooks; no temporary file stays, and the next unpacking writes all.
TEST_F(UnpackTest, UnwritableWorkbookStopsTheUnpacking)
{
    fillPassport();
    const fs::path first = tables() / u8path(kWorkbooks[0]);
    fs::create_directories(first / "a folder where the file goes");

    const std::string error = testing::errorOf([&] { unpackPassport(dm, pathToUtf8(chosen), true); });
    EXPECT_TRUE(error.starts_with("Не удалось записать файл " + pathToUtf8(first))) << error;
    for (const std::string &file : filesBelow(passportFolder()))
        EXPECT_FALSE(file.ends_with(".tmp")) << file;

    fs::remove_all(first);
    unpackPassport(dm, pathToUtf8(chosen), true);
    EXPECT_EQ(filesBelow(tables()).size(), 14u);
    EXPECT_EQ(fileBytes(passportFolder() / u8path("ДОКУМЕНТЫ/Пояснительная записка.pdf")),
              attachments[1].bytes);
}

TEST_F(UnpackTest, ContourExportOfTheCurrentHorizon)
{
    fillPassport();
    dm.POSIB_PRODUCT_HOR.First();
    SheetWriter writer;
    writer.UseExcel = false; // the export always uses engine 2
    const std::string file = root.file("контур.xls");
    exportContour(writer, dm, file);
    EXPECT_TRUE(writer.UseExcel);

    const ReadSheet sheet = readSheet(file);
    EXPECT_EQ(text(sheet, 1, 1),
              "Координаты контура    Ю1   Тип координат:    Географическая система координат "
              "(градусы/минуты/секунды)");
    EXPECT_EQ(text(sheet, 2, 1), "Долгота");
    EXPECT_EQ(text(sheet, 2, 2), "Широта");
    for (int c : {1, 2}) {
        EXPECT_TRUE(sheet.cell(1, 1)->bold);
        EXPECT_TRUE(sheet.cell(2, c)->bold);
        EXPECT_FALSE(sheet.cell(3, c)->bold);
    }
    EXPECT_EQ(text(sheet, 3, 1), "55°30\"00.000");
    EXPECT_EQ(text(sheet, 4, 2), "38°0\"00.000");
    EXPECT_EQ(sheet.rows, 4);
    EXPECT_TRUE(sheet.widths.empty());

    // A coordinate that is not a finite number is no point at zero: its cell stays empty.
    dm.KONTUR.First();
    dm.KONTUR.Edit();
    dm.KONTUR.FieldByName("Y").SetAsFloat(std::numeric_limits<double>::quiet_NaN());
    dm.KONTUR.Post();
    exportContour(writer, dm, file);
    const ReadSheet notFinite = readSheet(file);
    EXPECT_EQ(text(notFinite, 3, 1), "55°30\"00.000");
    EXPECT_EQ(text(notFinite, 3, 2), "");
}

} // namespace
} // namespace tarvena
