// The passport check's contour warnings that need the ellipsoid: a ring that crosses itself, and an
// area by coordinates that differs from the typed one by more than a tenth, with both figures given.
#include "exchange/gis/contourarea.h"
#include "model/completeness.h"
#include "model/datamodule.h"
#include "model/passportsession.h"
#include "tests/model/rules_fixture.h"

#include <gtest/gtest.h>

using namespace tarvena;
using namespace tarvena::completeness;

namespace {

class CompletenessMeasureTest : public tarvena::testing::RulesTest
{
protected:
    void SetUp() override { PassportSession(dm).open(tarvena::testing::builtSamplePassport()); }

    std::vector<Finding> contourFindings()
    {
        std::vector<Finding> found;
        for (const Finding &finding : checkPassport(dm, gis::contourMeasure()))
            if (finding.check == Check::ContourShape || finding.check == Check::ContourArea)
                found.push_back(finding);
        return found;
    }
};

TEST_F(CompletenessMeasureTest, TheSampleContoursAgreeWithTheirAreas)
{
    EXPECT_TRUE(contourFindings().empty());
}

TEST_F(CompletenessMeasureTest, ATypedAreaFarFromTheContoursIsAWarningWithBothFigures)
{
    MemTable &horizons = dm.POSIB_PRODUCT_HOR;
    horizons.SetRecNo(1);
    horizons.Edit();
    horizons.FieldByName("POSIBLESQUARE").SetAsFloat(77);
    horizons.Post();
    const std::vector<Finding> found = contourFindings();
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].check, Check::ContourArea);
    EXPECT_EQ(found[0].severity, Severity::Warning);
    EXPECT_EQ(found[0].place.row, 0);
    EXPECT_NE(found[0].message.find("от площади возможной залежи 77 км²"), std::string::npos)
        << found[0].message;
    EXPECT_NE(found[0].message.find("площадь контура по координатам 38."), std::string::npos)
        << found[0].message;
}

TEST_F(CompletenessMeasureTest, ARingThatCrossesItselfIsAWarning)
{
    // The second and the third point of the first contour change places: the ring folds over itself.
    MemTable &points = dm.KONTUR;
    points.First();
    points.Next();
    const double x2 = points.FieldByName("X").AsFloat(), y2 = points.FieldByName("Y").AsFloat();
    points.Next();
    const double x3 = points.FieldByName("X").AsFloat(), y3 = points.FieldByName("Y").AsFloat();
    points.Edit();
    points.FieldByName("X").SetAsFloat(x2);
    points.FieldByName("Y").SetAsFloat(y2);
    points.Post();
    points.Prior();
    points.Edit();
    points.FieldByName("X").SetAsFloat(x3);
    points.FieldByName("Y").SetAsFloat(y3);
    points.Post();
    const std::vector<Finding> found = contourFindings();
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].check, Check::ContourShape) << found[0].message;
    EXPECT_EQ(found[0].severity, Severity::Warning);
}

} // namespace
