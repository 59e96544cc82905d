// The passport check before submission: each thing a complete passport can lack gives exactly its
// finding, at the place where it is mended; the empty passport lists what a new passport lacks.
#include "model/completeness.h"
#include "model/passportsession.h"
#include "model/recordfields.h"
#include "tests/model/rules_fixture.h"

#include <algorithm>
#include <functional>

using namespace tarvena;
using namespace tarvena::completeness;
using tarvena::testing::cp;

namespace {

std::string describe(const Finding &finding)
{
    return std::string(severityName(finding.severity)) + ": " + placeText(finding.place) + ": " +
           finding.message;
}

std::vector<std::string> describe(const std::vector<Finding> &findings)
{
    std::vector<std::string> lines;
    for (const Finding &finding : findings)
        lines.push_back(describe(finding));
    return lines;
}

class CompletenessTest : public tarvena::testing::RulesTest
{
public:
    using RulesTest::dm;

    void openSample() { PassportSession(dm).open(tarvena::testing::builtSamplePassport()); }

    void setRecord(const char *name, const Value &value)
    {
        MemTable &record = dm.PASPORTS;
        if (record.State() == TableState::Browse)
            record.Edit();
        record.FieldByName(name).setValue(value);
        record.Post();
    }
    // Edits the row-th record (0-based) of table.
    void editRow(MemTable &table, int row, const std::function<void(MemTable &)> &edit)
    {
        table.SetRecNo(row + 1);
        table.Edit();
        edit(table);
        table.Post();
    }
    void deleteRows(MemTable &table, const char *field, const Value &value)
    {
        while (table.Locate(field, value))
            table.Delete();
    }
    std::int64_t horizonId(int row)
    {
        dm.POSIB_PRODUCT_HOR.SetRecNo(row + 1);
        return std::get<std::int64_t>(dm.POSIB_PRODUCT_HOR.FieldByName("ID").value());
    }
    void clearSurvey(RecordGroup group)
    {
        for (const RecordField &row : recordFields(group))
            if (isTypedKind(row.kind))
                setRecord(row.kind == FieldKind::Scale ? row.field + 1 : row.field, Value{});
    }
};

// A passport a user could send, save for the warnings the sample keeps on purpose (the reviewers'
// documents, the structural maps of all but one horizon).
TEST_F(CompletenessTest, TheSamplePassportHasNoErrors)
{
    openSample();
    const std::vector<Finding> findings = checkPassport(dm);
    EXPECT_EQ(countFindings(findings).errors, 0) << ::testing::PrintToString(describe(findings));
    EXPECT_EQ(countFindings(findings).warnings, 8);
}

struct Crafted
{
    const char *name;
    std::function<void(CompletenessTest &)> spoil;
    Check check;
    Place place;
};

Place control(TablePage page, const char *object)
{
    return {PlaceKind::Control, page, object};
}
Place cell(TablePage page, const char *grid, const char *field, int row)
{
    return {PlaceKind::GridCell, page, grid, field, row};
}
Place slot(SlotList list, int row)
{
    return {PlaceKind::DocumentSlot, TablePage::Geography, "", "", row, list};
}

} // namespace

// Each case spoils the sample in one way.
class CraftedPassports : public CompletenessTest, public ::testing::WithParamInterface<Crafted>
{
};

TEST_P(CraftedPassports, GiveExactlyTheirFinding)
{
    openSample();
    const std::vector<std::string> before = describe(checkPassport(dm));
    GetParam().spoil(*this);
    const std::vector<Finding> after = checkPassport(dm);
    std::vector<const Finding *> added;
    for (const Finding &finding : after)
        if (std::find(before.begin(), before.end(), describe(finding)) == before.end())
            added.push_back(&finding);
    std::vector<std::string> addedLines;
    for (const Finding *finding : added)
        addedLines.push_back(describe(*finding));
    ASSERT_EQ(added.size(), 1u) << ::testing::PrintToString(addedLines);
    EXPECT_EQ(added[0]->check, GetParam().check) << addedLines[0];
    EXPECT_EQ(added[0]->place, GetParam().place) << addedLines[0];
    EXPECT_EQ(added[0]->severity, rule(GetParam().check).severity);
}

