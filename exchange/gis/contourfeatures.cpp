#include "exchange/gis/contourfeatures.h"

#include "exchange/gis/geodesicareas.h"
#include "model/horizonfields.h"

#include "storage/codepage.h"
#include "storage/error.h"

namespace tarvena::gis {

std::vector<Attribute> contourAttributes()
{
    using enum AttributeType;
    std::vector<Attribute> attributes = {
        {"OBJECTNAME", "OBJECTNAME", Text},     {"STRATIGRSVIT", "STRATIGRSV", Text},
        {"STRATIGR_NAME", "STRAT_NAME", Text},  {"UV_NAME", "UV_NAME", Text},
        {"KOORDTYPE_NAME", "KOORD_NAME", Text}, {"POSIBLESQUARE", "POSIBLESQ", Real},
        {"KONTUR_SQUARE", "KONTUR_SQ", Real},
    };
    // The resources keep their field names, cut for the ten characters of a Shapefile.
    const char *shortNames[] = {"CALC_BAL",   "CALC_PERSP", "CALC_RGAZ", "CALC_BALGZ",
                                "CALC_NEWGZ", "CALC_BGZC",  "CALC_PGZC"};
    for (std::size_t i = 0; i < horizonfields::Results.size(); ++i)
        attributes.push_back({horizonfields::Results[i].name, shortNames[i], Real});
    return attributes;
}

AttributeValue textValue(const std::string &cp1251)
{
    if (cp1251.empty())
        return {};
    return codepage::cp1251ToUtf8(cp1251);
}

AttributeValue numberValue(std::optional<double> value)
{
    if (!value)
        return {};
    return *value;
}

std::vector<AttributeValue> contourAttributeValues(const std::string &objectName,
                                                   const ProductiveHorizon &horizon,
                                                   std::optional<double> computedAreaKm2)
{
    std::vector<AttributeValue> values = {
        textValue(objectName),        textValue(horizon.name),       textValue(horizon.stratigraphicUnit),
        textValue(horizon.fluidName), textValue(horizon.systemName), numberValue(horizon.typedArea),
        numberValue(computedAreaKm2),
    };
    for (const auto &result : horizonfields::Results)
        values.push_back(numberValue(horizon.computed.*result.member));
    return values;
}

std::vector<PlacedHorizon> placeHorizons(const std::vector<ProductiveHorizon> &horizons,
                                         const CrsSettings &settings, const NoteSink &note)
{
    std::vector<PlacedHorizon> placed;
    for (const ProductiveHorizon &horizon : horizons) {
        try {
            placed.push_back({&horizon, PlacedContour(horizon.system, horizon.contour, settings)});
        } catch (const Error &e) {
            if (note)
                note(horizonTitle(horizon) + ": " + e.what() + ", контур пропущен.");
        }
    }
    return placed;
}

int addContourFeatures(VectorLayer &layer, const std::vector<PlacedHorizon> &horizons, int crs,
                       const std::vector<AttributeValue> &leading, const std::string &objectName,
                       const NoteSink &note)
{
    // The rings and the geographic points come from PROJ here; the areas are measured all at once.
    std::vector<const PlacedHorizon *> written;
    std::vector<Ring> rings;
    std::vector<GeographicRing> geographic;
    for (const PlacedHorizon &placed : horizons) {
        try {
            Ring ring = placed.contour.ring(crs);
            geographic.push_back(placed.contour.geographicRing());
            rings.push_back(std::move(ring));
            written.push_back(&placed);
        } catch (const Error &e) {
            if (note)
                note(horizonTitle(*placed.horizon) + ": " + e.what() + ", контур пропущен.");
        }
    }
    const std::vector<double> areas = geodesicAreasKm2(geographic);
    for (std::size_t i = 0; i < written.size(); ++i) {
        // A ring that crosses itself or has one point only is written as it is, without an area.
        const std::string &fault = written[i]->contour.shapeFault();
        if (!fault.empty() && note)
            note(horizonTitle(*written[i]->horizon) + ": " + fault + ", площадь не вычислена.");
        const std::optional<double> area = fault.empty() ? std::optional(areas[i]) : std::nullopt;
        std::vector<AttributeValue> values = leading;
        for (AttributeValue &value : contourAttributeValues(objectName, *written[i]->horizon, area))
            values.push_back(std::move(value));
        layer.add(values, &rings[i]);
    }
    return static_cast<int>(written.size());
}

} // namespace tarvena::gis
