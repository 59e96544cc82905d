// The record sheets of tables 1 to 4, written by engine 2 and read back by xlrd cell by cell.
#include "exchange/unpacking/recordsheets.h"
#include "exchange/workbooks/sheetwriter.h"
#include "storage/error.h"
#include "tests/exchange/readback.h"
#include "tests/model/rules_fixture.h"

#include <filesystem>
#include <span>

namespace tarvena {
namespace {

using testing::cp;
using testing::ReadSheet;

// One row from row 3 on: label, the value of the filled and of the empty passport (UTF-8).
struct Expected
{
    const char *label;
    const char *filled;
    const char *empty = "";
    bool section = false;
};

const Expected kGeography[] = {
    {"Наименование объекта", "Северо-Тарвенская структура"},
    {"Федеральный округ", "Южный федеральный округ"},
    {"Республика", "Республика Адыгея"},
    {"Край", "Краснодарский край"},
    {"Область", "Ростовская область"},
};

const Expected kHistory[] = {
    {"Год выявления объекта", "1995"},
    {"Метод выявления", "Сейсморазведка МОГТ 2D/3D"},
    {"Год начала подготовки", "1996"},
    {"Год окончания подготовки", "1998"},
    {"Метод подготовки", "Гравимагниторазведка"},
    {"Организация, подготовившая объект", "ОАО \"Геофизика\""},
    {"Название отчета организации, подготовившей объект", "Отчет о работах 1996-1998 гг."},
    {"Год составления отчета", "1999"},
    {"Авторы отчета", "Иванов И. И., Петров П. П."},
    {"Место хранения отчета", "ТГФ"},
    {"Год включения в фонд подготовленных объектов", "2000"},
    {"Какому фонду принадлежит объект", "Распределенный фонд недр"},
    {"Обладатель лицензии", "ООО \"Недра\""},
    {"Номер лицензии", "СЛХ 00123 НР"},
    {"Тип лицензии", "НР (геологическое изучение, разведка и добыча)"},
    {"Срок лицензии", "до 31.12.2025"},
    {"Название лицензионного участка", "Тарвенский"},
};

const Expected kMethods[] = {
    {"Сейсморазведка 2D", "", "", true},
    {"Масштаб съемки", "1: 25 000"},
    {"Плотность сети профилей", "1234.568"},
    {"Кратность наблюдений МОГТ", "48"},
    {"Максимальное удаление \"источник-приемник\"", "3000.25"},
    {"Минимальное удаление \"источник-приемник\"", "12"},
    {"Расстояние между точками ОГТ", "0.5"},
    {"Вид источника возбуждения колебаний", "Взрывной"},
    {"Размещение заряда", "В скважине"},
    {"Тип невзрывного источника", ""},
    {"Сейсморазведка 3D", "", "", true},
    {"Кратность наблюдений МОГТ", "120"},
    {"Максимальное удаление \"источник-приемник\"", "2500"},
    {"Минимальное удаление \"источник-приемник\"", "1"},
    {"Расстояние между линиями пунктов приема", "200"},
    {"Расстояние между линиями пунктов возбуждения", "50.125"},
    {"Размеры бина", "25X12.5", "X"},
    {"Вид источника возбуждения колебаний", "Невзрывной"},
    {"Размещение заряда", ""},
    {"Тип невзрывного источника", "Вибрационный (вибратор)"},
    {"Электроразведка", "", "", true},
    {"Метод электроразведки", "ЗСБ"},
    {"Масштаб съемки", "1:1 000 000"},
    {"Плотность сети профилей", "0.25"},
    {"Шаг точек наблюдений", "100"},
    {"Другой геофизический метод", "", "", true},
    {"Название метода", "Гравимагниторазведка"},
    {"Масштаб съемки", ""},
    {"Плотность наблюдений", "3"},
    {"Система наблюдений", "Площадная"},
    {"Расстояние между точками наблюдений", "250"},
    {"Структурное бурение", "", "", true},
    {"Масштаб съемки", "1: 50 000"},
    {"Плотность сети скважин", "0.12345"},
};

const Expected kGeology[] = {
    {"Нефтегазоносная провинция", "Западно-Сибирская"},
    {"Нефтегазоносная область", "Ямальская"},
    {"Нефтегазоносный район", "Ручной район"},
    {"Тектонический элемент первого порядка", "Ямальская мегасинеклиза"},
    {"Тектонический элемент второго порядка", "Нурминский мегавал"},
    {"Стратиграфический диапазон", "Кровля: N2   Подошва: Pg1", "Кровля:    Подошва: "},
    {"Продуктивные горизонты", "горизонтов: 2 (Ю1, Ю2)", "горизонтов: 0"},
    {"Отражающие горизонты, по которым подготовлен объект", "горизонтов: 1 (Б)", "горизонтов: 0"},
    {"Детерминированный подход", "", "", true},
    {"Подготовленные ресурсы категории D0 нефти, млн т", ""},
    {"Подготовленные ресурсы категории D0 растворенного газа, млн м3", ""},
    {"Подготовленные ресурсы категории D0 газа, млн м3", ""},
    {"Подготовленные ресурсы категории D0 газоконденсата, млн т", ""},
    {"Вероятностный подход", "", "", true},
    {"Наиболее вероятная величина подготовленных ресурсов нефти (извлекаемых), млн т", "15.5"},
    {"Возможные пределы изменения подготовленных ресурсов нефти (извлекаемых), млн т", "от 9.5   до 21.5"},
    {"Наиболее вероятная величина подготовленных ресурсов растворенного газа, млн м3", ""},
    {"Возможные пределы изменения подготовленных ресурсов растворенного газа, млн м3", ""},
    {"Наиболее вероятная величина подготовленных ресурсов газа, млн м3", ""},
    {"Возможные пределы изменения подготовленных ресурсов газа, млн м3", ""},
    {"Наиболее вероятная величина подготовленных ресурсов газоконденсата (извлекаемых), млн т", ""},
    {"Возможные пределы изменения подготовленных ресурсов газоконденсата (извлекаемых), млн т", ""},
};

struct SheetCase
{
    int table;
    const char *fileName;
    const char *title;
    std::span<const Expected> rows;
};

const SheetCase kSheets[] = {
    {1, "Таблица 1 География.xls", "Таблица 1. \"География\"", kGeography},
    {2, "Таблица 2 История.xls", "Таблица 2. \"История\"", kHistory},
    {3, "Таблица 3 Методика.xls", "Таблица 3. \"Методика\"", kMethods},
    {4, "Таблица 4 Геология.xls", "Таблица 4. \"Геология\"", kGeology},
};

class RecordSheetsTest : public testing::RulesTest
{
protected:
    void set(const char *name, const char *utf8) { dm.PASPORTS.FieldByName(name).SetAsString(cp(utf8)); }
    void set(const char *name, double number) { dm.PASPORTS.FieldByName(name).SetAsFloat(number); }
    void setInt(const char *name, int number) { dm.PASPORTS.FieldByName(name).SetAsInteger(number); }
    void editPassport()
    {
        if (dm.PASPORTS.State() == TableState::Browse)
            dm.PASPORTS.Edit();
    }

