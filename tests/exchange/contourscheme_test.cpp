// The scheme of the contour page: one closed outline per horizon, the extent of every point, and the
// point counts set right.
#include "exchange/unpacking/contourscheme.h"
#include "tests/model/contourfixture.h"

using namespace tarvena;
using namespace tarvena::testing;

namespace {

TEST_F(ContourPointsTest, RedrawGathersClosedOutlinesAndCorrectsCounts)
{
    twoHorizons();
    addHorizon(30, 2, "Ач1"); // no points
    // A stored count that lost a point, as a passport of an older program may carry.
    goToHorizon(1);
    addPoint(39, 54);
    horizons().Edit();
    horizons().FieldByName("KONTURNUMPOINTS").SetAsInteger(2);
    horizons().Post();
    goToHorizon(3);
    dm.PassportModified = false;

    const ContourScheme scheme = redrawContours(dm);
    ASSERT_EQ(scheme.outlines.size(), 3u);
    EXPECT_EQ(scheme.outlines[0].title, cp("ПК1"));
    ASSERT_EQ(scheme.outlines[0].points.size(), 4u); // three points and the first once more
    EXPECT_EQ(scheme.outlines[0].points[3].x, 37.0);
    EXPECT_EQ(scheme.outlines[0].points[2].y, 54.0);
    EXPECT_EQ(scheme.outlines[1].points.size(), 2u);
    EXPECT_TRUE(scheme.outlines[2].points.empty());
    EXPECT_EQ(scheme.outlines[2].title, cp("Ач1"));
    // Each outline carries its horizon's coordinate system, so it can be placed in degrees.
    EXPECT_EQ(scheme.outlines[0].system, 2);
    EXPECT_EQ(scheme.outlines[1].system, 4);
    // The extent takes in every system's points alike.
    EXPECT_EQ(scheme.minX, 37);
    EXPECT_EQ(scheme.maxX, 13595400);
    EXPECT_EQ(scheme.minY, 54);
    EXPECT_EQ(scheme.maxY, 7173026.5);

    EXPECT_EQ(horizons().RecNo(), 1);
    EXPECT_EQ(count(), 3);
    EXPECT_TRUE(dm.PassportModified);
    EXPECT_EQ(points().RecordCount(), 3); // the first horizon's points are shown
}

TEST_F(ContourPointsTest, RedrawWithoutPointsLeavesTheAxesAtZero)
{
    addHorizon(10, 2, "ПК1");
    const ContourScheme scheme = redrawContours(dm);
    ASSERT_EQ(scheme.outlines.size(), 1u);
    EXPECT_TRUE(scheme.outlines[0].points.empty());
    EXPECT_EQ(scheme.minX, 0);
    EXPECT_EQ(scheme.maxX, 0);
    EXPECT_EQ(scheme.minY, 0);
    EXPECT_EQ(scheme.maxY, 0);
    // A count that is right already is not written.
    dm.PassportModified = false;
    redrawContours(dm);
    EXPECT_FALSE(dm.PassportModified);
}

} // namespace
