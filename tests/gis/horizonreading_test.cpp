// The horizons as a GIS file sees them: every one, whatever the view the editor left the table in.
#include "model/coordinates.h"
#include "model/horizons.h"
#include "tests/gis/gisfixture.h"
#include "tests/support/samplepassport.h"

#include <gtest/gtest.h>

using namespace tarvena;

namespace {

TEST(ProductiveHorizons, FilteredTableGivesEveryHorizonAndKeepsItsView)
{
    auto dm = tarvena::testing::newDataModule();
    tarvena::testing::addHorizon(*dm,
                                 {"нефть", CoordDecimalDegrees, {{60, 55}, {61, 55}, {61, 56}}, 10, 397});
    tarvena::testing::addHorizon(*dm, {"газ", CoordDecimalDegrees, {{62, 55}, {63, 55}}, 20, 398});
    tarvena::testing::addHorizon(*dm, {"нефть 2", CoordGaussKruger, {{13500000, 7e6}}, 30, 397});
    MemTable &horizons = dm->POSIB_PRODUCT_HOR;
    // A resource page shows the oil horizons, the second of them current.
    horizons.SetFilter("UV_ID=397");
    horizons.SetFiltered(true);
    horizons.Last();
    const std::string current = horizons.FieldByName("STRATIGRSVIT").AsString();

    const std::vector<ProductiveHorizon> records = readProductiveHorizons(*dm);
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[1].name, tarvena::testing::cp("газ"));
    EXPECT_EQ(records[1].number, 2);
    EXPECT_EQ(records[1].typedArea, 20);
    EXPECT_EQ(records[1].contour.size(), 2u);
    EXPECT_EQ(records[2].system, CoordGaussKruger);
    EXPECT_EQ(records[2].systemName, tarvena::testing::cp("Проекция Гаусса-Крюгера"));

    EXPECT_TRUE(horizons.Filtered());
    EXPECT_EQ(horizons.RecordCount(), 2);
    EXPECT_EQ(horizons.FieldByName("STRATIGRSVIT").AsString(), current);
    // The contour table follows the current horizon again.
    EXPECT_EQ(dm->KONTUR.RecordCount(), 1);
}

} // namespace
