#include "model/completeness.h"

#include "model/columnsets.h"
#include "model/completeness_checks.h"
#include "model/numberformat.h"
#include "model/passportschema.h"
#include "model/recordfields.h"
#include "storage/codepage.h"

#include <algorithm>

namespace tarvena::completeness {

namespace {

std::string oneLine(std::string text)
{
    std::string line;
    for (char c : text) {
        if (c == '\n')
            c = ' ';
        if (c == ' ' && (line.empty() || line.back() == ' '))
            continue;
        line += c;
    }
    while (!line.empty() && line.back() == ' ')
        line.pop_back();
    return line;
}

std::string fill(const char *pattern, std::initializer_list<std::string> particulars)
{
    std::string text = pattern;
    int n = 1;
    for (const std::string &particular : particulars) {
        const std::string mark = "{" + std::to_string(n++) + "}";
        if (const auto at = text.find(mark); at != std::string::npos)
            text.replace(at, mark.size(), particular);
    }
    return text;
}

// The order of the places: the table pages in theirs, the documents page after them.
int pageOrder(const Place &place)
{
    return place.kind == PlaceKind::DocumentSlot ? kTablePageCount : pageIndex(place.page);
}

} // namespace

void FindingList::add(Check check, std::initializer_list<std::string> particulars, int row)
{
    const Rule &row0 = rule(check);
    add(check, particulars, place(check, row0.object ? row0.object : "", row0.field ? row0.field : "", row));
}

void FindingList::add(Check check, std::initializer_list<std::string> particulars, Place place)
{
    const Rule &row = rule(check);
    findings.push_back({check, row.severity, fill(row.message, particulars), std::move(place)});
}

Place FindingList::place(Check check, const std::string &object, const std::string &field, int row) const
{
    const Rule &rule = completeness::rule(check);
    Place place;
    place.kind = rule.kind;
    place.page = rule.page;
    place.object = object;
    place.field = field;
    place.row = row;
    return place;
}

std::string numberText(double value)
{
    return numfmt::formatFloat(ResourceFormat, value);
}

std::vector<Finding> checkPassport(const TDataModule2 &dm, const ContourMeasure &measure)
{
    FindingList list;
    const Horizons horizons = readHorizons(dm);
    checkRecord(dm, list);
    checkHorizons(dm, horizons, list);
    checkContours(horizons, measure, list);
    checkDocuments(dm, list);
    std::stable_sort(list.findings.begin(), list.findings.end(), [](const Finding &a, const Finding &b) {
        return pageOrder(a.place) < pageOrder(b.place);
    });
    return std::move(list.findings);
}

std::string pageTitle(const Place &place)
{
    if (place.kind == PlaceKind::DocumentSlot)
        return kDocumentsPageTitle;
    return tablePageTitle(place.page);
}

std::string placeDetail(const Place &place)
{
    switch (place.kind) {
    case PlaceKind::Control:
        for (const RecordGroupInfo &group : recordGroups())
            for (const RecordField &row : group.fields)
                if (place.object == row.control)
                    return oneLine(std::string(sheetCaption(row)));
        return "";
    case PlaceKind::GridCell:
        for (const std::string &grid : gridNames()) {
            if (grid != place.object)
                continue;
            for (const ColumnSpec &column : gridColumns(grid))
                if (column.fieldName == place.field)
                    return oneLine(codepage::cp1251ToUtf8(column.title));
        }
        return "";
    case PlaceKind::DocumentSlot:
        return place.list == SlotList::Documents ? "Документы" : "Графика";
    }
    return "";
}

std::string placeText(const Place &place)
{
    std::string text = pageTitle(place);
    const std::string detail = placeDetail(place);
    if (!detail.empty())
        text += ", «" + detail + "»";
    if (place.row >= 0)
        text += ", строка " + std::to_string(place.row + 1);
    return text;
}

} // namespace tarvena::completeness
