#include "model/contourimport.h"

#include "model/coordinates.h"
#include "model/numberformat.h"
#include "storage/codepage.h"
#include "storage/error.h"

#include <cmath>
#include <optional>

namespace tarvena {

namespace {

const char *const kNotDone = "Ввод не выполнен!";
const char *const kChooseSystem = "Укажите тип координат.";
const char *const kOutsideRussia = "Координаты не соответствуют территории России.";
const char *const kWrongSystem = " Ошибка!  Неверно указан тип координат. ";
const char *const kUnchanged = " Контур горизонта не изменён.";
const char *const kDamaged = "Текст с координатами повреждён: в строке нет долготы или широты, а после неё "
                             "идут другие строки с данными. Импорт отменён.";

// Lines named in a message, the rest counted.
constexpr std::size_t kLinesNamed = 10;
// Characters of a refused line quoted in a message.
constexpr std::size_t kQuoted = 80;

bool isDelimiter(char c)
{
    return c == '\t' || c == ' ' || c == ',' || c == ';';
}

// The two words of a point as numbers, or nullopt when either is not a number of the system.
struct Words
{
    std::string_view x, y;
};

std::optional<double> number(std::string_view text)
{
    return numfmt::parseFloat(text);
}

std::string quoted(std::string_view line)
{
    return "«" + visibleText(line, kQuoted) + "»";
}

// Each line named with what is wrong in it, up to kLinesNamed of them, the rest counted.
std::string lineList(const std::vector<BadNumberLine> &lines)
{
    std::string text;
    for (std::size_t i = 0; i < lines.size() && i < kLinesNamed; ++i)
        text += (i ? "\n" : "") + std::string("Строка ") + std::to_string(lines[i].line) + ": " +
                lines[i].reason + ".";
    if (lines.size() > kLinesNamed)
        text += "\nИ ещё строк с ошибками: " + std::to_string(lines.size() - kLinesNamed) + ".";
    return text;
}

// Whether a line after the one at index holds a word, up to end.
bool wordsFollow(const std::vector<std::string_view> &lines, std::size_t index, std::size_t end)
{
    for (std::size_t i = index + 1; i < end; ++i)
        if (!columnWord(lines[i], 1).empty())
            return true;
    return false;
}

std::string stoppedAt(const ContourImportResult &result)
{
    return "Строка " + std::to_string(result.stopLine) + ": " + quoted(result.stopText) + "." + kUnchanged;
}

} // namespace

std::vector<std::string_view> textLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\r' && c != '\n')
            continue;
        lines.push_back(text.substr(start, i - start));
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.push_back(text.substr(start));
    return lines;
}

std::string_view columnWord(std::string_view line, int column)
{
    if (column < 1)
        return {};
    std::size_t i = 0;
    for (int word = 1;; ++word) {
        while (i < line.size() && isDelimiter(line[i]))
            ++i;
        if (i == line.size())
            return {};
        const std::size_t start = i;
        while (i < line.size() && !isDelimiter(line[i]))
            ++i;
        if (word == column)
            return line.substr(start, i - start);
    }
}

bool CheckTerritory(int kind, double x, double y)
{
    switch (kind) {
    case 1:
        return 19.62 <= x && x <= 191.02 && 41.17 <= y && y <= 81.85;
    case 2: {
        const double zone = std::trunc(x * 0.000001);
        const double easting = x - zone * 1000000;
        const bool zoneKnown = zone == 1 || zone == 2 || (zone >= 34 && zone <= 60);
        return zoneKnown && 243000 <= easting && easting <= 756000 && 4563000 <= y && y <= 9089000;
    }
    case 3: {
        const double zone = std::trunc(x * 0.000001);
        const double easting = x - zone * 1000000;
        bool inZone = false;
        if (zone == 4)
            inZone = 411000 <= easting && easting <= 756000;
        else if (zone >= 5 && zone <= 31)
            inZone = 243000 <= easting && easting <= 756500;
        else if (zone == 32)
            inZone = 243000 <= easting && easting <= 593000;
        return inZone && 4564000 <= y && y <= 9092000;
    }
    default:
        return false;
    }
}

