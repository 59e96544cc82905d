// The contour page's scheme in degrees: projected contours transformed, degrees as they are, the
// extent over the placed points, and the horizons that cannot be placed named instead of drawn.
#include "exchange/gis/schemedegrees.h"
#include "model/coordinates.h"
#include "storage/codepage.h"

#include <gtest/gtest.h>

using namespace tarvena;
using namespace tarvena::gis;

namespace {

ContourOutline outline(const char *title, int system, const std::vector<StoredPoint> &points)
{
    return {codepage::utf8ToCp1251(title), system, points};
}

TEST(SchemeInDegrees, DegreesAndGaussKrugerShareTheAxes)
{
    ContourScheme scheme;
    scheme.outlines.push_back(
        outline("ПК1", CoordDecimalDegrees, {{37.5, 55.0}, {38.0, 55.5}, {37.5, 55.0}}));
    // Zone 7's central meridian is 39° east: the easting 7 500 000 lies on it.
    scheme.outlines.push_back(outline("Ю1", CoordGaussKruger, {{7500000, 6000000}, {7510000, 6010000}}));
    scheme.outlines.push_back(outline("Ач1", CoordDecimalDegrees, {}));
    const DegreeScheme degrees = schemeInDegrees(scheme);

    ASSERT_EQ(degrees.outlines.size(), 3u);
    EXPECT_TRUE(degrees.notPlaced.empty());
    EXPECT_EQ(degrees.outlines[0].longitude, (std::vector<double>{37.5, 38.0, 37.5}));
    EXPECT_EQ(degrees.outlines[0].latitude, (std::vector<double>{55.0, 55.5, 55.0}));
    const DegreeOutline &projected = degrees.outlines[1];
    ASSERT_EQ(projected.longitude.size(), 2u);
    EXPECT_NEAR(projected.longitude[0], 39.0, 1e-9);
    EXPECT_GT(projected.latitude[0], 54.0); // 6 000 km north of the equator
    EXPECT_LT(projected.latitude[0], 54.3);
    EXPECT_GT(projected.longitude[1], 39.1); // 10 km east at 54°: about 0.15°
    EXPECT_LT(projected.longitude[1], 39.2);
    EXPECT_TRUE(degrees.outlines[2].longitude.empty());
    EXPECT_EQ(degrees.outlines[2].title, codepage::utf8ToCp1251("Ач1"));
    // The extent is in degrees, over every placed point.
    EXPECT_FALSE(degrees.empty);
    EXPECT_EQ(degrees.minX, 37.5);
    EXPECT_EQ(degrees.maxX, projected.longitude[1]);
    EXPECT_EQ(degrees.minY, projected.latitude[0]);
    EXPECT_EQ(degrees.maxY, 55.5);
}

TEST(SchemeInDegrees, HorizonsThatCannotBePlacedAreNamed)
{
    struct Case
    {
        const char *name;
        ContourOutline outline;
        const char *note;
    };
    const Case cases[] = {
        {"no system", outline("ПК1", 0, {{37.5, 55.0}}), "Горизонт 2 «ПК1»: не выбрана система координат"},
        {"empty coordinate", outline("Ю1", CoordDecimalDegrees, {{37.5, 55.0}, {std::nullopt, 55.0}}),
         "Горизонт 2 «Ю1»: у точки 2 нет координат"},
        {"zone outside the projection", outline("Ю2", CoordGaussKruger, {{40500000, 6000000}}),
         "Горизонт 2 «Ю2»: зона 40 вне проекции Гаусса-Крюгера (зоны 4–32)"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ContourScheme scheme;
        scheme.outlines.push_back(outline("А", CoordDecimalDegrees, {{40.0, 60.0}}));
        scheme.outlines.push_back(c.outline);
        const DegreeScheme degrees = schemeInDegrees(scheme);
        ASSERT_EQ(degrees.outlines.size(), 1u);
        EXPECT_EQ(degrees.notPlaced, std::vector<std::string>{c.note});
        // The extent leaves the horizon out.
        EXPECT_EQ(degrees.minX, 40.0);
        EXPECT_EQ(degrees.maxX, 40.0);
    }
}

TEST(SchemeInDegrees, NoPointsIsAnEmptyExtent)
{
    ContourScheme scheme;
    scheme.outlines.push_back(outline("ПК1", CoordDecimalDegrees, {}));
    EXPECT_TRUE(schemeInDegrees(scheme).empty);
    EXPECT_TRUE(schemeInDegrees(ContourScheme{}).empty);
}

} // namespace
