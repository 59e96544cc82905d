// The preparation method decides whether reflecting horizons are required on the horizon pages.
#include "model/datamodule.h"
#include "model/pagechecks.h"

#include <gtest/gtest.h>

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

} // namespace
} // namespace tarvena
