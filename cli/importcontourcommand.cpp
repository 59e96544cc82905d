// tarvena-cli import-contour: the contour page's import without the dialog. The points of a text file
// replace the contour of one productive horizon, read in the coordinate system given, and the
// passport is saved; the import's messages go to standard error.
#include "cli/cliprompts.h"
#include "cli/commands.h"
#include "exchange/unpacking/contourscheme.h"
#include "model/contourpoints.h"
#include "model/coordinates.h"
#include "model/datamodule.h"
#include "model/numberformat.h"
#include "model/passportsession.h"
#include "storage/codepage.h"
#include "storage/error.h"
#include "storage/platformfile.h"

#include <algorithm>
#include <climits>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <sstream>

namespace tarvena::cli {

namespace {

const char *const kValueOptions[] = {"--system", "--start", "--count", "--x", "--y", "--zone"};

std::optional<std::string> optionValue(const Options &options, const std::string &name)
{
    std::optional<std::string> value;
    for (const auto &[option, given] : options.contourImport) {
        if (option == name)
            value = given;
    }
    return value;
}

int wholeOption(const Options &options, const std::string &name, int fallback, int minimum)
{
    const std::optional<std::string> text = optionValue(options, name);
    if (!text)
        return fallback;
    const std::optional<long long> value = numfmt::parseInteger(*text);
    if (!value || *value < minimum || *value > 2147483647)
        throw Error("Неверное значение " + name + ": \"" + *text + "\" (нужно целое число не меньше " +
                    std::to_string(minimum) + ").");
    return static_cast<int>(*value);
}

std::string readText(const std::string &path)
{
    std::ifstream in(platform::pathFromUtf8(path), std::ios::binary);
    if (!in)
        throw Error("Не удалось открыть файл с координатами \"" + path + "\".");
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad())
        throw Error("Не удалось прочитать файл с координатами \"" + path + "\".");
    return text.str();
}

void selectHorizon(TDataModule2 &dm, const std::string &number)
{
    MemTable &horizons = dm.POSIB_PRODUCT_HOR;
    horizons.SetFiltered(false);
    const std::optional<long long> n = numfmt::parseInteger(number);
    if (!n || *n < 1 || *n > horizons.RecordCount())
        throw Error("Нет возможного продуктивного горизонта с номером " + number + ": в паспорте их " +
                    std::to_string(horizons.RecordCount()) + ".");
    horizons.SetRecNo(static_cast<int>(*n));
}

ContourImportSettings importSettings(const Options &options)
{
    ContourImportSettings settings;
    if (!optionValue(options, "--system"))
        throw Error("Укажите тип координат: --system 1, 2, 3 или 4.");
    settings.system = wholeOption(options, "--system", 0, 0);
    if (settings.system > CoordGaussKruger)
        throw Error("Нет типа координат " + std::to_string(settings.system) +
                    ": типы координат 1, 2, 3 и 4.");
    // The import itself refuses a start line below 1 and a negative count, in its own words.
    settings.startLine = wholeOption(options, "--start", 1, INT_MIN);
    settings.lineCount = wholeOption(options, "--count", 0, INT_MIN);
    settings.xColumn = wholeOption(options, "--x", 1, 1);
    settings.yColumn = wholeOption(options, "--y", 2, 1);
    const std::optional<std::string> zone = optionValue(options, "--zone");
    settings.zoneGiven = zone.has_value();
    settings.zone = codepage::utf8ToCp1251(zone.value_or(std::string()));
    if (settings.system == CoordMercator && !zone)
        throw Error("Для проекции Меркатора укажите номер зоны: --zone 1, 2 или 34 … 60.");
    return settings;
}

} // namespace

bool isContourImportOption(const std::string &arg)
{
    return std::find(std::begin(kValueOptions), std::end(kValueOptions), arg) != std::end(kValueOptions);
}

int importContourCommand(const Options &options)
{
    const ContourImportSettings settings = importSettings(options);
    const std::string &passport = options.positional.at(1);
    const std::string text = readText(options.positional.at(3));

    CliPrompts prompts;
    TDataModule2 dm(&prompts);
    dm.DataModuleCreate(options.dictionaries);
    PassportSession session(dm);
    session.open(passport);
    selectHorizon(dm, options.positional.at(2));
    MemTable &horizons = dm.POSIB_PRODUCT_HOR;
    horizons.Edit();
    horizons.FieldByName("KONTURKOORDTYPE").SetAsInteger(settings.system);
    horizons.Post();

    const ContourImportResult result = importContour(dm, text, settings);
    for (const ImportNotice &notice : importNotices(result))
        std::cerr << (notice.caption.empty() ? "" : notice.caption + ": ") << notice.text << "\n";
    if (!result.complete())
        return 1;
    // The page redraws after an import, which sets every horizon's point count right.
    redrawContours(dm);
    session.save(passport);
    // The contour page goes on past a line that is no number; a script learns of it by the status.
    if (!result.badNumberLines.empty()) {
        std::cerr << "Пропущено строк: " << result.badNumberLines.size()
                  << "; импортировано точек: " << result.points.size() << ", паспорт сохранён.\n";
        return 1;
    }
    return 0;
}

} // namespace tarvena::cli
