// Comparing two passports: each single edit made through the model gives its one line, in the words
// of the pages; the same passport, its resave and a reordering give none.
#include "model/datamodule.h"
#include "model/passportdiff.h"
#include "model/passportsession.h"
#include "storage/codepage.h"
#include "storage/error.h"
#include "storage/psp2stream.h"
#include "tests/support/samplepassport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

using namespace tarvena;
using namespace tarvena::testing;

namespace {

std::unique_ptr<TDataModule2> openSample()
{
    auto dm = std::make_unique<TDataModule2>();
    dm->DataModuleCreate(dictionaryDir());
    PassportSession(*dm).open(builtSamplePassport());
    return dm;
}

std::vector<std::string> texts(const PassportDiff &diff)
{
    std::vector<std::string> result;
    for (const DiffLine &line : diff.lines)
        result.push_back(line.text());
    return result;
}

void setField(MemTable &table, const char *field, const Value &value)
{
    table.Edit();
    table.FieldByName(field).setValue(value);
    table.Post();
}

// Puts the cursor of table on the record whose field holds value.
MemTable &at(MemTable &table, const char *field, const Value &value)
{
    table.SetFiltered(false);
    EXPECT_TRUE(table.Locate(field, value));
    return table;
}

struct Edit
{
    const char *name;
    std::function<void(TDataModule2 &)> edit;
    std::vector<std::string> lines;
};

const Edit kEdits[] = {
    {"record text",
     [](TDataModule2 &dm) { setField(dm.PASPORTS, "OBJECTNAME", cp("Южно-Тарвенская структура")); },
     {"1.География / Наименование объекта: Северо-Тарвенская структура → Южно-Тарвенская структура"}},
    {"record list by names",
     [](TDataModule2 &dm) { setField(dm.PASPORTS, "LICENCETYPE_ID", std::int64_t{7001}); },
     {"2.История / Тип лицензии: НР (геологическое изучение, разведка и добыча) → НП (геологическое "
      "изучение)"}},
    {"record number as the page shows it",
     [](TDataModule2 &dm) { setField(dm.PASPORTS, "GRIDDENCITY", 2.25); },
     {"3.Методика подготовки / Сейсморазведка 2D / Плотность сети профилей (км/км2): 1.6 → 2.25"}},
    {"horizon added",
     [](TDataModule2 &dm) {
         dm.REFLECT_HORIZONTS.Append();
         dm.REFLECT_HORIZONTS.FieldByName("INDEXOG").SetAsString(cp("А"));
         dm.REFLECT_HORIZONTS.Post();
     },
     {"5.Отражающие горизонты / Отражающий горизонт «А»: добавлен"}},
    // The productive horizon recounted on the removed one loses its reference, as its grid shows.
    {"horizon removed",
     [](TDataModule2 &dm) { at(dm.REFLECT_HORIZONTS, "ID", std::int64_t{104394}).Delete(); },
     {"5.Отражающие горизонты / Отражающий горизонт «М»: удалён",
      "7.Возможные продуктивные горизонты / Горизонт 2 «пласт БП10 (сортымская свита)» / ОГ, по которому "
      "осуществлялся пересчет: М → (пусто)"}},
    {"horizon renamed",
     [](TDataModule2 &dm) {
         setField(at(dm.POSIB_PRODUCT_HOR, "ID", std::int64_t{724017}), "STRATIGRSVIT", cp("пласт ПК1"));
     },
     {"7.Возможные продуктивные горизонты / Горизонт 1 «пласт ПК1» / Горизонт (свита, толща) по местной "
      "классификации: пласт ПК1 (покурская свита) → пласт ПК1"}},
    {"cell",
     [](TDataModule2 &dm) {
         setField(at(dm.REFLECT_HORIZONTS, "ID", std::int64_t{761546}), "AMPLITUDE", 49.5);
     },
     {"5.Отражающие горизонты / Отражающий горизонт «Г» / Амплитуда (м): 48 → 49.5"}},
    {"contour point moved",
     [](TDataModule2 &dm) {
         MemTable &points = at(dm.KONTUR, "ID", std::int64_t{3537350});
         setField(points, "Y", 64.666243);
     },
     {"11.Контуры ловушек / Горизонт 1 «пласт ПК1 (покурская свита)» / Контур: точек сдвинуто: 1"}},
    {"attachment replaced",
     [](TDataModule2 &dm) {
         setField(at(dm.FILES, "SRCNAME", std::string("overview-map.png")), "CONTENT", std::string("other"));
     },
     {"Документы/Графика / Графика / Обзорная карта: заменено содержимое файла «overview-map.png»"}},
    {"comment",
     [](TDataModule2 &dm) {
         setField(at(dm.FILES, "SRCNAME", std::string("title-page.rtf")), "DESCRIPTION", cp("Титул"));
     },
     {"Документы/Графика / Документы / Титульный лист / Комментарий: Титульный лист паспорта → Титул"}},
};

class PassportDiffTest : public ::testing::Test
{
protected:
    std::unique_ptr<TDataModule2> before = openSample();
    std::unique_ptr<TDataModule2> after = openSample();
};

TEST_F(PassportDiffTest, EachSingleEditGivesItsLine)
{
    for (const Edit &edit : kEdits) {
        SCOPED_TRACE(edit.name);
        auto changed = openSample();
        edit.edit(*changed);
        EXPECT_EQ(texts(comparePassports(*before, *changed)), edit.lines);
    }
}

TEST_F(PassportDiffTest, ChangedCountingParameterListsTheResourcesItChanged)
{
    setField(at(after->POSIB_PRODUCT_HOR, "ID", std::int64_t{739754}), "SQUARENEFTENOSN", 50.0);
    const std::vector<std::string> lines = texts(comparePassports(*before, *after));
    ASSERT_GE(lines.size(), 2u);
    const std::string horizon = "8.Ресурсы нефти / Горизонт 4 «пласт Ю1 (васюганская свита)» / ";
    EXPECT_EQ(lines[0], horizon + "Площадь нефтеносности (км2): 44.7 → 50");
    EXPECT_EQ(lines[1].rfind(horizon + "Балансовые ресурсы нефти (млн т): ", 0), 0u) << lines[1];
}

TEST_F(PassportDiffTest, TheLineLeadsToWhereTheEditIs)
{
    setField(at(after->POSIB_PRODUCT_HOR, "ID", std::int64_t{561556}), "AMPLITUDE", 25.0);
    const PassportDiff diff = comparePassports(*before, *after);
    ASSERT_EQ(diff.lines.size(), 1u);
    const DiffTarget &target = diff.lines[0].target;
    EXPECT_EQ(target.page, 7);
    EXPECT_EQ(target.control, "JvDBGrid3");
    EXPECT_EQ(target.horizonId, 561556);
    EXPECT_EQ(target.horizonNumber, 3);
    EXPECT_EQ(diff.lines[0].before, "24");
    EXPECT_EQ(diff.lines[0].after, "25");
}

TEST_F(PassportDiffTest, LinesFollowThePages)
{
    setField(after->PASPORTS, "OBJECTNAME", cp("Другая"));
    setField(after->PASPORTS, "TOTALPRICE", 5.0);
    setField(at(after->REFLECT_HORIZONTS, "ID", std::int64_t{761546}), "AMPLITUDE", 49.0);
    std::vector<int> pages;
    for (const DiffLine &line : comparePassports(*before, *after).lines)
        pages.push_back(line.target.page);
    EXPECT_EQ(pages, (std::vector<int>{1, 5, 12}));
}

TEST_F(PassportDiffTest, SamePassportItsResaveAndAnotherOrderGiveNothing)
{
    EXPECT_TRUE(comparePassports(*before, *after).equal());

    const std::filesystem::path saved = std::filesystem::temp_directory_path() / "passportdiff_resave.psp";
    PassportSession(*after).save(saved.string());
    auto resaved = openPassportToCompare(*before, saved.string());
    std::filesystem::remove(saved);
    EXPECT_EQ(texts(comparePassports(*before, *resaved)), std::vector<std::string>{});

    // The horizons in another order, each with its own identity and values.
    after->REFLECT_HORIZONTS.SortOn("INDEXOG");
    after->POSIB_PRODUCT_HOR.SortOn("STRATIGRSVIT:D");
    EXPECT_EQ(texts(comparePassports(*before, *after)), std::vector<std::string>{});
}

TEST_F(PassportDiffTest, FieldOrderOfTheFileDoesNotMatter)
{
    // The record written with its fields in reverse order, the other tables as they are.
    MemTable reversed("PASPORTS");
    for (int i = after->PASPORTS.FieldCount() - 1; i >= 0; --i) {
        const Field &field = after->PASPORTS.fieldAt(i);
        if (field.Kind() == StoredFieldKind::Data)
            reversed.addField(field.FieldName(), field.DataType(), field.Size());
    }
    reversed.Open();
    after->PostPendingEdits();
    after->CopyTableByFieldNames(after->PASPORTS, reversed, false);
    const std::filesystem::path path = std::filesystem::temp_directory_path() / "passportdiff_reversed.psp";
    {
        TPSP2Stream stream;
        stream.CreateReplacing(path.string(), false);
        WritePspHeader(stream);
        std::array<MemTable *, 5> tables = after->passportTables();
        tables[0] = &reversed;
        for (MemTable *table : tables)
            after->SaveTableBlock(*table, stream);
        stream.finish();
    }
    auto read = openPassportToCompare(*before, path.string());
    std::filesystem::remove(path);
    EXPECT_EQ(texts(comparePassports(*before, *read)), std::vector<std::string>{});
}

TEST_F(PassportDiffTest, HorizonsRebuiltByHandMatchByName)
{
    // Every ID new, the references among them kept.
    setField(at(after->REFLECT_HORIZONTS, "ID", std::int64_t{104394}), "ID", std::int64_t{1});
    setField(at(after->POSIB_PRODUCT_HOR, "ID", std::int64_t{506630}), "REFLECTHOR_ID", std::int64_t{1});
    EXPECT_EQ(texts(comparePassports(*before, *after)), std::vector<std::string>{});
}

TEST_F(PassportDiffTest, AnUnreadableFileSaysWhy)
{
    const std::filesystem::path missing = std::filesystem::temp_directory_path() / "passportdiff_missing.psp";
    EXPECT_THROW(openPassportToCompare(*before, missing.string()), Error);
}

} // namespace
