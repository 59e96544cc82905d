#include "tests/gis/gisread.h"

#include "tests/support/clirun.h"

#include <cmath>
#include <numbers>
#include <sstream>
#include <stdexcept>

namespace tarvena::testing {

namespace {

std::vector<std::string> split(const std::string &line)
{
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
        fields.push_back(line.substr(start, tab - start));
    fields.push_back(line.substr(start));
    return fields;
}

std::string runScript(const std::string &arguments)
{
    const std::filesystem::path script =
        std::filesystem::path(TARVENA_TEST_DATA_DIR).parent_path() / "gis" / "gis_check.py";
    const CliRun run = runShell("python3 " + shellQuoted(script.string()) + " " + arguments);
    if (run.exitCode != 0)
        throw std::runtime_error("gis_check.py failed: " + run.out.substr(0, 2000));
    return run.out;
}

} // namespace

std::string GisFeature::text(const std::string &name) const
{
    const auto found = values.find(name);
    if (found == values.end())
        return "<missing>";
    return found->second.null ? "<null>" : found->second.text;
}

std::optional<double> GisFeature::number(const std::string &name) const
{
    const auto found = values.find(name);
    if (found == values.end() || found->second.null)
        return std::nullopt;
    // KML keeps every value as text.
    return found->second.number ? found->second.value : std::stod(found->second.text);
}

GisFile readGisFile(const std::string &mode, const std::filesystem::path &file, const std::string &table)
{
    std::string arguments = mode + " " + shellQuoted(file.string());
    if (!table.empty())
        arguments += " " + shellQuoted(table);
    std::istringstream lines(runScript(arguments));
    GisFile result;
    for (std::string line; std::getline(lines, line);) {
        const std::vector<std::string> f = split(line);
        if (f[0] == "crs" && f.size() == 2) {
            result.crs = f[1];
        } else if (f[0] == "bbox" && f.size() == 5) {
            result.extent = {std::stod(f[1]), std::stod(f[2]), std::stod(f[3]), std::stod(f[4])};
        } else if (f[0] == "feature") {
            result.features.emplace_back();
        } else if (f[0] == "prop" && f.size() >= 3 && !result.features.empty()) {
            GisValue value;
            if (f[2] != "-" && f.size() == 4) {
                value.null = false;
                value.number = f[2] == "n";
                value.text = f[3];
                value.value = value.number ? std::stod(f[3]) : 0;
            }
            result.features.back().values[f[1]] = value;
        } else if (f[0] == "point" && f.size() == 3 && !result.features.empty()) {
            result.features.back().ring.push_back({std::stod(f[1]), std::stod(f[2])});
        } else {
            throw std::runtime_error("gis_check.py printed an unknown line: " + line);
        }
    }
    return result;
}

double metresBetween(const std::array<double, 2> &a, const std::array<double, 2> &b)
{
    constexpr double metresPerDegree = 6371000.0 * std::numbers::pi / 180;
    const double latitude = (a[1] + b[1]) / 2 * std::numbers::pi / 180;
    const double dx = (a[0] - b[0]) * metresPerDegree * std::cos(latitude);
    const double dy = (a[1] - b[1]) * metresPerDegree;
    return std::hypot(dx, dy);
}

} // namespace tarvena::testing
