// The horizons compared: matched by ID (by name where the IDs differ), each matched pair column by
// column of the grids that show it, and the productive horizons' contours point by point.
#include "model/columnsets.h"
#include "model/datamodule.h"
#include "model/numberformat.h"
#include "model/passportdiff_parts.h"
#include "model/passportschema.h"
#include "storage/codepage.h"

#include <cmath>
#include <map>
#include <set>

namespace tarvena::diff {

namespace {

constexpr int kReflectingPage = 5;
constexpr int kProductivePage = 7;
constexpr int kContourPage = 11;

int gridPage(const std::string &grid)
{
    static const std::map<std::string, int> pages = {
        {"JvDBGrid1", 5}, {"JvDBGrid2", 6}, {"JvDBGrid3", 7},  {"JvDBGrid4", 8},  {"JvDBGrid5", 8},
        {"JvDBGrid6", 9}, {"JvDBGrid7", 9}, {"JvDBGrid8", 10}, {"JvDBGrid9", 10}, {"JvDBGrid10", 11}};
    const auto found = pages.find(grid);
    return found == pages.end() ? 0 : found->second;
}

// A column compared: the first grid that shows the field names it.
struct Column
{
    const Field *field;
    std::string title; // UTF-8, folded
    std::string grid;
    int page;
};

std::vector<Column> tableColumns(const MemTable &table)
{
    std::vector<Column> columns;
    std::set<std::string> seen;
    for (const std::string &grid : gridNames()) {
        const int page = gridPage(grid);
        if (page == 0 || gridTableName(grid) != table.Name())
            continue;
        for (const ColumnSpec &column : gridColumns(grid))
            if (seen.insert(column.fieldName).second)
                columns.push_back({&table.FieldByName(column.fieldName),
                                   folded(codepage::cp1251ToUtf8(column.title)), grid, page});
    }
    return columns;
}

// The columns' texts of every horizon as the grids show them, in the order readHorizons lists them.
std::vector<std::vector<std::string>> columnTexts(const MemTable &table, const std::vector<Column> &columns)
{
    std::vector<std::vector<std::string>> rows;
    table.forEachStoredRecord([&](const StoredRecordView &record) {
        auto &texts = rows.emplace_back();
        texts.reserve(columns.size());
        for (const Column &column : columns)
            texts.push_back(record.displayText(*column.field));
    });
    return rows;
}

// Who a horizon is: its ID and its name.
struct Identity
{
    std::optional<std::int64_t> id;
    std::string name;
};

// For each horizon of `is`, the one of `was` it is, or -1: the same ID first, then among those left
// the first of the same name.
std::vector<int> matchHorizons(const std::vector<Identity> &was, const std::vector<Identity> &is)
{
    std::vector<int> match(is.size(), -1);
    std::vector<bool> taken(was.size(), false);
    std::map<std::int64_t, int> byId;
    for (std::size_t i = 0; i < was.size(); ++i)
        if (was[i].id)
            byId.emplace(*was[i].id, static_cast<int>(i));
    for (std::size_t i = 0; i < is.size(); ++i) {
        if (!is[i].id)
            continue;
        const auto found = byId.find(*is[i].id);
        if (found != byId.end() && !taken[found->second] && was[found->second].name == is[i].name) {
            match[i] = found->second;
            taken[found->second] = true;
        }
    }
    // An ID kept with another name is the same horizon renamed, unless the name belongs to another.
    for (std::size_t i = 0; i < is.size(); ++i) {
        if (match[i] >= 0 || !is[i].id)
            continue;
        const auto found = byId.find(*is[i].id);
        if (found != byId.end() && !taken[found->second]) {
            match[i] = found->second;
            taken[found->second] = true;
        }
    }
    for (std::size_t i = 0; i < is.size(); ++i) {
        if (match[i] >= 0 || is[i].name.empty())
            continue;
        for (std::size_t j = 0; j < was.size(); ++j)
            if (!taken[j] && was[j].name == is[i].name) {
                match[i] = static_cast<int>(j);
                taken[j] = true;
                break;
            }
    }
    return match;
}

std::string reflectingTitle(const ReflectingHorizon &horizon, std::size_t place)
{
    return horizon.index.empty() ? "Отражающий горизонт " + std::to_string(place + 1)
                                 : "Отражающий горизонт «" + codepage::cp1251ToUtf8(horizon.index) + "»";
}

// What the comparison of one table needs of each side.
struct Side
{
    std::vector<Identity> identities;
    std::vector<std::string> titles;
    std::vector<std::vector<std::string>> texts;
};

Side reflectingSide(const MemTable &table, const std::vector<ReflectingHorizon> &horizons,
                    const std::vector<Column> &columns)
{
    Side side{{}, {}, columnTexts(table, columns)};
    for (std::size_t i = 0; i < horizons.size(); ++i) {
        side.identities.push_back({horizons[i].id, horizons[i].index});
        side.titles.push_back(reflectingTitle(horizons[i], i));
    }
    return side;
}

Side productiveSide(const MemTable &table, const std::vector<ProductiveHorizon> &horizons,
                    const std::vector<Column> &columns)
{
    Side side{{}, {}, columnTexts(table, columns)};
    for (const ProductiveHorizon &horizon : horizons) {
        side.identities.push_back({horizon.id, horizon.name});
        side.titles.push_back(horizonTitle(horizon));
    }
    return side;
}

DiffTarget horizonTarget(int page, const std::string &grid, const Identity &identity, std::size_t place)
{
    DiffTarget target = pageTarget(page, grid);
    target.horizonId = identity.id;
    target.horizonNumber = static_cast<int>(place) + 1;
    return target;
}

// Adds the lines of one table; returns the match of its horizons.
std::vector<int> compareTable(const Side &was, const Side &is, const std::vector<Column> &columns, int page,
                              const char *grid, std::vector<DiffLine> &lines)
{
    const std::vector<int> match = matchHorizons(was.identities, is.identities);
    std::vector<bool> kept(was.identities.size(), false);
    for (std::size_t i = 0; i < match.size(); ++i) {
        if (match[i] >= 0) {
            kept[match[i]] = true;
            continue;
        }
        lines.push_back(makeLine(DiffLine::Kind::Added, {diffPageCaption(page), is.titles[i]}, "добавлен",
                                 horizonTarget(page, grid, is.identities[i], i)));
    }
    for (std::size_t j = 0; j < kept.size(); ++j) {
        if (kept[j])
            continue;
        lines.push_back(makeLine(DiffLine::Kind::Removed, {diffPageCaption(page), was.titles[j]}, "удалён",
                                 pageTarget(page, grid)));
    }
    for (std::size_t i = 0; i < match.size(); ++i)
        for (std::size_t c = 0; c < columns.size() && match[i] >= 0; ++c) {
            const std::string &before = was.texts[match[i]][c];
            const std::string &after = is.texts[i][c];
            if (before == after)
                continue;
            const Column &column = columns[c];
            lines.push_back(changedLine({diffPageCaption(column.page), is.titles[i], column.title}, before,
                                        after, horizonTarget(column.page, column.grid, is.identities[i], i)));
        }
    return match;
}

bool samePoint(const StoredPoint &a, const StoredPoint &b)
{
    return a.x == b.x && a.y == b.y;
}

std::string figure(double value)
{
    return numfmt::formatFloat(ResourceFormat, value);
}

// The line of a contour whose points differ; none when they are the same. Points are aligned by
// their common beginning and end, so a point put in or taken out moves no other.
std::optional<DiffLine> compareContour(const ProductiveHorizon &was, const ProductiveHorizon &is,
                                       ContourMeasure *measure)
{
    const StoredContour &a = was.contour;
    const StoredContour &b = is.contour;
    const std::size_t shorter = std::min(a.size(), b.size());
    std::size_t head = 0;
    while (head < shorter && samePoint(a[head], b[head]))
        ++head;
    std::size_t tail = 0;
    while (tail < shorter - head && samePoint(a[a.size() - 1 - tail], b[b.size() - 1 - tail]))
        ++tail;
    const std::size_t removed = a.size() - head - tail;
    const std::size_t added = b.size() - head - tail;
    const std::size_t moved = std::min(removed, added);
    if (removed == 0 && added == 0)
        return std::nullopt;

    DiffLine line =
        makeLine(DiffLine::Kind::Contour, {diffPageCaption(kContourPage), horizonTitle(is), "Контур"}, {},
                 horizonTarget(kContourPage, "JvDBGrid14", {is.id, is.name}, 0));
    const auto count = [&](const char *what, std::size_t n) {
        if (n > 0)
            line.change += (line.change.empty() ? "" : ", ") + std::string(what) + std::to_string(n);
    };
    count("точек добавлено: ", added - moved);
    count("точек удалено: ", removed - moved);
    count("точек сдвинуто: ", moved);
    int point = static_cast<int>(head) + 1;
    if (measure && moved > 0) {
        std::optional<double> largest;
        for (std::size_t i = head; i < head + moved; ++i) {
            const std::optional<double> metres = measure->distanceMetres(was.system, a[i], is.system, b[i]);
            if (metres && std::isfinite(*metres) && (!largest || *metres > *largest)) {
                largest = metres;
                point = static_cast<int>(i) + 1;
            }
        }
        if (largest)
            line.change += "; наибольший сдвиг " + numfmt::formatFloat("#########0.0", *largest) +
                           " м (точка " + std::to_string(point) + ")";
    }
    if (measure) {
        const std::optional<double> areaWas = measure->areaKm2(was);
        const std::optional<double> areaIs = measure->areaKm2(is);
        const std::string before = areaWas ? figure(*areaWas) : "не вычислена";
        const std::string after = areaIs ? figure(*areaIs) : "не вычислена";
        if (before != after)
            line.change += "; площадь по координатам: " + before + " → " + after + " км²";
    }
    line.target.horizonNumber = is.number;
    line.target.point = std::min(point, static_cast<int>(b.size()));
    return line;
}

} // namespace

void compareHorizons(const TDataModule2 &before, const TDataModule2 &after, const Horizons &was,
                     const Horizons &is, ContourMeasure *measure, std::vector<DiffLine> &lines)
{
    const std::vector<Column> reflectingBefore = tableColumns(before.REFLECT_HORIZONTS);
    const std::vector<Column> reflectingAfter = tableColumns(after.REFLECT_HORIZONTS);
    compareTable(reflectingSide(before.REFLECT_HORIZONTS, was.reflecting, reflectingBefore),
                 reflectingSide(after.REFLECT_HORIZONTS, is.reflecting, reflectingAfter), reflectingAfter,
                 kReflectingPage, "JvDBGrid1", lines);

    const std::vector<Column> productiveBefore = tableColumns(before.POSIB_PRODUCT_HOR);
    const std::vector<Column> productiveAfter = tableColumns(after.POSIB_PRODUCT_HOR);
    const std::vector<int> match =
        compareTable(productiveSide(before.POSIB_PRODUCT_HOR, was.productive, productiveBefore),
                     productiveSide(after.POSIB_PRODUCT_HOR, is.productive, productiveAfter), productiveAfter,
                     kProductivePage, "JvDBGrid3", lines);
    for (std::size_t i = 0; i < match.size(); ++i)
        if (match[i] >= 0)
            if (auto line = compareContour(was.productive[match[i]], is.productive[i], measure))
                lines.push_back(std::move(*line));
}

} // namespace tarvena::diff
