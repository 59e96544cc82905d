#include "model/passportdiff.h"

#include "model/datamodule.h"
#include "model/passportdiff_parts.h"
#include "model/passportsession.h"
#include "model/tablepage.h"
#include "storage/codepage.h"
#include "storage/error.h"

#include <algorithm>
#include <iterator>

namespace tarvena {

namespace diff {

std::string shown(const std::string &text)
{
    return text.empty() ? std::string("(пусто)") : codepage::cp1251ToUtf8(text);
}

std::string folded(const std::string &utf8)
{
    std::string result;
    for (char c : utf8) {
        const bool blank = c == ' ' || c == '\n' || c == '\r' || c == '\t';
        if (!blank)
            result += c;
        else if (!result.empty() && result.back() != ' ')
            result += ' ';
    }
    while (!result.empty() && (result.back() == ' ' || result.back() == ':'))
        result.pop_back();
    return result;
}

DiffTarget pageTarget(int page, std::string control)
{
    DiffTarget target;
    target.page = page;
    target.control = std::move(control);
    return target;
}

DiffLine makeLine(DiffLine::Kind kind, std::vector<std::string> path, std::string change, DiffTarget target)
{
    DiffLine line;
    line.kind = kind;
    line.path = std::move(path);
    line.change = std::move(change);
    line.target = std::move(target);
    return line;
}

DiffLine changedLine(std::vector<std::string> path, const std::string &before, const std::string &after,
                     DiffTarget target)
{
    DiffLine line;
    line.path = std::move(path);
    line.before = shown(before);
    line.after = shown(after);
    line.change = line.before + " → " + line.after;
    line.target = std::move(target);
    return line;
}

} // namespace diff

std::string DiffLine::text() const
{
    std::string result;
    for (const std::string &part : path)
        result += (result.empty() ? "" : " / ") + part;
    return result + ": " + change;
}

std::string diffPageCaption(int page)
{
    if (page == kDocumentsPage)
        return kDocumentsPageTitle;
    if (page < 1 || page > kTablePageCount)
        throw Error("Нет страницы паспорта с номером " + std::to_string(page) + ".");
    return tablePageTitle(static_cast<TablePage>(page - 1));
}

PassportDiff comparePassports(const TDataModule2 &before, const TDataModule2 &after, ContourMeasure *measure)
{
    const Horizons was = readHorizons(before);
    const Horizons is = readHorizons(after);
    PassportDiff result;
    diff::compareRecord(before, after, result.lines);
    diff::compareHorizons(before, after, was, is, measure, result.lines);
    diff::compareAttachments(before, after, was, is, result.lines);
    // Each part lists its pages in order; the record's last page comes after the horizons' pages.
    std::stable_sort(result.lines.begin(), result.lines.end(),
                     [](const DiffLine &a, const DiffLine &b) { return a.target.page < b.target.page; });
    return result;
}

std::unique_ptr<TDataModule2> openPassportToCompare(const TDataModule2 &like, const std::string &path)
{
    auto dm = std::make_unique<TDataModule2>(like.prompts());
    dm->DataModuleCreate(like.dictionaryFolder());
    PassportSession(*dm).open(path);
    return dm;
}

} // namespace tarvena