    void fillPassport()
    {
        editPassport();
        set("OBJECTNAME", "Северо-Тарвенская структура");
        setInt("FEDERALOKRUG_ID", 1003);
        setInt("REPUBLIC_ID", 2001);
        setInt("KRAI_ID", 3004);
        setInt("OBLAST_ID", 4031);

        setInt("SHOWINGUPYEAR", 1995);
        setInt("SHOWINGUPMETHOD_ID", 89);
        setInt("STARTPREPARATIONYEAR", 1996);
        setInt("ENDPREPARATIONYEAR", 1998);
        setInt("PREPARATIONMETHOD_ID", 92);
        set("OTHERMETHOD", "Гравимагниторазведка");
        set("PREPARATIONORGANIZATION", "ОАО \"Геофизика\"");
        set("REPORTPREPARATION", "Отчет о работах 1996-1998 гг.");
        setInt("REPORTYEAR", 1999);
        set("REPORTAUTHORS", "Иванов И. И., Петров П. П.");
        set("REPORTSTORINGPLACE", "ТГФ");
        setInt("PREPAREDFUNDYEAR", 2000);
        setInt("AFFILATION_ID", 6002);
        set("LICENSOR", "ООО \"Недра\"");
        set("LICENCENUMBER", "СЛХ 00123 НР");
        setInt("LICENCETYPE_ID", 7002);
        set("TERMINATIONLICENCE", "до 31.12.2025");
        set("LICENCEREGION", "Тарвенский");

        setInt("SHOOTSCALE", 25000);
        set("GRIDDENCITY", 1234.5678);
        setInt("MOGTREPETISHIONS", 48);
        set("MINDISTANCE", 12.0);
        set("MAXDISTANCE", 3000.25);
        set("RECIVESTEP", 0.5);
        setInt("DRIVINGTYPE_ID", 108);
        setInt("CHARGELOCATION_ID", 9001);
        setInt("MOGTREPETISHIONS3D", 120);
        set("MINDISTANCE3D", 0.9996); // rounds up into the integer digit
        set("MAXDISTANCE3D", 2500.0);
        set("RECIVESTEP3D", 200.0);
        set("DRIVINGSTEP3D", 50.125);
        set("BINH", 25.0);
        set("BINW", 12.5);
        setInt("DRIVINGTYPE3D_ID", 8001);
        setInt("NONEXPLOSIVETYPE3D_ID", 10001);
        set("ELECTROMETHOD", "ЗСБ");
        setInt("SHOOTSCALEEL", 1000000);
        set("GRIDDENCITYEL", 0.25);
        set("STEPEL", 100.0);
        set("GRIDDENCITYOT", 3.0);
        set("OBSERVATIONSYSTEM", "Площадная");
        set("STEPOT", 250.0);
        setInt("SHOOTSCALEST", 50000);
        set("GRIDDENCITYST", 0.12345); // its plain text, not three decimals

        setInt("GEO_PROVINCE_ID", 11001);
        setInt("GEO_OBLAST_ID", 12001);
        set("GEO_RAION_DOP", "  Ручной район "); // no district chosen: the typed name alone, trimmed
        set("TEKTO1P", "Ямальская мегасинеклиза");
        set("TEKTO2P", "Нурминский мегавал");
        setInt("STRATIGR_KROVL", 16003);
        setInt("STRATIGR_PODOSHV", 16008);
        dm.PASPORTS.Post();

        addRow(dm.REFLECT_HORIZONTS, [](MemTable &t) { t.FieldByName("INDEXOG").SetAsString(cp("Б")); });
        const struct
        {
            const char *name;
            double probable, deviation;
        } horizons[] = {{"Ю1", 10, 1}, {"Ю2", 5.5, 1}};
        for (const auto &h : horizons)
            addRow(dm.POSIB_PRODUCT_HOR, [&h](MemTable &t) {
                t.FieldByName("STRATIGRSVIT").SetAsString(cp(h.name));
                t.FieldByName("UV_ID").SetAsInteger(397);
                t.FieldByName("OILPERSPECTRESOURCEP").SetAsFloat(h.probable);
                t.FieldByName("OILPERSPECTRESOURCES").SetAsFloat(h.deviation);
            });
        ASSERT_EQ(prompts.texts(), std::vector<std::string>{}); // every value was accepted
    }

