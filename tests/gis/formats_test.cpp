// The four GIS formats by the names the command line takes and by the extensions a save dialog adds.
#include "exchange/gis/vectorfile.h"
#include "storage/error.h"
#include "tests/support/clirun.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace tarvena;
using namespace tarvena::gis;

namespace {

TEST(GisFormats, ByNameAndByExtension)
{
    const std::pair<const char *, GisFormat> names[] = {{"GPKG", GisFormat::GeoPackage},
                                                        {"esri shapefile", GisFormat::Shapefile},
                                                        {"GeoJSON", GisFormat::GeoJson},
                                                        {"kml", GisFormat::Kml}};
    for (const auto &[name, format] : names)
        EXPECT_EQ(gisFormatByName(name), format) << name;
    EXPECT_THROW(gisFormatByName("Shapefile"), Error);

    const std::pair<const char *, GisFormat> paths[] = {{"карта.gpkg", GisFormat::GeoPackage},
                                                        {"dir.v2/КОНТУРЫ.SHP", GisFormat::Shapefile},
                                                        {"a.geojson", GisFormat::GeoJson},
                                                        {"a.json", GisFormat::GeoJson},
                                                        {"a.b.Kml", GisFormat::Kml}};
    for (const auto &[path, format] : paths)
        EXPECT_EQ(gisFormatOfPath(path), format) << path;
    for (const char *path : {"contours", "contours.gpkg.tmp", "dir.gpkg/contours", ".gpkg"})
        EXPECT_THROW(gisFormatOfPath(path), Error) << path;

    // A save dialog offers the four with the extensions that name them again.
    EXPECT_EQ(gisFileFilter(), "GeoPackage|*.gpkg|ESRI Shapefile|*.shp|GeoJSON|*.geojson|KML|*.kml");
}

// The usage texts of both programs offer for --format exactly the names it takes, and show the GIS
// commands alike.
TEST(GisFormats, UsageOffersWhatFormatTakes)
{
    std::set<std::string> offered[2];
    std::string gisLines[2];
    const char *programs[] = {"tarvena-cli", "tarvena-gis"};
    for (int p = 0; p < 2; ++p) {
        SCOPED_TRACE(programs[p]);
        const tarvena::testing::CliRun run =
            tarvena::testing::runShell(std::string(TARVENA_BIN_DIR) + "/" + programs[p]);
        EXPECT_EQ(run.exitCode, 2);
        const std::size_t option = run.out.find("[--format ");
        ASSERT_NE(option, std::string::npos) << run.out;
        const std::size_t start = option + 10;
        std::string choices = run.out.substr(start, run.out.find(']', start) - start) + "|";
        for (std::size_t from = 0, bar; (bar = choices.find('|', from)) != std::string::npos;
             from = bar + 1) {
            std::string name = choices.substr(from, bar - from);
            if (name.size() > 1 && name.front() == '\'' && name.back() == '\'')
                name = name.substr(1, name.size() - 2);
            EXPECT_NO_THROW(gisFormatByName(name)) << name;
            offered[p].insert(name);
        }
        std::size_t line = 0;
        for (std::size_t end; (end = run.out.find('\n', line)) != std::string::npos; line = end + 1) {
            const std::string text = run.out.substr(line, end - line);
            for (const char *command : {" summary ", " export-gis ", " register "})
                if (text.find(std::string(programs[p]) + command) != std::string::npos)
                    gisLines[p] += text.substr(text.find(command)) + "\n";
        }
    }
    EXPECT_EQ(offered[0].size(), gisFormats().size());
    EXPECT_EQ(offered[0], offered[1]);
    EXPECT_EQ(gisLines[0], gisLines[1]);
}

} // namespace
