// The preparation method decides whether reflecting horizons are required on the horizon pages.
#include "model/datamodule.h"
#include "model/pagechecks.h"

#include <gtest/gtest.h>

#include <optional>
#include <utility>

namespace tarvena {
namespace {

TEST(PageChecks, ReflectHorizonsRequiredByNoMethodOrTheSeismicOne)
{
    TDataModule2 dm;
    dm.openPassportTables();
    Field &method = dm.PASPORTS.FieldByName("PREPARATIONMETHOD_ID");
    const struct
    {
        int method; // -1: empty
        bool required;
    } cases[] = {{-1, true}, {0, true}, {89, true}, {92, false}, {90, false}};
    for (const auto &c : cases) {
        if (c.method < 0)
            method.Clear();
        else
            method.SetAsInteger(c.method);
        EXPECT_EQ(pagechecks::horizonsRequired(dm), c.required) << c.method;
        const pagechecks::Verdict withoutRows = pagechecks::reflectHorizonsCheck(false, c.required);
        EXPECT_EQ(withoutRows.passed(), !c.required) << c.method;
        EXPECT_TRUE(pagechecks::reflectHorizonsCheck(true, c.required).passed());
    }
}

TEST(PageChecks, EnteringAHorizonPageChecksReflectingThenProductiveHorizons)
{
    const struct
    {
        int method;
        bool reflect;
        bool productive;
        const char *warning; // nullptr: passes
        std::optional<TablePage> goTo;
    } cases[] = {
        {89, false, true, pagechecks::kNoReflectHorizons, TablePage::ReflectHorizons},
        {89, false, false, pagechecks::kNoReflectHorizons, TablePage::ReflectHorizons},
        {89, true, false, pagechecks::kNoProductiveHorizons, TablePage::ProductHorizons},
        {92, false, false, pagechecks::kNoProductiveHorizons, TablePage::ProductHorizons},
        {92, false, true, nullptr, std::nullopt},
        {89, true, true, nullptr, std::nullopt},
    };
    for (const auto &c : cases) {
        TDataModule2 dm;
        dm.openPassportTables();
        dm.PASPORTS.FieldByName("PREPARATIONMETHOD_ID").SetAsInteger(c.method);
        for (auto [table, wanted] :
             {std::pair{&dm.REFLECT_HORIZONTS, c.reflect}, std::pair{&dm.POSIB_PRODUCT_HOR, c.productive}}) {
            if (wanted) {
                table->Append();
                table->FieldByName("STRATIGRSVIT").SetAsString("x"); // an untouched row is not kept
                table->Post();
            }
        }
        const pagechecks::Verdict verdict = pagechecks::horizonsEntryCheck(dm);
        EXPECT_EQ(verdict.warning == nullptr, c.warning == nullptr) << c.method << c.reflect << c.productive;
        if (c.warning)
            EXPECT_STREQ(verdict.warning, c.warning);
        EXPECT_EQ(verdict.goToPage, c.goTo);
    }
}

} // namespace
} // namespace tarvena
