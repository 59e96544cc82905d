#include "exchange/gis/passportregister.h"

#include "exchange/gis/registerpassport.h"
#include "exchange/gis/registerrow.h"
#include "exchange/gis/vectorfile.h"
#include "exchange/workbooks/outputfile.h"
#include "exchange/workbooks/sheetwriter.h"
#include "model/datamodule.h"
#include "model/horizons.h"
#include "storage/codepage.h"
#include "storage/error.h"

#include <algorithm>
#include <filesystem>
#include <memory>

namespace tarvena::gis {

namespace fs = std::filesystem;

namespace {

// The largest number of rows of an Excel 97 sheet, the heading among them.
constexpr std::size_t WorkbookRows = 65536;

// Where the rows go: a GeoPackage as they come, or a workbook at the end.
class RegisterWriter
{
public:
    virtual ~RegisterWriter() = default;
    virtual void addRow(const std::vector<AttributeValue> &row) = 0;
    virtual void addContours(const std::string &, TDataModule2 &, const std::vector<ProductiveHorizon> &) {}
    virtual void finish() = 0;
    int contours = 0;
};

class GeoPackageRegister : public RegisterWriter
{
public:
    GeoPackageRegister(const std::string &path, const RegisterOptions &options)
        : mFile(path, GisFormat::GeoPackage), mOptions(options), mCrs(registerCrs(options.crs)),
          mPassports(mFile.addLayer("passports", std::nullopt, registerLayerAttributes())),
          mContours(mFile.addLayer("contours", mCrs, contourLayerAttributes()))
    {}
    void addRow(const std::vector<AttributeValue> &row) override { mPassports.add(row, nullptr); }
    void addContours(const std::string &fileName, TDataModule2 &dm,
                     const std::vector<ProductiveHorizon> &horizons) override
    {
        contours += addRegisterContours(mContours, mCrs, mOptions, dm, fileName, horizons);
    }
    void finish() override { mFile.commit(); }

private:
    VectorFile mFile;
    const RegisterOptions &mOptions;
    int mCrs;
    VectorLayer &mPassports;
    VectorLayer &mContours;
};

class WorkbookRegister : public RegisterWriter
{
public:
    explicit WorkbookRegister(const std::string &path) : mPath(path) {}
    void addRow(const std::vector<AttributeValue> &row) override
    {
        std::vector<std::string> cells;
        for (const AttributeValue &value : row)
            cells.push_back(registerCellText(value));
        mRows.push_back(std::move(cells));
    }
    void finish() override
    {
        SheetWriter writer;
        writer.UseExcel = true;
        writer.BeginSpreadsheet(mPath);
        const std::vector<RegisterColumn> &columns = registerColumns();
        for (std::size_t c = 0; c < columns.size(); ++c) {
            const int column = static_cast<int>(c + 1);
            writer.SetColumnWidthChars(column, c == 0 || c + 1 == columns.size() ? 40 : 20);
            writer.WriteCell(column, 1, codepage::utf8ToCp1251(columns[c].caption), true);
        }
        int row = 2;
        for (const std::vector<std::string> &cells : mRows) {
            for (std::size_t c = 0; c < cells.size(); ++c)
                writer.WriteCell(static_cast<int>(c + 1), row, cells[c], false);
            ++row;
        }
        writer.FinishSpreadsheet();
    }

private:
    std::string mPath;
    std::vector<std::vector<std::string>> mRows;
};

std::unique_ptr<RegisterWriter> registerWriter(const std::string &path, const RegisterOptions &options,
                                               std::size_t passports)
{
    std::string extension = pathToUtf8(pathFromUtf8(path).extension());
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    if (extension == ".gpkg")
        return std::make_unique<GeoPackageRegister>(path, options);
    if (extension != ".xls")
        throw Error("Реестр записывается в файл .gpkg или .xls, а не в " + path + ".");
    if (passports + 1 > WorkbookRows)
        throw Error(
            "Реестр из " + std::to_string(passports) +
            " паспортов не помещается на лист Excel 97 (не более 65535 строк): запишите его в .gpkg.");
    return std::make_unique<WorkbookRegister>(path);
}

} // namespace

RegisterResult writePassportRegister(TDataModule2 &dm, const std::string &folder, const std::string &path,
                                     const RegisterOptions &options)
{
    checkSettings(options.crs);
    const std::vector<PassportFile> files = passportFiles(folder);
    const std::unique_ptr<RegisterWriter> writer = registerWriter(path, options, files.size());
    RegisterResult result;
    const fs::path root = pathFromUtf8(folder);
    for (const PassportFile &file : files) {
        // A passport that fails to read is a row; a file that fails to write ends the register.
        const RegisterEntry entry = readRegisterEntry(dm, root, file);
        writer->addRow(entry.row);
        if (entry.read)
            writer->addContours(file.path, dm, entry.horizons);
        else
            ++result.unreadable;
        ++result.passports;
        if (options.progress)
            options.progress(result.passports, files.size());
    }
    writer->finish();
    result.contours = writer->contours;
    return result;
}

} // namespace tarvena::gis