ContourImportResult readContour(const std::vector<std::string_view> &lines,
                                const ContourImportSettings &settings)
{
    if (settings.startLine < 1)
        throw Error("Импорт начинается со строки 1 или дальше; указана строка " +
                    std::to_string(settings.startLine) + ".");
    if (settings.lineCount < 0)
        throw Error("Число обрабатываемых строк не может быть отрицательным (указано " +
                    std::to_string(settings.lineCount) + ").");
    ContourImportResult result;
    const std::size_t first = static_cast<std::size_t>(settings.startLine) - 1;
    const std::size_t limit =
        settings.lineCount == 0 ? lines.size() : static_cast<std::size_t>(settings.lineCount);
    // Mercator always takes the zone from the zone list.
    ContourImportSettings zoned = settings;
    if (settings.system == CoordMercator)
        zoned.zoneGiven = true;

    const std::size_t end = first < lines.size() ? first + std::min(limit, lines.size() - first) : first;
    for (std::size_t i = first; i < end; ++i) {
        const std::string_view line = lines[i];
        const Words words{columnWord(line, settings.xColumn), columnWord(line, settings.yColumn)};
        const int lineNumber = static_cast<int>(i + 1);
        const auto stopHere = [&](ImportStop stop) {
            result.stop = stop;
            result.stopLine = lineNumber;
            result.stopText = std::string(line.substr(0, kQuoted + 1));
        };
        if (words.x.empty() || words.y.empty()) {
            if (wordsFollow(lines, i, end))
                stopHere(ImportStop::Damaged);
            return result;
        }
        std::optional<double> x, y;
        std::string xText(words.x); // the text read as X: with the zone before it where one is given
        int kind = 0;
        switch (settings.system) {
        case CoordNone:
            stopHere(ImportStop::NoSystem);
            return result;
        case CoordDegMinSec:
            try {
                x = ParseDegMinSec(words.x);
                y = ParseDegMinSec(words.y);
            } catch (const Error &error) {
                stopHere(ImportStop::BadDegMinSec);
                result.stopError = error.what();
                return result;
            }
            kind = 1;
            break;
        case CoordDecimalDegrees:
            x = number(words.x);
            y = number(words.y);
            kind = 1;
            break;
        case CoordMercator:
        case CoordGaussKruger:
            if (zoned.zoneGiven)
                xText = zoned.zone + xText;
            x = number(xText);
            y = number(words.y);
            kind = settings.system == CoordMercator ? 2 : 3;
            break;
        default:
            continue; // a system the import does not know adds nothing
        }
        if (!x || !y) {
            result.badNumberLines.push_back(
                {lineNumber, notANumberText(x ? words.y : std::string_view(xText))});
            continue;
        }
        if (!CheckTerritory(kind, *x, *y)) {
            stopHere(ImportStop::OutsideTerritory);
            return result;
        }
        result.points.push_back({*x, *y});
    }
    if (result.points.empty() && !result.badNumberLines.empty()) {
        result.stop = ImportStop::NothingRead;
        result.stopLine = result.badNumberLines.front().line;
        result.stopText = std::string(lines[std::size_t(result.stopLine - 1)].substr(0, kQuoted + 1));
    }
    return result;
}

std::optional<ImportZoneControls> importZoneControls(int system)
{
    ImportZoneControls controls;
    const auto zonesFrom = [&controls](int first, int last) {
        for (int zone = first; zone <= last; ++zone)
            controls.zones.push_back(std::to_string(zone));
    };
    switch (system) {
    case CoordDegMinSec:
    case CoordDecimalDegrees:
        return controls;
    case CoordMercator:
        controls.zoneListEnabled = true;
        zonesFrom(34, 60);
        zonesFrom(1, 2);
        return controls;
    case CoordGaussKruger:
        controls.zoneListEnabled = true;
        controls.zoneInCoordinatesEnabled = true;
        zonesFrom(4, 32);
        return controls;
    default:
        return std::nullopt;
    }
}

std::vector<ImportNotice> importNotices(const ContourImportResult &result)
{
    std::vector<ImportNotice> notices;
    if (!result.badNumberLines.empty()) {
        std::string text = kWrongSystem + std::string("\n") + lineList(result.badNumberLines);
        if (result.stop == ImportStop::NothingRead)
            text += kUnchanged;
        notices.push_back({ImportNotice::Message, {}, text});
    }
    switch (result.stop) {
    case ImportStop::None:
    case ImportStop::NothingRead:
        break;
    case ImportStop::NoSystem:
        notices.push_back({ImportNotice::Warning, kNotDone, kChooseSystem, true});
        break;
    case ImportStop::OutsideTerritory:
        notices.push_back(
            {ImportNotice::Warning, kNotDone, kOutsideRussia + std::string("\n") + stoppedAt(result), true});
        break;
    case ImportStop::Damaged:
        notices.push_back(
            {ImportNotice::Warning, kNotDone, kDamaged + std::string("\n") + stoppedAt(result), true});
        break;
    case ImportStop::BadDegMinSec:
        notices.push_back({ImportNotice::Error, {}, result.stopError + "\n" + stoppedAt(result)});
        break;
    }
    return notices;
}

} // namespace tarvena