    ReadSheet writeAndRead(int table, const ResourceSummary &summary)
    {
        const std::string path = folder.file(recordSheetFileName(table));
        writeRecordSheet(writer, dm, table, path, summary);
        EXPECT_EQ(writer.CurrentSpreadsheet(), nullptr);
        const testing::ReadWorkbook book = testing::readWorkbook(path);
        EXPECT_EQ(book.problems, std::vector<std::string>{});
        EXPECT_EQ(book.sheets.size(), 1u);
        return book.sheets.at(0);
    }

    // Title, header, every row with its bold flags, the widths, and no cell besides these.
    void checkSheet(const SheetCase &sheetCase, bool filled)
    {
        SCOPED_TRACE(sheetCase.fileName);
        const ReadSheet sheet = writeAndRead(sheetCase.table, summarizeResources(dm));
        std::size_t cells = 0;
        auto expectCell = [&](int row, int column, const std::string &text, bool bold) {
            SCOPED_TRACE("row " + std::to_string(row) + " column " + std::to_string(column));
            const testing::ReadCell *cell = sheet.cell(row, column);
            if (text.empty()) {
                EXPECT_EQ(cell, nullptr);
                return;
            }
            ++cells;
            ASSERT_NE(cell, nullptr);
            EXPECT_EQ(cell->text, text);
            EXPECT_EQ(cell->bold, bold);
        };
        expectCell(1, 1, sheetCase.title, true);
        expectCell(1, 2, "", false);
        expectCell(2, 1, "Наименование позиции", true);
        expectCell(2, 2, "Параметр", true);
        int row = 3;
        for (const Expected &expected : sheetCase.rows) {
            expectCell(row, 1, expected.label, !expected.section);
            expectCell(row, 2, filled ? expected.filled : expected.empty, false);
            ++row;
        }
        EXPECT_EQ(sheet.cells.size(), cells);
        EXPECT_EQ(sheet.widths.at(0), 100 * 256);
        EXPECT_EQ(sheet.widths.at(1), 50 * 256);
    }

