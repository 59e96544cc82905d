#pragma once
// The points of the horizons' trap contours as plain values, read from the contour table whatever its
// filter, for the writers that need every contour or the current horizon's one.
#include "model/value.h"

#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

namespace tarvena {

class MemTable;
class TDataModule2;

struct ContourPoint
{
    std::optional<double> x, y; // empty coordinates stay empty
};
using Contour = std::vector<ContourPoint>;

// A number field's value as a double; empty (and any text) gives nothing.
std::optional<double> coordinateValue(const Value &value);

// The identity of the current horizon; a horizon without one owns no points.
std::optional<std::int64_t> currentHorizonId(const TDataModule2 &dm);

// Every horizon's contour in one pass over the stored points, by owner, in contour order.
std::unordered_map<std::int64_t, Contour> contoursByHorizon(const MemTable &points);

// The current horizon's contour, found by its identity among the stored points.
Contour currentHorizonContour(const TDataModule2 &dm);

} // namespace tarvena
