#pragma once
// The passport's horizons as typed values, read from the stored records in place: no cursor moves,
// no filter changes, nothing is posted and no view or table handler hears of the read. A record being
// edited is read as last posted; a command that wants the pending edits posts them first.
#include "model/fluid.h"
#include "model/memtable.h"
#include "model/resources.h"

#include <cstdint>
#include <optional>
#include <string>
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

// The minimum and maximum of a counting parameter on a probabilistic page.
struct Range
{
    std::optional<double> min, max;
};

// The ranges of the probabilistic pages, named as the deterministic parameters they vary.
struct ResourceRanges
{
    // Oil: area, thickness, porosity, saturation, density, shrinkage, recovery; the gas factor is fixed.
    Range S, h, m, Kn, rho, theta, Kr;
    std::optional<double> G; // OILGAZFACTOR2
    // Gas: area, thickness, porosity, saturation, initial pressure, deviation factor, temperature
    // correction, dry gas share; the final pressure is fixed.
    Range F, hg, mg, Kg, P0, z, f, d;
    std::optional<double> Pk; // GAZSTARTPREASURE
    // Condensate: initial gas, condensate content, balance condensate, recovery, recoverable condensate.
    Range initialGas, c, balanceCondensate, Kc, recoverableCondensate;
};

// The three figures typed (or computed) for a probabilistic resource.
struct ProbableFigures
{
    std::optional<double> probable;    // the most probable value
    std::optional<double> probability; // its probability
    std::optional<double> deviation;   // the standard deviation
};

struct ProbableResources
{
    ProbableFigures balanceOil, recoverableOil, dissolvedGas, initialGas, balanceGas, recoverableCondensate;
};

// Texts are code page 1251, as the model holds them; names of dictionary entries are looked up.
struct ReflectingHorizon
{
    std::optional<std::int64_t> id;
    std::string index;             // INDEXOG
    std::string suite;             // STRATIGRSVIT
    std::string stratigraphicUnit; // _stratigr_id
    std::optional<double> area;    // SQUARE
    std::optional<double> amplitude;
};

struct ProductiveHorizon
{
    int number = 0; // 1-based, in table (or sort) order
    std::optional<std::int64_t> id;
    std::string name;              // STRATIGRSVIT
    std::string stratigraphicUnit; // _stratigr_id
    std::optional<std::int64_t> reflectingId;
    std::string reflectingIndex; // _REFLECTHOR_ID
    Fluid fluid = Fluid::None;
    std::string fluidName;           // _UV_ID
    int system = 0;                  // KONTURKOORDTYPE, empty as 0
    std::string systemName;          // _KONTURKOORDTYPE
    std::optional<double> typedArea; // POSIBLESQUARE
    ResourceInputs parameters;       // the deterministic counting parameters
    ResourceResults computed;        // the seven computed figures, as the page shows them
    ResourceRanges ranges;
    ProbableResources probable;
    StoredContour contour;
};

struct Horizons
{
    std::vector<ReflectingHorizon> reflecting;
    std::vector<ProductiveHorizon> productive;
};

// Every horizon of both tables, whatever their filters, in their shown order.
Horizons readHorizons(const TDataModule2 &dm);
std::vector<ProductiveHorizon> readProductiveHorizons(const TDataModule2 &dm);
std::vector<ReflectingHorizon> readReflectingHorizons(const TDataModule2 &dm);
// The current record of the productive horizons with its pending edits, as a page shows it: read
// through its fields, moving nothing (its number is 0 and its contour is not read).
ProductiveHorizon currentProductiveHorizon(const MemTable &horizons);

// Not a read: lifts the productive horizons' filter and puts both horizon tables on their first
// record, as the geology page and the unpacking list them. The caller holds the views' notices.
void showEveryHorizon(TDataModule2 &dm);

// "Горизонт N «name»" (UTF-8), the way notes name a horizon.
std::string horizonTitle(const ProductiveHorizon &horizon);

// A number field's stored value; nullopt when empty.
std::optional<double> storedNumber(const Value &value);

// Every horizon's contour in one pass over the stored points of KONTUR, by owner (HEAD_ID), each in
// contour order. Points without an owner belong to no horizon.
std::unordered_map<std::int64_t, StoredContour> contoursByHorizon(const MemTable &points);

// The identity of the current productive horizon (read from the cursor, not moving it); a horizon
// without one owns no points.
std::optional<std::int64_t> currentHorizonId(const TDataModule2 &dm);
// The current horizon's contour, found by its identity among the stored points.
StoredContour currentHorizonContour(const TDataModule2 &dm);

} // namespace tarvena
