#pragma once
// The passport check before submission: what a passport still lacks or holds inconsistently before it
// goes to the reviewers, each finding with its severity, its message and the place where it is mended.
// The checks are the rows of one table (completeness_rules.cpp); the required fields of the record are
// a column of the field catalogue. Reads the passport in place: no cursor moves, nothing is posted.
#include "model/fileslots.h"
#include "model/tablepage.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tarvena {

class TDataModule2;
struct ProductiveHorizon;

namespace completeness {

enum class Severity
{
    Error,
    Warning
};

// «Ошибка» or «Предупреждение» (UTF-8).
const char *severityName(Severity severity);

enum class PlaceKind
{
    Control,     // a control of a record page
    GridCell,    // a row and a column of a horizon grid
    DocumentSlot // a slot of a list of the documents page
};

// Where a finding is mended.
struct Place
{
    PlaceKind kind = PlaceKind::Control;
    TablePage page = TablePage::Geography; // Control and GridCell
    std::string object;                    // Control: the control's objectName; GridCell: the grid's
    std::string field;                     // GridCell: the field the column shows
    int row = -1;                          // GridCell, DocumentSlot: 0-based, in the shown order
    SlotList list = SlotList::Documents;   // DocumentSlot
    bool operator==(const Place &) const = default;
};

// The checks, one per row of the rules table.
enum class Check
{
    RequiredField,
    AdvisedField,
    NoRegion,
    SeveralRegions,
    NoSurveyParameters,
    YearOrder,
    NoReflectingHorizons,
    ReflectingIndex,
    ReflectingUnit,
    ReflectingScale,
    NoProductiveHorizons,
    ProductiveUnit,
    ProductiveFluid,
    ProductiveArea,
    ResourcesNotComputed,
    ProbableFigures,
    ContourSystem,
    ContourPoints,
    ContourEmptyPoint,
    ContourTerritory,
    ContourShape,
    ContourArea,
    RequiredDocument,
    AdvisedDocument,
    HorizonMap,
    NoResources,
    FluidFigures
};

// A row of the rules table. The message is UTF-8 with {1}, {2} ... for the particulars of a finding;
// the place is the page and control (or grid and column) the finding is mended at; a finding of a row
// of a grid adds the row.
struct Rule
{
    Check check;
    Severity severity;
    const char *message;
    PlaceKind kind;
    TablePage page;
    const char *object; // objectName of the control or grid; nullptr where the finding names it
    const char *field;  // GridCell: the column's field; nullptr where the finding names it
};

const std::vector<Rule> &rules();
const Rule &rule(Check check);

struct Finding
{
    Check check;
    Severity severity;
    std::string message; // UTF-8
    Place place;
};

// What the ellipsoid tells of a contour: its area, or why there is none (it cannot be placed, its points
// coincide or the ring crosses itself). The GIS layer measures; without a measure these checks are left
// out.
struct ContourMeasurement
{
    std::optional<double> areaKm2;
    std::string fault; // UTF-8, empty when the area is known
};
using ContourMeasure = std::function<ContourMeasurement(const ProductiveHorizon &)>;

// The area computed from the coordinates differs from the typed one by more than a tenth of it.
bool areasDisagree(double computedKm2, double typedKm2);

// Every finding of the passport in the order of the pages (the documents page last), and on a page
// in the order of the rules table.
std::vector<Finding> checkPassport(const TDataModule2 &dm, const ContourMeasure &measure = {});

struct Counts
{
    int errors = 0;
    int warnings = 0;
};
Counts countFindings(const std::vector<Finding> &findings);
// «Ошибок: N, предупреждений: M» (UTF-8).
std::string summaryLine(const Counts &counts);

// The page's title as its tab shows it: "2.История", "Документы/Графика" (UTF-8).
std::string pageTitle(const Place &place);
// The title of a grid column in one line, or the caption of a record control, or the slot's list
// (UTF-8); empty when the place has none.
std::string placeDetail(const Place &place);
// "2.История, «Авторы отчета»", "7.Возможные продуктивные горизонты, «Тип УВ», строка 2" (UTF-8).
std::string placeText(const Place &place);

} // namespace completeness
} // namespace tarvena
