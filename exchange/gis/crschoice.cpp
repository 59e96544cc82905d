#include "exchange/gis/crschoice.h"

#include "exchange/gis/projections.h"
#include "model/coordinates.h"
#include "model/numberformat.h"
#include "storage/error.h"

#include <cmath>
#include <limits>

namespace tarvena::gis {

namespace {

// WGS 84 / UTM zone N (northern hemisphere): EPSG 32600 + N.
constexpr int UtmBase = 32600;
constexpr int UtmFirstZone = 1;
constexpr int UtmLastZone = 60;
// Pulkovo 1942 / Gauss-Kruger zone N: EPSG 28400 + N; the zones that cover the country.
constexpr int GaussKrugerBase = 28400;
constexpr int GaussKrugerFirstZone = 4;
constexpr int GaussKrugerLastZone = 32;

} // namespace

void checkSettings(const CrsSettings &settings)
{
    Projections &projections = Projections::instance();
    if (!projections.isGeographic(settings.geographicCrs))
        throw Error("Система координат " + epsgText(settings.geographicCrs) +
                    " не географическая: для координат в градусах нужна широта и долгота.");
    if (settings.targetCrs)
        projections.requireKnown(*settings.targetCrs);
}

int parseEpsg(const std::string &text)
{
    const std::string prefix = "epsg:";
    bool prefixed = text.size() > prefix.size();
    for (std::size_t i = 0; prefixed && i < prefix.size(); ++i)
        prefixed = (text[i] | 0x20) == prefix[i];
    const std::optional<long long> code =
        prefixed ? numfmt::parseInteger(text.substr(prefix.size())) : std::nullopt;
    if (!code || *code <= 0 || *code > std::numeric_limits<int>::max())
        throw Error("Неверно указана система координат «" + text +
                    "»: ожидается EPSG:код, например EPSG:4326.");
    return static_cast<int>(*code);
}

std::string epsgText(int epsg)
{
    return "EPSG:" + std::to_string(epsg);
}

int zoneOf(double x)
{
    const double zone = std::trunc(x * 0.000001);
    return std::isfinite(zone) && std::abs(zone) < 1000 ? static_cast<int>(zone) : -1;
}

PointCrs pointCrs(int system, double x, const CrsSettings &settings)
{
    switch (system) {
    case CoordDegMinSec:
    case CoordDecimalDegrees:
        return {settings.geographicCrs, x};
    case CoordMercator: {
        const int zone = zoneOf(x);
        if (zone < UtmFirstZone || zone > UtmLastZone)
            throw Error("зона " + std::to_string(zone) + " вне проекции Меркатора (зоны 1–60)");
        return {UtmBase + zone, x - zone * 1000000.0};
    }
    case CoordGaussKruger: {
        const int zone = zoneOf(x);
        if (zone < GaussKrugerFirstZone || zone > GaussKrugerLastZone)
            throw Error("зона " + std::to_string(zone) + " вне проекции Гаусса-Крюгера (зоны 4–32)");
        return {GaussKrugerBase + zone, x};
    }
    case CoordNone:
        throw Error("не выбрана система координат");
    default:
        throw Error("неизвестная система координат " + std::to_string(system));
    }
}

} // namespace tarvena::gis
