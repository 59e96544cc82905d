// The contour page's changes to the tables: an import replaces the current horizon's contour only
// when every line was read, clear empties it, and the redraw gathers every outline and recounts the
// horizons' points.
#include "model/contourpoints.h"
#include "model/contourscheme.h"
#include "model/pagechecks.h"
#include "storage/error.h"
#include "tests/model/rules_fixture.h"

using namespace tarvena;
using namespace tarvena::testing;

namespace {

class ContourPointsTest : public RulesTest
{
protected:
    MemTable &horizons() { return dm.POSIB_PRODUCT_HOR; }
    MemTable &points() { return dm.KONTUR; }

    void addHorizon(int id, int system, const char *name)
    {
        addRow(horizons(), [&](MemTable &t) {
            t.FieldByName("ID").SetAsInteger(id);
            t.FieldByName("KONTURKOORDTYPE").SetAsInteger(system);
            t.FieldByName("STRATIGRSVIT").SetAsString(cp(name));
        });
    }
    void addPoint(double x, double y)
    {
        addRow(points(), [&](MemTable &t) {
            t.FieldByName("X").SetAsFloat(x);
            t.FieldByName("Y").SetAsFloat(y);
        });
    }
    void goToHorizon(int recNo) { horizons().SetRecNo(recNo); }
    int count() { return horizons().FieldByName("KONTURNUMPOINTS").AsInteger(); }

    // Every stored point as owner, X and Y, in table order.
    std::vector<std::tuple<std::int64_t, double, double>> stored()
    {
        std::vector<std::tuple<std::int64_t, double, double>> result;
        const auto head = std::size_t(points().FieldByName("HEAD_ID").dataIndex());
        const auto x = std::size_t(points().FieldByName("X").dataIndex());
        const auto y = std::size_t(points().FieldByName("Y").dataIndex());
        points().forEachStoredInOrder([&](const std::vector<Value> &r, int) {
            result.emplace_back(std::get<std::int64_t>(r[head]), std::get<double>(r[x]),
                                std::get<double>(r[y]));
        });
        return result;
    }

    // Two horizons: 10 (decimal degrees) with two points, 20 (Gauss-Krüger) with one; 10 current.
    void twoHorizons()
    {
        addHorizon(10, 2, "ПК1");
        addPoint(37, 55);
        addPoint(38, 56);
        addHorizon(20, 4, "Ю1");
        addPoint(13595400, 7173026.5);
        goToHorizon(1);
        dm.PassportModified = false;
    }
};

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
    EXPECT_EQ(scheme.outlines[0].points[3].x, 37);
    EXPECT_EQ(scheme.outlines[0].points[2].y, 54);
    EXPECT_EQ(scheme.outlines[1].points.size(), 2u);
    EXPECT_TRUE(scheme.outlines[2].points.empty());
    EXPECT_EQ(scheme.outlines[2].title, cp("Ач1"));
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