namespace {

using P = CompletenessTest;
using TP = TablePage;

const Crafted kCrafted[] = {
    {"ObjectName", [](P &t) { t.setRecord("OBJECTNAME", std::string()); }, Check::RequiredField,
     control(TP::Geography, "DBEdit1")},
    {"NoRegion", [](P &t) { t.setRecord("OBLAST_ID", Value{}); }, Check::NoRegion,
     control(TP::Geography, "JvDBLookupCombo2")},
    {"TwoRegions", [](P &t) { t.setRecord("KRAI_ID", std::int64_t(3001)); }, Check::SeveralRegions,
     control(TP::Geography, "JvDBLookupCombo4")},
    {"ReportName", [](P &t) { t.setRecord("REPORTPREPARATION", Value{}); }, Check::RequiredField,
     control(TP::History, "DBEdit3")},
    {"Authors", [](P &t) { t.setRecord("REPORTAUTHORS", Value{}); }, Check::RequiredField,
     control(TP::History, "DBEdit4")},
    {"StoringPlace", [](P &t) { t.setRecord("REPORTSTORINGPLACE", Value{}); }, Check::AdvisedField,
     control(TP::History, "DBEdit5")},
    {"YearsOutOfOrder",
     [](P &t) {
         // As another program could have written it: the year rules do not hear of it.
         t.dm.PASPORTS.FieldByName("REPORTYEAR").OnValidate = nullptr;
         t.setRecord("REPORTYEAR", std::int64_t(2015));
     },
     Check::YearOrder, control(TP::History, "JvDBSpinEdit2")},
    {"SeismicScale", [](P &t) { t.setRecord("SHOOTSCALE", Value{}); }, Check::RequiredField,
     control(TP::Methods, "JvDBComboEdit3")},
    {"NoSeismicParameters",
     [](P &t) {
         t.clearSurvey(RecordGroup::Seismic2D);
         t.clearSurvey(RecordGroup::Seismic3D);
     },
     Check::NoSurveyParameters, control(TP::Methods, "JvDBComboEdit3")},
    {"ElectricalMethodName",
     [](P &t) {
         t.setRecord("PREPARATIONMETHOD_ID", std::int64_t(5004));
         t.setRecord("ELECTROMETHOD", Value{});
     },
     Check::RequiredField, control(TP::Methods, "DBEdit10")},
    {"ReflectingUnit",
     [](P &t) {
         t.editRow(t.dm.REFLECT_HORIZONTS, 2, [](MemTable &h) { h.FieldByName("STRATIGR_ID").Clear(); });
     },
     Check::ReflectingUnit, cell(TP::ReflectHorizons, "JvDBGrid1", "_stratigr_id", 2)},
    {"ReflectingScale",
     [](P &t) { t.editRow(t.dm.REFLECT_HORIZONTS, 1, [](MemTable &h) { h.FieldByName("SCALE").Clear(); }); },
     Check::ReflectingScale, cell(TP::ReflectHorizons, "JvDBGrid1", "_scale", 1)},
    {"Fluid",
     [](P &t) { t.editRow(t.dm.POSIB_PRODUCT_HOR, 0, [](MemTable &h) { h.FieldByName("UV_ID").Clear(); }); },
     Check::ProductiveFluid, cell(TP::ProductHorizons, "JvDBGrid3", "_UV_ID", 0)},
    {"Area",
     [](P &t) {
         t.editRow(t.dm.POSIB_PRODUCT_HOR, 3, [](MemTable &h) { h.FieldByName("POSIBLESQUARE").Clear(); });
     },
     Check::ProductiveArea, cell(TP::ProductHorizons, "JvDBGrid3", "POSIBLESQUARE", 3)},
    {"OilRecovery",
     [](P &t) {
         t.editRow(t.dm.POSIB_PRODUCT_HOR, 3, [](MemTable &h) { h.FieldByName("KOEFOILIZVL").Clear(); });
     },
     Check::ResourcesNotComputed, cell(TP::OilResources, "JvDBGrid4", "KOEFOILIZVL", 1)},
    {"GasProbable",
     [](P &t) {
         t.editRow(t.dm.POSIB_PRODUCT_HOR, 0, [](MemTable &h) {
             h.FieldByName("GAZBALANCERESOURCEP").Clear();
             h.FieldByName("GAZSQUAREMIN").Clear();
         });
     },
     Check::ProbableFigures, cell(TP::GasResources, "JvDBGrid7", "GAZBALANCERESOURCEP", 0)},
    {"OilTypeWithGasFigures",
     [](P &t) {
         t.editRow(t.dm.POSIB_PRODUCT_HOR, 2, [](MemTable &h) { h.FieldByName("UV_ID").SetAsInteger(397); });
     },
     Check::FluidFigures, cell(TP::ProductHorizons, "JvDBGrid3", "_UV_ID", 2)},
    {"ContourSystem",
     [](P &t) {
         t.editRow(t.dm.POSIB_PRODUCT_HOR, 0, [](MemTable &h) { h.FieldByName("KONTURKOORDTYPE").Clear(); });
     },
     Check::ContourSystem, cell(TP::Contours, "JvDBGrid10", "_KONTURKOORDTYPE", 0)},
    {"ContourPoints", [](P &t) { t.deleteRows(t.dm.KONTUR, "HEAD_ID", t.horizonId(1)); },
     Check::ContourPoints, cell(TP::Contours, "JvDBGrid10", "KONTURNUMPOINTS", 1)},
    {"ContourOutsideTerritory",
     [](P &t) {
         ASSERT_TRUE(t.dm.KONTUR.Locate("HEAD_ID", t.horizonId(0)));
         t.dm.KONTUR.Edit();
         t.dm.KONTUR.FieldByName("X").SetAsFloat(10);
         t.dm.KONTUR.Post();
     },
     Check::ContourTerritory, cell(TP::Contours, "JvDBGrid10", "KONTURNUMPOINTS", 0)},
    {"ExplanatoryNote", [](P &t) { t.deleteRows(t.dm.FILES, "NAME", cp("Пояснительная записка.rtf")); },
     Check::RequiredDocument, slot(SlotList::Documents, 1)},
    {"StudyMap", [](P &t) { t.deleteRows(t.dm.FILES, "NAME", cp("Карта изученности.png")); },
     Check::RequiredDocument, slot(SlotList::Graphics, 3)},
    {"ProductiveMap", [](P &t) { t.deleteRows(t.dm.FILES, "NAME", std::string("Prod4.png")); },
     Check::HorizonMap, slot(SlotList::Graphics, 14)},
};

INSTANTIATE_TEST_SUITE_P(Completeness, CraftedPassports, ::testing::ValuesIn(kCrafted),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(CompletenessTest, AFreeTextStandsInForItsClassifier)
{
    openSample();
    setRecord("GEO_PROVINCE_ID", Value{});
    setRecord("GEO_PROVINCE_DOP", cp("Западно-Сибирская"));
    EXPECT_EQ(countFindings(checkPassport(dm)).errors, 0);
}

TEST_F(CompletenessTest, TheEmptyPassportListsWhatANewPassportLacks)
{
    const std::vector<std::string> expected = {
        "Ошибка: 1.География, «Наименование объекта»: Не заполнено поле «Наименование объекта»",
        "Ошибка: 1.География, «Федеральный округ»: Не заполнено поле «Федеральный округ»",
        "Ошибка: 1.География, «Республика»: Не выбран субъект федерации: республика, край или область",
        "Ошибка: 2.История, «Год выявления объекта»: Не заполнено поле «Год выявления объекта»",
        "Предупреждение: 2.История, «Метод выявления»: Не заполнено поле «Метод выявления»",
        "Ошибка: 2.История, «Год начала подготовки»: Не заполнено поле «Год начала подготовки»",
        "Ошибка: 2.История, «Метод подготовки»: Не заполнено поле «Метод подготовки»",
        "Ошибка: 2.История, «Организация, подготовившая объект»: Не заполнено поле «Организация, "
        "подготовившая объект»",
        "Ошибка: 2.История, «Название отчета организации, подготовившей объект»: Не заполнено поле «Название "
        "отчета организации, подготовившей объект»",
        "Ошибка: 2.История, «Авторы отчета»: Не заполнено поле «Авторы отчета»",
        "Ошибка: 2.История, «Год составления отчета»: Не заполнено поле «Год составления отчета»",
        "Предупреждение: 2.История, «Место хранения отчета»: Не заполнено поле «Место хранения отчета»",
        "Ошибка: 2.История, «Год окончания подготовки»: Не заполнено поле «Год окончания подготовки»",
        "Предупреждение: 2.История, «Какому фонду принадлежит объект»: Не заполнено поле «Какому фонду "
        "принадлежит объект»",
        "Ошибка: 4.Геология, «Нефтегазоносная провинция»: Не заполнено поле «Нефтегазоносная провинция»",
        "Предупреждение: 4.Геология, «Нефтегазоносная область»: Не заполнено поле «Нефтегазоносная область»",
        "Предупреждение: 4.Геология, «Тектонический элемент первого порядка»: Не заполнено поле "
        "«Тектонический элемент первого порядка»",
        "Предупреждение: 4.Геология, «Кровля»: Не заполнено поле «Кровля»",
        "Предупреждение: 4.Геология, «Подошва»: Не заполнено поле «Подошва»",
        "Ошибка: 4.Геология: Подготовленные ресурсы объекта равны нулю по всем видам УВ",
        "Ошибка: 5.Отражающие горизонты, «Индекс ОГ»: Нет ни одного отражающего горизонта",
        "Ошибка: 7.Возможные продуктивные горизонты, «Стратиграфическая приуроченность продуктивного "
        "горизонта»: Нет ни одного возможного продуктивного горизонта",
        "Ошибка: Документы/Графика, «Документы», строка 1: Не приложен файл «Титульный лист»",
        "Ошибка: Документы/Графика, «Документы», строка 2: Не приложен файл «Пояснительная записка»",
        "Предупреждение: Документы/Графика, «Документы», строка 3: Не приложен файл «Рекомендации»",
        "Предупреждение: Документы/Графика, «Документы», строка 4: Не приложен файл «Экспертное заключение»",
        "Ошибка: Документы/Графика, «Графика», строка 1: Не приложен файл «Список графики»",
        "Ошибка: Документы/Графика, «Графика», строка 2: Не приложен файл «Обзорная карта»",
        "Ошибка: Документы/Графика, «Графика», строка 3: Не приложен файл «Фрагмент тектонической схемы»",
        "Ошибка: Документы/Графика, «Графика», строка 4: Не приложен файл «Карта изученности»",
        "Ошибка: Документы/Графика, «Графика», строка 5: Не приложен файл «Сводный геолого-геофизический "
        "разрез»",
    };
    EXPECT_EQ(describe(checkPassport(dm)), expected);
}

} // namespace
