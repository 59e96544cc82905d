#include "exchange/gis/passportregister.h"

#include "exchange/core/outputfile.h"
#include "exchange/core/sheetwriter.h"
#include "exchange/gis/horizonrecords.h"
#include "exchange/gis/registerrow.h"
#include "exchange/gis/vectorfile.h"
#include "model/datamodule.h"
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

std::vector<Attribute> registerAttributes()
{
    std::vector<Attribute> attributes;
    for (const RegisterColumn &column : registerColumns())
        attributes.push_back(column.attribute);
    return attributes;
}

// The contours' attributes, after the file name that joins them to their passport's row.
std::vector<Attribute> contourLayerAttributes()
{
    std::vector<Attribute> attributes = {{"FILENAME", "FILENAME", AttributeType::Text}};
    for (const Attribute &attribute : contourAttributes())
        attributes.push_back(attribute);
    return attributes;
}

// Where the rows go: a GeoPackage as they come, or a workbook at the end.
class RegisterWriter
{
public:
    virtual ~RegisterWriter() = default;
    virtual void addRow(const std::vector<AttributeValue> &row) = 0;
    virtual void addContours(const std::string &, TDataModule2 &, const std::vector<HorizonRecord> &) {}
    virtual void finish() = 0;
    int contours = 0;
};

class GeoPackageRegister : public RegisterWriter
{
public:
    GeoPackageRegister(const std::string &path, const RegisterOptions &options)
        : mFile(path, GisFormat::GeoPackage), mOptions(options),
          mCrs(options.crs.targetCrs ? *options.crs.targetCrs : options.crs.geographicCrs),
          mPassports(mFile.addLayer("passports", std::nullopt, registerAttributes())),
          mContours(mFile.addLayer("contours", mCrs, contourLayerAttributes()))
    {}
    void addRow(const std::vector<AttributeValue> &row) override { mPassports.add(row, nullptr); }
    void addContours(const std::string &fileName, TDataModule2 &dm,
                     const std::vector<HorizonRecord> &horizons) override
    {
        const NoteSink note = [&](const std::string &text) {
            if (mOptions.note)
                mOptions.note(fileName + ": " + text);
        };
        const std::vector<PlacedHorizon> placed = placeHorizons(horizons, mOptions.crs, note);
        contours += addContourFeatures(mContours, placed, mCrs, {fileName},
                                       dm.PASPORTS.FieldByName("OBJECTNAME").AsString(), note);
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

std::vector<std::string> passportFiles(const std::string &folder)
{
    const fs::path root = pathFromUtf8(folder);
    std::error_code error;
    if (!fs::is_directory(root, error))
        throw Error("Папка " + folder + " не найдена.");
    std::vector<std::string> files;
    fs::recursive_directory_iterator it(root, fs::directory_options::skip_permission_denied, error);
    for (; !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
        std::string extension = pathToUtf8(it->path().extension());
        for (char &c : extension)
            c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        if (extension == ".psp" && it->is_regular_file(error))
            files.push_back(pathToUtf8(fs::path(it->path().lexically_relative(root).generic_u8string())));
    }
    if (error)
        throw Error("Не удалось прочитать папку " + folder + ": " + error.message() + ".");
    std::sort(files.begin(), files.end());
    return files;
}

RegisterResult writePassportRegister(TDataModule2 &dm, const std::string &folder, const std::string &path,
                                     const RegisterOptions &options)
{
    checkSettings(options.crs);
    const std::vector<std::string> files = passportFiles(folder);
    const std::unique_ptr<RegisterWriter> writer = registerWriter(path, options, files.size());
    RegisterResult result;
    const fs::path root = pathFromUtf8(folder);
    for (const std::string &file : files) {
        // A passport that fails to read is a row; a file that fails to write ends the register.
        std::vector<HorizonRecord> horizons;
        std::vector<AttributeValue> row;
        bool read = false;
        try {
            dm.OpenPassport(pathToUtf8(root / pathFromUtf8(file)));
            horizons = readHorizonRecords(dm);
            row = registerRow(dm, file, horizons);
            read = true;
        } catch (const std::exception &e) {
            row = registerErrorRow(file, e.what());
            ++result.unreadable;
        }
        writer->addRow(row);
        if (read)
            writer->addContours(file, dm, horizons);
        ++result.passports;
        if (options.progress)
            options.progress(result.passports, files.size());
    }
    writer->finish();
    result.contours = writer->contours;
    return result;
}

} // namespace tarvena::gis