    testing::TempFolder folder;
    SheetWriter writer;
};

TEST_F(RecordSheetsTest, FilledPassport)
{
    fillPassport();
    for (const SheetCase &sheetCase : kSheets)
        checkSheet(sheetCase, true);
}

TEST_F(RecordSheetsTest, EmptyPassport)
{
    for (const SheetCase &sheetCase : kSheets)
        checkSheet(sheetCase, false);
}

TEST_F(RecordSheetsTest, FileNamesAndTitles)
{
    for (const SheetCase &sheetCase : kSheets) {
        EXPECT_EQ(recordSheetFileName(sheetCase.table), sheetCase.fileName);
        EXPECT_EQ(recordSheetTitle(sheetCase.table), cp(sheetCase.title));
    }
    for (int table : {0, 5, -1}) {
        EXPECT_THROW(recordSheetFileName(table), Error);
        EXPECT_THROW(recordSheetTitle(table), Error);
        const std::string path = folder.file("x.xls");
        EXPECT_THROW(writeRecordSheet(writer, dm, table, path, {}), Error);
        EXPECT_FALSE(std::filesystem::exists(path));
    }
}

// Names come from the passport's own fields, whatever entry the views stand on, and a name that
// the view does not hold is not replaced by another entry's.
TEST_F(RecordSheetsTest, NamesFollowThePassportFields)
{
    editPassport();
    setInt("FEDERALOKRUG_ID", 1003);
    setInt("REPUBLIC_ID", 2002); // a republic of another district: not in the filtered view
    setInt("SHOWINGUPMETHOD_ID", 92);
    set("OTHERMETHOD2", "Аэромагниторазведка");
    setInt("PREPARATIONMETHOD_ID", 777777); // no such method
    dm.PASPORTS.Post();
    // Each view stands on a named entry other than the one the passport holds.
    std::vector<int> cursors;
    for (int view : {1, 2, 5}) {
        dm.dict(view).SetRecNo(2); // the first named entry
        cursors.push_back(dm.dict(view).RecNo());
    }

    ReadSheet geography = writeAndRead(1, {});
    EXPECT_EQ(geography.cell(4, 2)->text, "Южный федеральный округ");
    EXPECT_EQ(geography.cell(5, 2), nullptr);
    const ReadSheet history = writeAndRead(2, {});
    EXPECT_EQ(history.cell(4, 2)->text, "Аэромагниторазведка");
    EXPECT_EQ(history.cell(7, 2), nullptr);
    EXPECT_EQ(cursors, (std::vector<int>{dm.dict(1).RecNo(), dm.dict(2).RecNo(), dm.dict(5).RecNo()}));

    // An empty district writes nothing, although the view still stands on an entry.
    dm.PASPORTS.Edit();
    dm.PASPORTS.FieldByName("FEDERALOKRUG_ID").Clear();
    dm.PASPORTS.Post();
    geography = writeAndRead(1, {});
    EXPECT_EQ(geography.cell(4, 1)->text, "Федеральный округ");
    EXPECT_EQ(geography.cell(4, 2), nullptr);
}

TEST(FormatNumber, PatternOfTheRecordSheets)
{
    MemTable table("T");
    Field &number = table.addField("N", FieldType::Float);
    table.Open();
    table.Append();
    const struct
    {
        double value;
        const char *text;
    } cases[] = {{1234.5678, "1234.568"},
                 {0.50, "0.5"},
                 {12.0, "12"},
                 {0.0004, "0"},
                 {-2.0005, "-2.001"},
                 {0.9996, "1"},
                 {123456789012.0, "123456789012"},
                 {1e-9, "0"},
                 {-0.25, "-0.25"}};
    for (const auto &c : cases) {
        number.SetAsFloat(c.value);
        EXPECT_EQ(FormatNumber(number), c.text) << c.value;
    }
    number.Clear();
    EXPECT_EQ(FormatNumber(number), "");
}

} // namespace
} // namespace tarvena
