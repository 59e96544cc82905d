// The contour page's changes to the tables: an import replaces the current horizon's contour only
// when every line was read, and clear empties it.
#include "model/contourpoints.h"
#include "model/pagechecks.h"
#include "storage/error.h"
#include "tests/model/contourfixture.h"

using namespace tarvena;
using namespace tarvena::testing;

namespace {

TEST_F(ContourPointsTest, ImportReplacesTheCurrentContourAfterTheOthers)
{
    twoHorizons();
    ContourImportSettings settings;
    settings.startLine = 2;
    const ContourImportResult result = importContour(dm, "X Y\n40 60\n41 61\n42 62\n", settings);
    ASSERT_TRUE(result.complete());

    using P = std::tuple<std::int64_t, double, double>;
    EXPECT_EQ(stored(),
              (std::vector<P>{{20, 13595400, 7173026.5}, {10, 40, 60}, {10, 41, 61}, {10, 42, 62}}));
    EXPECT_EQ(count(), 3);
    EXPECT_TRUE(dm.PassportModified);
    EXPECT_EQ(horizons().State(), TableState::Browse);
    // The contour grid shows the new points, each with an identity of its own.
    ASSERT_EQ(points().RecordCount(), 3);
    std::set<std::int64_t> ids;
    for (points().First(); !points().Eof(); points().Next())
        ids.insert(points().FieldByName("ID").AsInteger());
    EXPECT_EQ(ids.size(), 3u);
    // The other horizon kept its point and its count.
    goToHorizon(2);
    EXPECT_EQ(points().RecordCount(), 1);
    EXPECT_EQ(count(), 1);
}

TEST_F(ContourPointsTest, AStoppedImportOrBadSettingsKeepTheOldContour)
{
    twoHorizons();
    const auto before = stored();
    ContourImportSettings settings;
    // Line 300 outside the territory: nothing of the 299 lines before it is stored.
    std::string text;
    for (int i = 0; i < 299; ++i)
        text += "40 60\n";
    text += "19.61 60\n";
    const ContourImportResult outside = importContour(dm, text, settings);
    EXPECT_EQ(outside.stop, ImportStop::OutsideTerritory);
    EXPECT_EQ(outside.stopLine, 300);
    EXPECT_EQ(stored(), before);
    EXPECT_EQ(count(), 2);
    EXPECT_FALSE(dm.PassportModified);

    settings.startLine = 0;
    EXPECT_THROW(importContour(dm, "40 60", settings), Error);
    EXPECT_EQ(stored(), before);

    // A horizon without a coordinate system.
    horizons().Edit();
    horizons().FieldByName("KONTURKOORDTYPE").Clear();
    horizons().Post();
    settings.startLine = 1;
    EXPECT_EQ(importContour(dm, "40 60", settings).stop, ImportStop::NoSystem);
    EXPECT_EQ(stored(), before);
}

TEST_F(ContourPointsTest, ClearEmptiesOnlyTheCurrentContour)
{
    twoHorizons();
    clearContour(dm);
    EXPECT_EQ(points().RecordCount(), 0);
    EXPECT_EQ(count(), 0);
    EXPECT_EQ(stored().size(), 1u);
    EXPECT_TRUE(dm.PassportModified);
}

TEST_F(ContourPointsTest, APointBeingTypedIsPostedFirst)
{
    twoHorizons();
    points().Append();
    points().FieldByName("X").SetAsFloat(39);
    points().FieldByName("Y").SetAsFloat(57);
    ContourImportSettings settings;
    importContour(dm, "40 60", settings);
    EXPECT_EQ(points().State(), TableState::Browse);
    EXPECT_EQ(points().RecordCount(), 1);
    EXPECT_EQ(count(), 1);
}

TEST_F(ContourPointsTest, NoHorizonNoContour)
{
    try {
        importContour(dm, "40 60", {});
        FAIL() << "an import without a horizon";
    } catch (const Error &error) {
        EXPECT_STREQ(error.what(), pagechecks::kNoProductiveHorizons);
    }
    EXPECT_THROW(clearContour(dm), Error);
    EXPECT_EQ(points().storedRecordCount(), 0);
}

} // namespace

namespace {

TEST_F(ContourPointsTest, AHorizonAloneWithItsPointsIsReplacedWhole)
{
    addHorizon(10, 2, "ПК1");
    addPoint(37, 55);
    addPoint(38, 56);
    ContourImportSettings settings;
    ASSERT_TRUE(importContour(dm, "40 60\n41 61\n42 62", settings).complete());
    using P = std::tuple<std::int64_t, double, double>;
    EXPECT_EQ(stored(), (std::vector<P>{{10, 40, 60}, {10, 41, 61}, {10, 42, 62}}));
    // Points of no horizon are kept like any other horizon's.
    points().Append();
    points().FieldByName("HEAD_ID").SetAsInteger(0);
    points().FieldByName("X").SetAsFloat(1);
    points().FieldByName("Y").SetAsFloat(2);
    points().Post();
    ASSERT_TRUE(importContour(dm, "43 63", settings).complete());
    EXPECT_EQ(stored(), (std::vector<P>{{0, 1, 2}, {10, 43, 63}}));
    EXPECT_EQ(count(), 1);
}

} // namespace
