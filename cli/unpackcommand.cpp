// The unpacking commands of tarvena-cli: a whole passport into a folder tree, or one contour into a
// workbook.
#include "cli/cliprompts.h"
#include "cli/commands.h"
#include "exchange/unpacking/contoursheet.h"
#include "exchange/unpacking/unpack.h"
#include "exchange/workbooks/sheetwriter.h"
#include "model/datamodule.h"
#include "model/numberformat.h"
#include "model/passportsession.h"
#include "storage/error.h"

namespace tarvena::cli {

namespace {

// The passport opened as the program opens it.
void openPassport(TDataModule2 &dm, const Options &options)
{
    dm.DataModuleCreate(options.dictionaries);
    PassportSession(dm).open(options.positional.at(1));
}

} // namespace

int unpackCommand(const Options &options)
{
    CliPrompts prompts;
    TDataModule2 dm(&prompts);
    openPassport(dm, options);
    unpackPassport(dm, options.positional.at(2), options.engine != "calc");
    return 0;
}

int exportContourCommand(const Options &options)
{
    CliPrompts prompts;
    TDataModule2 dm(&prompts);
    openPassport(dm, options);
    MemTable &horizons = dm.POSIB_PRODUCT_HOR;
    horizons.SetFiltered(false);
    const std::string &number = options.positional.at(2);
    const std::optional<long long> n = numfmt::parseInteger(number);
    if (!n || *n < 1 || *n > horizons.RecordCount())
        throw Error("Нет возможного продуктивного горизонта с номером " + number + ": в паспорте их " +
                    std::to_string(horizons.RecordCount()) + ".");
    horizons.SetRecNo(static_cast<int>(*n));
    SheetWriter writer;
    exportContour(writer, dm, options.positional.at(3));
    return 0;
}

} // namespace tarvena::cli
