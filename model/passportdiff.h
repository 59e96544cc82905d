#pragma once
// What changed between two passports, in the words of the pages: the record's fields by page and
// caption, the horizons by their grid columns, the contours point by point, the attachments by slot.
// Both passports are read in place: no cursor moves and no view hears of the comparison.
#include "model/horizons.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tarvena {

class TDataModule2;

// Where a difference shows in the second passport, for a view that goes there.
struct DiffTarget
{
    int page = 0;        // 1 to 12: the tables' pages; kDocumentsPage: the documents page
    std::string control; // the record page's control, or the grid, by objectName; empty: the page
    std::optional<std::int64_t> horizonId;
    int horizonNumber = 0; // 1-based place of the horizon in its table's order; 0: none
    int point = 0;         // 1-based contour point of the horizon; 0: none
    int slotList = -1;     // documents page: 0 documents, 1 graphics, 2 additional graphics
    int slot = -1;         // 0-based slot of that list
};
inline constexpr int kDocumentsPage = 13;

// One difference. Texts are UTF-8.
struct DiffLine
{
    enum class Kind
    {
        Changed,  // a value differs: before → after
        Added,    // in the second passport only
        Removed,  // in the first passport only
        Replaced, // an attachment's content differs
        Contour   // a contour's points differ; the change says how
    };
    Kind kind = Kind::Changed;
    std::vector<std::string> path; // the page's caption, then the groups down to the thing changed
    std::string before, after;     // the values as the pages show them (Changed, Replaced)
    std::string change;            // what the line says after the path: "A → B", "добавлен", ...

    // "1.География / Область: Тюменская область → Ямало-Ненецкий автономный округ"
    std::string text() const;
    DiffTarget target;
};

struct PassportDiff
{
    std::vector<DiffLine> lines; // in the order of the pages
    bool equal() const { return lines.empty(); }
};

// Measures contours on the ellipsoid; the GIS layer gives the measure. Without one a contour's
// difference counts its points only.
class ContourMeasure
{
public:
    virtual ~ContourMeasure() = default;
    // Metres on the ellipsoid between a point of coordinate system `fromSystem` and one of
    // `toSystem`; nullopt when either has no place.
    virtual std::optional<double> distanceMetres(int fromSystem, const StoredPoint &from, int toSystem,
                                                 const StoredPoint &to) = 0;
    // The area of the horizon's contour in km² computed from its points; nullopt when it has none.
    virtual std::optional<double> areaKm2(const ProductiveHorizon &horizon) = 0;
};

// The differences from `before` to `after`. Pending edits are not read: post them first.
PassportDiff comparePassports(const TDataModule2 &before, const TDataModule2 &after,
                              ContourMeasure *measure = nullptr);

// A data module with like's dictionaries holding the passport at path (UTF-8), to compare with;
// throws Error with the reason when the file cannot be read.
std::unique_ptr<TDataModule2> openPassportToCompare(const TDataModule2 &like, const std::string &path);

// The caption of a page of the comparison: "1.География" .. "12.Экономика", "Документы/Графика".
std::string diffPageCaption(int page);

} // namespace tarvena
