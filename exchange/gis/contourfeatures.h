#pragma once
// The attributes of a contour feature in a GIS file: the object, the horizon, both areas and the
// horizon's deterministic resources.
#include "exchange/gis/vectorfile.h"
#include "model/horizons.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tarvena::gis {

// Tells the user something about one horizon (UTF-8); the command line prints it on standard error.
using NoteSink = std::function<void(const std::string &)>;

std::vector<Attribute> contourAttributes();

// The values in the order of contourAttributes(); objectName is code page 1251, as the passport
// holds it; the texts become UTF-8.
std::vector<AttributeValue> contourAttributeValues(const std::string &objectName,
                                                   const ProductiveHorizon &horizon,
                                                   std::optional<double> computedAreaKm2);

// A horizon whose contour has a place in reference systems.
struct PlacedHorizon
{
    const ProductiveHorizon *horizon;
    PlacedContour contour;
};

// The horizons whose contours can be placed; each of the others is named in a note with the reason.
std::vector<PlacedHorizon> placeHorizons(const std::vector<ProductiveHorizon> &horizons,
                                         const CrsSettings &settings, const NoteSink &note);

// Adds a feature per placed horizon, its ring in CRS `crs`: the values of `leading` first, then
// those of contourAttributeValues. A ring that has no place in the CRS is left out with a note.
// Returns the number of features added.
int addContourFeatures(VectorLayer &layer, const std::vector<PlacedHorizon> &horizons, int crs,
                       const std::vector<AttributeValue> &leading, const std::string &objectName,
                       const NoteSink &note);

// A text of the model (code page 1251) as an attribute: UTF-8, empty as no value.
AttributeValue textValue(const std::string &cp1251);
AttributeValue numberValue(std::optional<double> value);

} // namespace tarvena::gis
