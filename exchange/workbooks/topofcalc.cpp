#include "exchange/workbooks/topofcalc.h"

#include "exchange/workbooks/calcengine.h"
#include "exchange/workbooks/xlsworkbook.h"
#include "storage/error.h"

#include <algorithm>
#include <cctype>

namespace tarvena {

namespace {

// Engine 2: the workbook is written by the program itself.
class ExcelEngine : public SpreadsheetEngine
{
public:
    int kind() const override { return TopofCalc::Excel; }
    void store(const SpreadsheetDocument &doc, const std::string &fileName,
               const std::vector<PropertyValue> &) override
    {
        xls::saveWorkbook(doc, fileName);
    }
};

} // namespace

EngineStarter installedEngines(std::shared_ptr<CalcSession> session)
{
    return [session](int kind) -> std::unique_ptr<SpreadsheetEngine> {
        if (kind == TopofCalc::Excel)
            return std::make_unique<ExcelEngine>();
        if (kind != TopofCalc::OpenOffice)
            return nullptr;
        if (session)
            return std::make_unique<CalcEngine>(session, true);
        std::filesystem::path program = findOfficeProgram();
        if (program.empty())
            return nullptr;
        return std::make_unique<CalcEngine>(std::make_shared<CalcSession>(program), false);
    };
}

EngineAvailability availableEngines()
{
    return {true, !findOfficeProgram().empty()};
}

TopofCalc::TopofCalc(int engine, bool visible) : TopofCalc(engine, visible, installedEngines()) {}

TopofCalc::TopofCalc(int engine, bool visible, const EngineStarter &starter)
{
    // The wanted engine first; when it does not start, the other one, once.
    int wanted = engine;
    bool fallbackUsed = false;
    auto fallBackTo = [&](int other) {
        if (fallbackUsed)
            return false;
        fallbackUsed = true;
        wanted = other;
        return true;
    };
    for (int pass = 0; pass < 2 && !mApp; ++pass) {
        if (wanted == OpenOffice || wanted == 1) {
            if (start(starter, OpenOffice) || !fallBackTo(Excel))
                break;
        }
        if (wanted == Excel || wanted == 1) {
            if (start(starter, Excel) || !fallBackTo(OpenOffice))
                break;
        }
    }
    if (!mApp) {
        mEngineKind = None;
        throw Error("TopofCalc.create failed, may be no OpenOffice is installed?");
    }
    ShowEngine = visible;
    NewDocument();
}

TopofCalc::~TopofCalc()
{
    CloseDocument();
    CloseApplication();
}

bool TopofCalc::start(const EngineStarter &starter, int kind)
{
    // An engine that fails to start counts as absent; the search goes on.
    try {
        mApp = starter ? starter(kind) : nullptr;
    } catch (...) {
        mApp = nullptr;
    }
    if (mApp)
        mEngineKind = kind;
    return mApp != nullptr;
}

void TopofCalc::NewDocument()
{
    if (!HasApplication())
        throw Error("No program loaded for the new document.");
    if (HasDocument())
        CloseDocument();
    mDoc.emplace();
    SelectSheet(1);
}

void TopofCalc::CloseDocument()
{
    mDoc.reset();
    mSheet = 0;
}

void TopofCalc::CloseApplication()
{
    if (HasDocument())
        CloseDocument();
    if (HasApplication()) {
        mApp->quit();
        mApp.reset();
    }
    mEngineKind = Closed;
}

bool TopofCalc::SaveDocument(const std::string &fileName)
{
    if (!HasDocument())
        return false;
    mSavedFileName = fileName;
    std::vector<PropertyValue> arguments;
    if (IsOpenOffice())
        arguments.push_back(MakePropertyValue("FilterName", "MS Excel 97"));
    mApp->store(*mDoc, fileName, arguments);
    return true;
}

bool TopofCalc::SelectSheet(int n)
{
    if (!HasDocument())
        return false;
    if (n < 1)
        throw Error("Листа с номером " + std::to_string(n) + " нет в книге.");
    mDoc->ensureSheets(n);
    mSheet = n - 1;
    return true;
}

void TopofCalc::SetCellText(int row, int column, const std::string &text)
{
    if (HasDocument())
        mDoc->setFormula(mSheet, row, column, text);
}

void TopofCalc::SetCellQuotedText(int row, int column, std::string_view text)
{
    if (HasDocument())
        mDoc->setText(mSheet, row, column, text, true);
}

void TopofCalc::SetCellBold(int row, int column)
{
    if (HasDocument())
        mDoc->setBold(mSheet, row, column);
}

void TopofCalc::SetColumnWidth(int column, int width)
{
    if (HasDocument())
        mDoc->setColumnWidth(mSheet, column, width);
}

std::string TopofCalc::FileNameToUrl(const std::string &fileName)
{
    std::string prefix = fileName.substr(0, 8);
    std::transform(prefix.begin(), prefix.end(), prefix.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    std::string path = fileName;
    std::replace(path.begin(), path.end(), '\\', '/');
    if (prefix == "file:///")
        return path;
    // An absolute path that starts with a slash already brings the third one.
    return (path.starts_with('/') ? "file://" : "file:///") + path;
}

PropertyValue TopofCalc::MakePropertyValue(const std::string &name, const std::string &value) const
{
    if (!IsOpenOffice())
        throw Error("ooValue imposible to create, load OpenOffice first!");
    return {name, value};
}

} // namespace tarvena
