// Contour areas on the ellipsoid against figures found without the code under test: a projection's
// scale factor, the closed formula of a zone of the ellipsoid, the same ring in another system.
#include "exchange/gis/contourarea.h"
#include "exchange/gis/placedcontour.h"
#include "model/coordinates.h"
#include "model/horizons.h"
#include "storage/error.h"
#include "tests/gis/gisfixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

using namespace tarvena;
using namespace tarvena::gis;

namespace {

StoredContour contour(const std::vector<std::array<double, 2>> &points)
{
    StoredContour result;
    for (const auto &[x, y] : points)
        result.push_back({x, y});
    return result;
}

double area(int system, const std::vector<std::array<double, 2>> &points, const CrsSettings &settings = {})
{
    return PlacedContour(system, contour(points), settings).areaKm2();
}

// A 10 km square of WGS 84 / UTM zone 39 astride the central meridian (easting 500000).
const std::vector<std::array<double, 2>> kUtmSquare = {
    {39495000, 6000000}, {39505000, 6000000}, {39505000, 6010000}, {39495000, 6010000}};

TEST(ContourArea, UtmSquareIsTheProjectedAreaOverTheScaleFactorSquared)
{
    // At the central meridian the projection shrinks lengths by 0.9996; 5 km off it the factor grows
    // by 3e-7 only. The planar area, 100 km², is 8e-4 off: the tolerance tells the two apart.
    const double expected = 100 / (0.9996 * 0.9996);
    EXPECT_NEAR(area(CoordMercator, kUtmSquare), expected, expected * 1e-4);
}

TEST(ContourArea, ContourThatCrossesIntoTheNextZoneKeepsItsArea)
{
    // The square's eastern corners written in zone 40 (cs2cs EPSG:32639 EPSG:32640).
    const std::vector<std::array<double, 2>> crossing = {{39495000, 6000000},
                                                         {40113316.8105, 6016222.9773},
                                                         {40114167.6406, 6026205.0978},
                                                         {39495000, 6010000}};
    EXPECT_NEAR(area(CoordMercator, crossing), area(CoordMercator, kUtmSquare), 1e-4);
}

// The area between the equator and latitude phi for one radian of longitude on an ellipsoid:
// a² q(phi) / 2, with q the function of the authalic latitude.
double zoneArea(double a, double f, double latitudeDegrees)
{
    const double e2 = f * (2 - f);
    const double e = std::sqrt(e2);
    const double s = std::sin(latitudeDegrees * std::numbers::pi / 180);
    const double q = (1 - e2) * (s / (1 - e2 * s * s) - std::log((1 - e * s) / (1 + e * s)) / (2 * e));
    return a * a * q / 2;
}

TEST(ContourArea, OneDegreeCellAtSixtyNorthMatchesTheZoneFormula)
{
    // Pulkovo 1942 (the default for degrees) rests on the Krassowsky ellipsoid.
    const double a = 6378245.0, f = 1 / 298.3;
    const double expected =
        (zoneArea(a, f, 61) - zoneArea(a, f, 60)) * (std::numbers::pi / 180) / 1e6; // one degree, km²
    // The parallels are no geodesics: they are followed by many short edges.
    std::vector<std::array<double, 2>> cell;
    const int steps = 200;
    for (int i = 0; i <= steps; ++i)
        cell.push_back({30 + double(i) / steps, 60});
    for (int i = steps; i >= 0; --i)
        cell.push_back({30 + double(i) / steps, 61});
    for (int system : {CoordDegMinSec, CoordDecimalDegrees})
        EXPECT_NEAR(area(system, cell), expected, expected * 1e-6) << system;

    // Another geographic CRS measures on its own ellipsoid (WGS 84's is 0.02 % larger in area here).
    CrsSettings wgs84;
    wgs84.geographicCrs = Wgs84;
    const double onWgs84 =
        (zoneArea(6378137, 1 / 298.257223563, 61) - zoneArea(6378137, 1 / 298.257223563, 60)) *
        (std::numbers::pi / 180) / 1e6;
    EXPECT_NEAR(area(CoordDecimalDegrees, cell, wgs84), onWgs84, onWgs84 * 1e-6);
}

TEST(ContourArea, GaussKrugerRingEqualsTheSameRingInDegrees)
{
    // The corners in Pulkovo 1942 degrees and in its Gauss-Kruger zone 13 (cs2cs EPSG:4284 EPSG:28413),
    // 95 km east of the central meridian, where the planar area is 2e-4 too large.
    const std::vector<std::array<double, 2>> degrees = {
        {76.90, 64.60}, {77.10, 64.60}, {77.10, 64.70}, {76.95, 64.72}};
    const std::vector<std::array<double, 2>> metres = {{13590962.5820, 7168230.7459},
                                                       {13600535.0095, 7168532.7099},
                                                       {13600165.7192, 7179676.8849},
                                                       {13592944.2293, 7181677.2163}};
    const double expected = area(CoordDecimalDegrees, degrees);
    EXPECT_GT(expected, 100);
    EXPECT_NEAR(area(CoordGaussKruger, metres), expected, expected * 1e-6);
}

TEST(ContourArea, RingOrderAndClosingPointDoNotChangeTheArea)
{
    std::vector<std::array<double, 2>> reversed(kUtmSquare.rbegin(), kUtmSquare.rend());
    std::vector<std::array<double, 2>> closed = kUtmSquare;
    closed.push_back(kUtmSquare.front());
    const double expected = area(CoordMercator, kUtmSquare);
    EXPECT_DOUBLE_EQ(area(CoordMercator, reversed), expected);
    EXPECT_DOUBLE_EQ(area(CoordMercator, closed), expected);
}

struct Unplaceable
{
    const char *what;
    int system;
    std::vector<std::array<double, 2>> points;
    const char *reason;
};

TEST(ContourArea, ContourThatCannotBePlacedSaysWhy)
{
    const double nan = std::nan("");
    const Unplaceable cases[] = {
        {"no system", CoordNone, {{60, 55}, {61, 55}, {61, 56}}, "не выбрана система координат"},
        {"no points", CoordDecimalDegrees, {}, "нет точек контура"},
        {"two points", CoordDecimalDegrees, {{60, 55}, {61, 55}}, "в контуре меньше трех точек"},
        {"two and the closing one",
         CoordDecimalDegrees,
         {{60, 55}, {61, 55}, {60, 55}},
         "в контуре меньше трех точек"},
        {"not a number", CoordDecimalDegrees, {{60, 55}, {nan, 55}, {61, 56}}, "у точки 2 нет координат"},
        {"system 7", 7, {{60, 55}, {61, 55}, {61, 56}}, "неизвестная система координат 7"},
        {"system -1", -1, {{60, 55}, {61, 55}, {61, 56}}, "неизвестная система координат -1"},
        {"latitude 1e308",
         CoordDecimalDegrees,
         {{60, 55}, {61, 55}, {61, 1e308}},
         "точка 3 вне области системы координат"},
        {"latitude past the pole",
         CoordDegMinSec,
         {{60, 55}, {61, 91}, {61, 56}},
         "точка 2 вне области системы координат"},
        {"Gauss-Kruger northing 1e308",
         CoordGaussKruger,
         {{13595400, 7173026.5}, {13596400, 7173026.5}, {13596400, 1e308}},
         "точка 3 вне области системы координат"},
        {"UTM northing past the pole",
         CoordMercator,
         {{39495000, 6e6}, {39505000, 2e7}, {39505000, 6.01e6}},
         "точка 2 вне области системы координат"},
        {"UTM zone 0",
         CoordMercator,
         {{500000, 6e6}, {501000, 6e6}, {501000, 6.001e6}},
         "зона 0 вне проекции Меркатора"},
        {"UTM zone 61",
         CoordMercator,
         {{61.5e6, 6e6}, {61.5e6, 6e6}, {61.5e6, 6.001e6}},
         "зона 61 вне проекции Меркатора"},
        {"GK zone 33",
         CoordGaussKruger,
         {{33.5e6, 6e6}, {33.5e6, 6e6}, {33.5e6, 6.001e6}},
         "зона 33 вне проекции Гаусса-Крюгера"},
        {"GK zone 3",
         CoordGaussKruger,
         {{3.5e6, 6e6}, {3.5e6, 6e6}, {3.5e6, 6.001e6}},
         "зона 3 вне проекции Гаусса-Крюгера"},
    };
    for (const Unplaceable &c : cases) {
        try {
            PlacedContour(c.system, contour(c.points), {});
            ADD_FAILURE() << c.what << ": placed";
        } catch (const Error &e) {
            EXPECT_NE(std::string(e.what()).find(c.reason), std::string::npos) << c.what << ": " << e.what();
        }
    }
    // An empty coordinate is told apart from a value.
    StoredContour withEmpty = contour({{60, 55}, {61, 55}, {61, 56}});
    withEmpty[2].y.reset();
    EXPECT_THROW(PlacedContour(CoordDecimalDegrees, withEmpty, {}), Error);
}

TEST(ContourArea, SettingsAreCheckedAgainstProj)
{
    CrsSettings projected;
    projected.geographicCrs = 28413;
    EXPECT_THROW(checkSettings(projected), Error);
    CrsSettings unknown;
    unknown.targetCrs = 99999;
    EXPECT_THROW(checkSettings(unknown), Error);
    CrsSettings fine;
    fine.geographicCrs = 7683; // GSK-2011
    fine.targetCrs = 28413;
    EXPECT_NO_THROW(checkSettings(fine));
    for (const char *bad : {"4326", "EPSG:", "EPSG:abc", "EPSG:-5", "ESRI:102100"})
        EXPECT_THROW(parseEpsg(bad), Error) << bad;
    EXPECT_EQ(parseEpsg("epsg:4326"), 4326);
}

// A ring that crosses itself or whose points all coincide has no area to speak of: the line says why.
TEST(ContourArea, SelfCrossingAndDegenerateContoursSayWhy)
{
    const struct
    {
        const char *what;
        int system;
        std::vector<std::array<double, 2>> points;
        const char *text; // after "Площадь контура по координатам: "
    } cases[] = {
        {"bow tie",
         CoordDecimalDegrees,
         {{60, 55}, {61, 56}, {61, 55}, {60, 56}},
         "не вычислена (контур пересекает сам себя)"},
        {"back along itself",
         CoordDecimalDegrees,
         {{60, 55}, {61, 55}, {62, 55}},
         "не вычислена (контур пересекает сам себя)"},
        {"one point four times",
         CoordDecimalDegrees,
         {{60, 55}, {60, 55}, {60, 55}, {60, 55}},
         "не вычислена (все точки контура совпадают)"},
        {"projected bow tie",
         CoordMercator,
         {{39495000, 6e6}, {39505000, 6.01e6}, {39505000, 6e6}, {39495000, 6.01e6}},
         "не вычислена (контур пересекает сам себя)"},
        {"repeated point",
         CoordMercator,
         {{39495000, 6e6}, {39505000, 6e6}, {39505000, 6e6}, {39505000, 6.01e6}},
         "50.04 км²"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        ProductiveHorizon horizon;
        horizon.system = c.system;
        horizon.contour = contour(c.points);
        EXPECT_EQ(contourAreaText(contourArea(horizon)),
                  std::string("Площадь контура по координатам: ") + c.text);
    }
}

// The line of the contour page for the current horizon, from the data module as the editor holds it.
TEST(ContourArea, CurrentHorizonLineComparesWithTheTypedArea)
{
    auto dm = tarvena::testing::newDataModule();
    tarvena::testing::addHorizon(*dm, {"квадрат", CoordMercator, kUtmSquare, 100});
    tarvena::testing::addHorizon(*dm, {"тот же квадрат", CoordMercator, kUtmSquare, 90});
    tarvena::testing::addHorizon(*dm, {"без точек", CoordDecimalDegrees, {}, 5});

    MemTable &horizons = dm->POSIB_PRODUCT_HOR;
    horizons.First();
    ContourArea first = currentContourArea(*dm);
    ASSERT_TRUE(first.computedKm2);
    EXPECT_NEAR(*first.computedKm2, 100.08, 0.01);
    EXPECT_FALSE(first.differs());
    EXPECT_EQ(contourAreaText(first),
              "Площадь контура по координатам: 100.08 км²; площадь возможной залежи: 100 км²");

    horizons.Next();
    const ContourArea second = currentContourArea(*dm);
    EXPECT_TRUE(second.differs()); // 100.08 against 90: 11 %

    horizons.Next();
    const ContourArea third = currentContourArea(*dm);
    EXPECT_FALSE(third.computedKm2);
    EXPECT_FALSE(third.differs());
    EXPECT_EQ(
        contourAreaText(third),
        "Площадь контура по координатам: не вычислена (нет точек контура); площадь возможной залежи: 5 км²");

    // The contour table's filter does not matter: the points are found by their horizon.
    dm->KONTUR.SetFiltered(false);
    horizons.First();
    EXPECT_NEAR(*currentContourArea(*dm).computedKm2, 100.08, 0.01);
}

} // namespace
