// A contour point moved by a known distance: the comparison tells the displacement in metres on the
// ellipsoid and the area computed before and after.
#include "exchange/gis/contourmeasure.h"
#include "model/datamodule.h"
#include "model/passportdiff.h"
#include "model/passportsession.h"
#include "tests/support/samplepassport.h"

#include <gtest/gtest.h>

using namespace tarvena;

namespace {

std::unique_ptr<TDataModule2> openSample()
{
    auto dm = std::make_unique<TDataModule2>();
    dm->DataModuleCreate(tarvena::testing::dictionaryDir());
    PassportSession(*dm).open(tarvena::testing::builtSamplePassport());
    return dm;
}

TEST(PassportDiffMeasure, PointMovedHundredMetresNorthInGaussKruger)
{
    auto before = openSample();
    auto after = openSample();
    // The second point of the Ач1 contour, zone 13, 95 km east of the central meridian, where the
    // projection stretches lengths by 1.0001: 100 m on the map are 99.99 m on the ellipsoid.
    MemTable &points = after->KONTUR;
    points.SetFiltered(false);
    ASSERT_TRUE(points.Locate("ID", Value{std::int64_t{8406096}}));
    points.Edit();
    points.FieldByName("Y").SetAsFloat(points.FieldByName("Y").AsFloat() + 100);
    points.Post();

    gis::EllipsoidMeasure measure;
    const PassportDiff diff = comparePassports(*before, *after, &measure);
    ASSERT_EQ(diff.lines.size(), 1u);
    const std::string text = diff.lines[0].text();
    const std::string expected =
        "11.Контуры ловушек / Горизонт 3 «пласт Ач1 (ачимовская толща)» / Контур: точек "
        "сдвинуто: 1; наибольший сдвиг 100.0 м (точка 2); площадь по координатам: ";
    EXPECT_EQ(text.rfind(expected, 0), 0u) << text;
    EXPECT_NE(text.find(" км²"), std::string::npos) << text;
    EXPECT_EQ(diff.lines[0].target.point, 2);

    const StoredPoint from{13595676.0, 7172938.0};
    const StoredPoint to{13595676.0, 7173038.0};
    EXPECT_NEAR(*measure.distanceMetres(4, from, 4, to), 100 / 1.000112, 0.002);
    EXPECT_FALSE(measure.distanceMetres(0, from, 4, to));
    // A latitude past the pole, as a projected figure typed into a contour in degrees.
    EXPECT_FALSE(measure.distanceMetres(2, StoredPoint{76.99, 64.65}, 2, StoredPoint{76.99, 7173038.0}));
}

} // namespace
