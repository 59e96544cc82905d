// tarvena-cli export-gis as a user runs it, the files read back without our code: one known point of
// each coordinate system lands where cs2cs (PROJ's command-line tool, run once) puts it.
#include "model/coordinates.h"
#include "tests/exchange/readback.h"
#include "tests/gis/gisfixture.h"
#include "tests/gis/gisread.h"
#include "tests/support/clirun.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>

using namespace tarvena;
using namespace tarvena::testing;

namespace {

namespace fs = std::filesystem;
using Point = std::array<double, 2>;

// One point per coordinate system as stored, and where it lies (cs2cs -f %.9f / %.4f from the
// system's CRS: EPSG:4284, EPSG:32643 and EPSG:28413) in WGS 84, Pulkovo 1942 and its Gauss-Kruger
// zone 13 (easting with the zone, northing).
struct KnownPoint
{
    const char *horizon;
    int system;
    Point stored;
    Point wgs84;
    Point pulkovo;
    Point gaussKruger13;
};

const KnownPoint kKnown[] = {
    {"пласт А1 (градусы, минуты, секунды)",
     CoordDegMinSec,
     {73.5, 61.25},
     {73.498883924, 61.250659202},
     {73.5, 61.25},
     {13419481.0318, 6794394.0961}},
    {"пласт Б2 (доли градуса)",
     CoordDecimalDegrees,
     {76.98, 64.65},
     {76.978875872, 64.650760693},
     {76.98, 64.65},
     {13594617.5842, 7173920.2419}},
    {"пласт В3 (Меркатор, зона 43)",
     CoordMercator,
     {43588000, 7170000},
     {76.841812120, 64.643476478},
     {76.842942364, 64.642717219},
     {13588093.1433, 7172911.0663}},
    {"пласт Г4 (Гаусс-Крюгер, зона 13)",
     CoordGaussKruger,
     {13595400, 7173026.5},
     {76.994649635, 64.642529112},
     {76.995772594, 64.641768432},
     {13595400, 7173026.5}},
};

std::vector<HorizonSpec> knownHorizons()
{
    std::vector<HorizonSpec> horizons;
    for (const KnownPoint &known : kKnown) {
        const auto [x, y] = known.stored;
        const double step = known.system <= CoordDecimalDegrees ? 0.02 : 1000;
        horizons.push_back(
            {known.horizon, known.system, {{x, y}, {x + step, y}, {x + step, y + step}}, 12.5});
    }
    horizons.push_back({"пласт Д5 без системы", CoordNone, {{60, 55}, {61, 55}, {61, 56}}, 1});
    horizons.push_back({"пласт Е6 без точек", CoordDecimalDegrees, {}, 1});
    return horizons;
}

bool contains(const std::string &text, const std::string &part)
{
    return text.find(part) != std::string::npos;
}

// Kind 1 of the territory check: the bounds of coordinates in degrees.
bool inTerritory(const Point &p)
{
    return p[0] >= 19.62 && p[0] <= 191.02 && p[1] >= 41.17 && p[1] <= 81.85;
}

std::vector<std::string> folderEntries(const fs::path &folder)
{
    std::vector<std::string> names;
    for (const fs::directory_entry &entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class ExportGisTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        mPassport = mFolder.path() / "known.psp";
        writePassport(mPassport, "Тестовая структура", knownHorizons());
    }

    CliRun exportGis(const fs::path &out, std::vector<std::string> options = {})
    {
        std::vector<std::string> arguments = {"export-gis", mPassport.string(), out.string()};
        arguments.insert(arguments.end(), options.begin(), options.end());
        return runCli(arguments);
    }

    TempFolder mFolder;
    fs::path mPassport;
};

struct FormatCase
{
    const char *file;
    const char *mode;
    const char *horizonAttribute;
    const char *typedAttribute;
    const char *areaAttribute;
    bool wgs84;
};

TEST_F(ExportGisTest, EachFormatHoldsAPolygonPerHorizonWhereCs2csPutsIt)
{
    const FormatCase cases[] = {
        {"contours.gpkg", "gpkg", "STRATIGRSVIT", "POSIBLESQUARE", "KONTUR_SQUARE", false},
        {"contours.shp", "shp", "STRATIGRSV", "POSIBLESQ", "KONTUR_SQ", false},
        {"contours.geojson", "geojson", "STRATIGRSVIT", "POSIBLESQUARE", "KONTUR_SQUARE", true},
        {"contours.kml", "kml", "kml:name", "POSIBLESQUARE", "KONTUR_SQUARE", true},
    };
    for (const FormatCase &c : cases) {
        SCOPED_TRACE(c.file);
        const fs::path out = mFolder.path() / c.file;
        const CliRun run = exportGis(out);
        ASSERT_EQ(run.exitCode, 0) << run.out;
        EXPECT_TRUE(contains(
            run.out, "Горизонт 5 «пласт Д5 без системы»: не выбрана система координат, контур пропущен."))
            << run.out;
        EXPECT_TRUE(contains(run.out, "Горизонт 6 «пласт Е6 без точек»: нет точек контура, контур пропущен."))
            << run.out;

        const GisFile file = readGisFile(c.mode, out, "contours");
        if (c.wgs84)
            EXPECT_EQ(file.crs, "EPSG:4326");
        else if (std::string(c.mode) == "gpkg")
            EXPECT_EQ(file.crs, "EPSG:4284"); // the first horizon's
        else
            EXPECT_TRUE(contains(file.crs, "Pulkovo_1942")) << file.crs;
        ASSERT_EQ(file.features.size(), std::size(kKnown));
        for (std::size_t i = 0; i < std::size(kKnown); ++i) {
            const GisFeature &feature = file.features[i];
            const KnownPoint &known = kKnown[i];
            EXPECT_EQ(feature.text(c.horizonAttribute), known.horizon);
            EXPECT_EQ(feature.text("OBJECTNAME"), "Тестовая структура");
            EXPECT_EQ(feature.number(c.typedAttribute), 12.5);
            EXPECT_GT(feature.number(c.areaAttribute).value_or(0), 0);
            ASSERT_EQ(feature.ring.size(), 4u); // three points and the first again
            EXPECT_EQ(feature.ring.front(), feature.ring.back());
            // A Shapefile turns rings clockwise; the known point stays a vertex.
            const Point expected = c.wgs84 ? known.wgs84 : known.pulkovo;
            double nearest = 1e9;
            for (const Point &vertex : feature.ring) {
                nearest = std::min(nearest, metresBetween(vertex, expected));
                EXPECT_TRUE(inTerritory(vertex)) << vertex[0] << " " << vertex[1];
            }
            EXPECT_LT(nearest, 1.0) << known.horizon;
            if (std::string(c.mode) != "shp") {
                EXPECT_LT(metresBetween(feature.ring.front(), expected), 1.0)
                    << "stored order: " << known.horizon;
            }
        }
    }
}

TEST_F(ExportGisTest, TargetCrsTakesEveryHorizonToIt)
{
    const fs::path out = mFolder.path() / "gauss-kruger.gpkg";
    const CliRun run = exportGis(out, {"--target-crs", "EPSG:28413"});
    ASSERT_EQ(run.exitCode, 0) << run.out;
    const GisFile file = readGisFile("gpkg", out, "contours");
    EXPECT_EQ(file.crs, "EPSG:28413");
    ASSERT_EQ(file.features.size(), std::size(kKnown));
    for (std::size_t i = 0; i < std::size(kKnown); ++i) {
        const Point &vertex = file.features[i].ring.front();
        const Point &expected = kKnown[i].gaussKruger13;
        EXPECT_LT(std::hypot(vertex[0] - expected[0], vertex[1] - expected[1]), 1.0) << kKnown[i].horizon;
    }
    // A contour already in the target CRS is written as stored.
    EXPECT_EQ(file.features[3].ring.front(), kKnown[3].stored);
    // The area is that of the horizon's own CRS, whatever the file's.
    const GisFile own = [&] {
        exportGis(mFolder.path() / "own.gpkg");
        return readGisFile("gpkg", mFolder.path() / "own.gpkg", "contours");
    }();
    for (std::size_t i = 0; i < std::size(kKnown); ++i)
        EXPECT_EQ(file.features[i].number("KONTUR_SQUARE"), own.features[i].number("KONTUR_SQUARE"));
}

TEST_F(ExportGisTest, GeographicCrsOptionSaysWhatTheDegreesAre)
{
    const fs::path out = mFolder.path() / "wgs84.geojson";
    const CliRun run = exportGis(out, {"--geographic-crs", "EPSG:4326"});
    ASSERT_EQ(run.exitCode, 0) << run.out;
    const GisFile file = readGisFile("geojson", out);
    ASSERT_EQ(file.features.size(), std::size(kKnown));
    // Degrees already in WGS 84 go to the file unshifted; the projections keep their own datum.
    for (std::size_t i : {0, 1})
        EXPECT_LT(metresBetween(file.features[i].ring.front(), kKnown[i].stored), 1e-3);
    for (std::size_t i : {2, 3})
        EXPECT_LT(metresBetween(file.features[i].ring.front(), kKnown[i].wgs84), 1.0);
}

TEST_F(ExportGisTest, RefusalLeavesTheOldFileAndNoScratch)
{
    const fs::path noContours = mFolder.path() / "no-contours.psp";
    writePassport(noContours, "Пустая",
                  {{"пласт без системы", CoordNone, {{60, 55}, {61, 55}, {61, 56}}, 1}});
    struct Refusal
    {
        std::vector<std::string> arguments; // after the passport
        const char *message;
    };
    const std::string gpkg = (mFolder.path() / "out.gpkg").string();
    const std::string geojson = (mFolder.path() / "out.geojson").string();
    const Refusal refusals[] = {
        {{gpkg, "--format", "DXF"}, "Неизвестный формат ГИС «DXF»"},
        {{gpkg, "--format", "ESRI Shapefile"}, "у файла Shapefile должно быть расширение .shp"},
        {{(mFolder.path() / "out.txt").string()}, "не определяется по расширению"},
        {{geojson, "--target-crs", "EPSG:28413"}, "записывается только в WGS 84"},
        {{gpkg, "--geographic-crs", "EPSG:28413"}, "не географическая"},
        {{gpkg, "--target-crs", "EPSG:99999"}, "EPSG:99999 неизвестна"},
        {{gpkg, "--target-crs", "4326"}, "Неверно указана система координат «4326»"},
        {{(mFolder.path() / "нет такой папки" / "out.gpkg").string()}, "нет папки"},
    };
    for (const std::string &old : {gpkg, geojson, (mFolder.path() / "out.txt").string()})
        std::ofstream(old) << "old";
    const std::vector<std::string> before = folderEntries(mFolder.path());
    for (const Refusal &refusal : refusals) {
        std::vector<std::string> arguments = {"export-gis", mPassport.string()};
        arguments.insert(arguments.end(), refusal.arguments.begin(), refusal.arguments.end());
        const CliRun run = runCli(arguments);
        EXPECT_EQ(run.exitCode, 1) << refusal.message;
        EXPECT_TRUE(contains(run.out, refusal.message)) << run.out;
    }
    const CliRun empty = runCli({"export-gis", noContours.string(), gpkg});
    EXPECT_EQ(empty.exitCode, 1);
    EXPECT_TRUE(contains(empty.out, "В паспорте нет контуров с координатами")) << empty.out;

    EXPECT_EQ(folderEntries(mFolder.path()), before);
    EXPECT_EQ(readFileBytes(gpkg), "old");
    EXPECT_EQ(readFileBytes(geojson), "old");
    // Success replaces the old file and leaves nothing else behind.
    ASSERT_EQ(exportGis(gpkg).exitCode, 0);
    EXPECT_EQ(readGisFile("gpkg", gpkg, "contours").features.size(), std::size(kKnown));
    EXPECT_EQ(folderEntries(mFolder.path()), before);
}

TEST(ExportGisAntimeridian, ContourAcrossTheHundredEightiethMeridianStaysOnePiece)
{
    TempFolder folder;
    const fs::path passport = folder.path() / "chukotka.psp";
    writePassport(passport, "Чукотская",
                  {{"пласт через 180°",
                    CoordDecimalDegrees,
                    {{179.95, 66}, {180.05, 66}, {180.05, 66.05}, {179.95, 66.05}},
                    20}});
    const fs::path out = folder.path() / "chukotka.geojson";
    const CliRun run = runCli({"export-gis", passport.string(), out.string()});
    ASSERT_EQ(run.exitCode, 0) << run.out;
    const GisFile file = readGisFile("geojson", out);
    ASSERT_EQ(file.features.size(), 1u);
    const std::vector<Point> &ring = file.features[0].ring;
    for (std::size_t i = 1; i < ring.size(); ++i)
        EXPECT_LT(std::abs(ring[i][0] - ring[i - 1][0]), 1.0) << i;
    // 4.5 km by 5.6 km.
    EXPECT_NEAR(file.features[0].number("KONTUR_SQUARE").value(), 25.2, 0.5);
}

// The sample passport opens in a GIS in the right place: two contours in degrees, two in
// Gauss-Kruger zone 13, all inside the territory and near the areas the passport states.
TEST(ExportGisSample, ContoursLieInsideTheTerritoryWithTheirStatedAreas)
{
    TempFolder folder;
    const std::string sample = std::string(TARVENA_BIN_DIR) + "/samples/Северо-Тарвенская.psp";
    const fs::path out = folder.path() / "sample.gpkg";
    const CliRun run = runCli({"export-gis", sample, out.string()});
    ASSERT_EQ(run.exitCode, 0) << run.out;
    const GisFile file = readGisFile("gpkg", out, "contours");
    EXPECT_EQ(file.crs, "EPSG:4284");
    ASSERT_TRUE(file.extent);
    const auto [minX, minY, maxX, maxY] = *file.extent;
    EXPECT_TRUE(inTerritory({minX, minY}) && inTerritory({maxX, maxY}));
    // The object is some 15 km across.
    EXPECT_LT(maxX - minX, 0.5);
    EXPECT_LT(maxY - minY, 0.2);
    ASSERT_EQ(file.features.size(), 4u);
    for (const GisFeature &feature : file.features) {
        const double typed = feature.number("POSIBLESQUARE").value();
        EXPECT_NEAR(feature.number("KONTUR_SQUARE").value(), typed, typed * 0.01)
            << feature.text("STRATIGRSVIT");
        // The extent is the vertices' own, to the rounding of its arithmetic.
        const double e = 1e-9;
        for (const Point &vertex : feature.ring)
            EXPECT_TRUE(vertex[0] >= minX - e && vertex[0] <= maxX + e && vertex[1] >= minY - e &&
                        vertex[1] <= maxY + e);
    }
}

TEST(SummaryAreas, EachHorizonHasALineWithBothAreas)
{
    TempFolder folder;
    const fs::path passport = folder.path() / "areas.psp";
    // The UTM square of 100.08 km² on the ellipsoid, typed once right and once 20 % too small.
    const std::vector<Point> square = {
        {39495000, 6000000}, {39505000, 6000000}, {39505000, 6010000}, {39495000, 6010000}};
    writePassport(passport, "Площади",
                  {{"верный", CoordMercator, square, 100},
                   {"заниженный", CoordMercator, square, 80},
                   {"без координат", CoordNone, {}, 3}});
    const CliRun run = runCli({"summary", passport.string()});
    ASSERT_EQ(run.exitCode, 0) << run.out;
    EXPECT_TRUE(contains(run.out, "Horizon1: верный: Площадь контура по координатам: 100.08 км²; площадь "
                                  "возможной залежи: 100 км²\n"))
        << run.out;
    EXPECT_TRUE(contains(run.out, "Horizon2: заниженный: Площадь контура по координатам: 100.08 км²; площадь "
                                  "возможной залежи: 80 км²; расхождение более 10 %\n"))
        << run.out;
    EXPECT_TRUE(contains(run.out,
                         "Horizon3: без координат: Площадь контура по координатам: не вычислена (нет "
                         "точек контура); площадь возможной залежи: 3 км²\n"))
        << run.out;
}

} // namespace
