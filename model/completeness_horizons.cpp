// The passport check of the horizons: the reflecting horizons the preparation method needs, the
// productive horizons with their type, area and computed resources, their probabilistic figures, and
// whether a horizon's type agrees with the resources computed for it.
#include "model/completeness_checks.h"
#include "model/datamodule.h"
#include "model/geologysummary.h"
#include "model/horizonfields.h"
#include "model/pagechecks.h"
#include "model/probabilisticinputs.h"
#include "storage/codepage.h"

#include <algorithm>

namespace tarvena::completeness {

namespace {

// What a product's pages show: its deterministic grid and figures, its probabilistic grid and figures,
// and the counting parameters its figures are computed from.
struct ProductPages
{
    Product product;
    ResourceFluid fluid;
    const char *genitive; // "нефти"
    TablePage page;
    const char *grid;
    const char *probableGrid;
    std::vector<std::optional<double> ResourceResults::*> figures;
    std::vector<ProbableFigures ProbableResources::*> probable;
    std::vector<const char *> inputs;
};

std::vector<const char *> inputFields(std::size_t first, std::size_t last)
{
    std::vector<const char *> fields;
    for (std::size_t i = first; i <= last; ++i)
        fields.push_back(horizonfields::Inputs[i].name);
    return fields;
}

const std::vector<ProductPages> &productPages()
{
    // Inputs 0-8 count the oil, 9-17 the gas; the condensate needs the gas and its own two (18, 19).
    static const std::vector<ProductPages> pages = {
        {Product::Oil,
         ResourceFluid::Oil,
         "нефти",
         TablePage::OilResources,
         "JvDBGrid4",
         "JvDBGrid5",
         {&ResourceResults::balanceOil, &ResourceResults::recoverableOil, &ResourceResults::dissolvedGas},
         {&ProbableResources::balanceOil, &ProbableResources::recoverableOil,
          &ProbableResources::dissolvedGas},
         inputFields(0, 8)},
        {Product::Gas,
         ResourceFluid::Gas,
         "газа",
         TablePage::GasResources,
         "JvDBGrid6",
         "JvDBGrid7",
         {&ResourceResults::initialGas, &ResourceResults::balanceGas},
         {&ProbableResources::initialGas, &ProbableResources::balanceGas},
         inputFields(9, 17)},
        {Product::Condensate,
         ResourceFluid::Condensate,
         "газоконденсата",
         TablePage::CondensateResources,
         "JvDBGrid8",
         "JvDBGrid9",
         {&ResourceResults::balanceCondensate, &ResourceResults::recoverableCond},
         {&ProbableResources::recoverableCondensate},
         inputFields(9, 19)},
    };
    return pages;
}

std::optional<double> inputValue(const ProductiveHorizon &horizon, const char *field)
{
    for (const auto &input : horizonfields::Inputs)
        if (std::string_view(input.name) == field)
            return horizon.parameters.*input.member;
    return std::nullopt;
}

// The stored fields of each record of a table, in the order readHorizons lists them.
std::vector<std::vector<Value>> storedColumns(const MemTable &table,
                                              std::initializer_list<const char *> names)
{
    std::vector<const Field *> fields;
    for (const char *name : names)
        fields.push_back(&table.FieldByName(name));
    std::vector<std::vector<Value>> rows;
    table.forEachStoredRecord([&](const StoredRecordView &view) {
        std::vector<Value> row;
        for (const Field *field : fields)
            row.push_back(view.value(*field));
        rows.push_back(std::move(row));
    });
    return rows;
}

bool filled(const Value &value)
{
    if (const auto *text = std::get_if<std::string>(&value))
        return std::any_of(text->begin(), text->end(), [](char c) { return c != ' '; });
    if (const auto *key = std::get_if<std::int64_t>(&value))
        return *key != 0;
    return !std::holds_alternative<std::monostate>(value);
}

void checkReflecting(const TDataModule2 &dm, FindingList &list)
{
    const auto rows =
        storedColumns(dm.REFLECT_HORIZONTS, {"INDEXOG", "STRATIGR_ID", "STRATIGR_DOP", "SCALE"});
    if (rows.empty() && pagechecks::horizonsRequired(dm))
        list.add(Check::NoReflectingHorizons, {});
    for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
        const auto &values = rows[std::size_t(row)];
        const std::string name = filled(values[0])
                                     ? "«" + codepage::cp1251ToUtf8(std::get<std::string>(values[0])) + "»"
                                     : "в строке " + std::to_string(row + 1);
        if (!filled(values[0]))
            list.add(Check::ReflectingIndex, {name}, row);
        if (!filled(values[1]) && !filled(values[2]))
            list.add(Check::ReflectingUnit, {name}, row);
        if (!filled(values[3]))
            list.add(Check::ReflectingScale, {name}, row);
    }
}

// The horizon's row on a page that shows the horizons carrying product.
int rowOnPage(const Horizons &horizons, std::size_t index, Product product)
{
    return static_cast<int>(
        std::count_if(horizons.productive.begin(), horizons.productive.begin() + long(index),
                      [&](const ProductiveHorizon &h) { return carries(h.fluid, product); }));
}

void checkResources(const ProductiveHorizon &horizon, int pageRow, const ProductPages &pages,
                    FindingList &list)
{
    const std::string title = horizonTitle(horizon);
    const bool computed = std::all_of(pages.figures.begin(), pages.figures.end(),
                                      [&](auto member) { return (horizon.computed.*member).has_value(); });
    if (!computed) {
        std::string missing;
        const char *firstMissing = nullptr;
        for (const char *field : pages.inputs) {
            if (inputValue(horizon, field))
                continue;
            firstMissing = firstMissing ? firstMissing : field;
            Place column{PlaceKind::GridCell, pages.page, pages.grid, field};
            if (placeDetail(column).empty())
                column = {PlaceKind::GridCell, TablePage::GasResources, "JvDBGrid6", field};
            missing += (missing.empty() ? ", не заполнено: " : "; ") + placeDetail(column);
        }
        Place place =
            list.place(Check::ResourcesNotComputed, pages.grid, firstMissing ? firstMissing : "", pageRow);
        place.page = pages.page;
        if (placeDetail(place).empty())
            place.field = pages.inputs.back();
        list.add(Check::ResourcesNotComputed, {title, pages.genitive, missing}, place);
    }

    const bool probable = std::all_of(pages.probable.begin(), pages.probable.end(), [&](auto member) {
        return (horizon.probable.*member).probable.has_value();
    });
    if (probable)
        return;
    std::string missing;
    for (const ParameterRange &range : probabilisticInputs(pages.fluid, horizon).parameters)
        if (range.ranged && (!range.min || !range.max))
            missing +=
                (missing.empty() ? ": не заполнены " : "; ") + range.minTitle + " или " + range.maxTitle;
    if (missing.empty())
        return;
    const auto &first =
        std::find_if(horizonfields::Probable.begin(), horizonfields::Probable.end(),
                     [&](const auto &entry) { return entry.member == pages.probable.front(); });
    Place place = list.place(Check::ProbableFigures, pages.probableGrid, first->probable, pageRow);
    place.page = pages.page;
    list.add(Check::ProbableFigures, {title, pages.genitive, missing}, place);
}

// A horizon whose type does not carry a product that still has figures of it.
void checkFluidFigures(const ProductiveHorizon &horizon, int row, FindingList &list)
{
    if (horizon.fluid == Fluid::None)
        return;
    std::string foreign;
    for (const ProductPages &pages : productPages()) {
        if (carries(horizon.fluid, pages.product))
            continue;
        const bool any = std::any_of(pages.figures.begin(), pages.figures.end(),
                                     [&](auto member) { return (horizon.computed.*member).has_value(); });
        if (any)
            foreign += (foreign.empty() ? "" : ", ") + std::string(pages.genitive);
    }
    if (!foreign.empty())
        list.add(Check::FluidFigures,
                 {horizonTitle(horizon), codepage::cp1251ToUtf8(horizon.fluidName), foreign}, row);
}

void checkProductive(const TDataModule2 &dm, const Horizons &horizons, FindingList &list)
{
    if (horizons.productive.empty())
        list.add(Check::NoProductiveHorizons, {});
    const auto units = storedColumns(dm.POSIB_PRODUCT_HOR, {"STRATIGR_ID", "STRATIGR_DOP"});
    for (std::size_t i = 0; i < horizons.productive.size(); ++i) {
        const ProductiveHorizon &horizon = horizons.productive[i];
        const int row = static_cast<int>(i);
        const std::string title = horizonTitle(horizon);
        if (i < units.size() && !filled(units[i][0]) && !filled(units[i][1]))
            list.add(Check::ProductiveUnit, {title}, row);
        if (horizon.fluid == Fluid::None)
            list.add(Check::ProductiveFluid, {title}, row);
        if (!horizon.typedArea)
            list.add(Check::ProductiveArea, {title}, row);
        checkFluidFigures(horizon, row, list);
        for (const ProductPages &pages : productPages())
            if (carries(horizon.fluid, pages.product))
                checkResources(horizon, rowOnPage(horizons, i, pages.product), pages, list);
    }
    const ResourceSummary summary = summarizeResources(horizons);
    if (summary.oil.deterministic == 0 && summary.dissolvedGas.deterministic == 0 &&
        summary.gas.deterministic == 0 && summary.condensate.deterministic == 0)
        list.add(Check::NoResources, {});
}

} // namespace

void checkHorizons(const TDataModule2 &dm, const Horizons &horizons, FindingList &list)
{
    checkReflecting(dm, list);
    checkProductive(dm, horizons, list);
}

} // namespace tarvena::completeness
