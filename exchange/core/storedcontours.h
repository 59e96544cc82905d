#pragma once
// The contours as stored in the contour table, whatever its filter: the walks over every horizon
// (table 11 of an unpacking, the contour page's scheme) find each horizon's points by its owner
// instead of moving the horizons' filter over the points.
#include "model/memtable.h"

#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

namespace tarvena {

class TDataModule2;

// A contour point; an empty coordinate is nullopt.
struct StoredPoint
{
    std::optional<double> x, y;
};
using StoredContour = std::vector<StoredPoint>;

// A coordinate field's stored value as a number; nullopt when empty.
std::optional<double> storedCoordinate(const Value &value);

// Every horizon's contour in one pass over the stored points of KONTUR, by owner (HEAD_ID), each in
// contour order. Points without an owner belong to no horizon.
std::unordered_map<std::int64_t, StoredContour> contoursByHorizon(const MemTable &points);

// The identity of the current productive horizon; a horizon without one owns no points.
std::optional<std::int64_t> currentHorizonId(const TDataModule2 &dm);
// The current horizon's contour, found by its identity among the stored points.
StoredContour currentHorizonContour(const TDataModule2 &dm);

} // namespace tarvena
