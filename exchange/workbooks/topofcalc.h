#pragma once
// TopofCalc: one spreadsheet being written through one engine. Engine 2 ("Microsoft Excel") is the
// program's own Excel 97 workbook writer and is always there; engine 3 ("OpenOffice Calc") is an
// installed LibreOffice or OpenOffice run headless. Either way the result is an Excel 97 workbook.
#include "exchange/workbooks/spreadsheetdocument.h"
#include "exchange/workbooks/spreadsheetengine.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace tarvena {

class CalcSession;

class TopofCalc
{
public:
    enum Kind
    {
        None = 0,
        Closed = 1,
        Excel = 2,
        OpenOffice = 3
    };

    // Starts engine 1 (either, the office suite tried first), 2 (Excel) or 3 (the office suite) with
    // one fallback to the other engine, then opens a new document. Throws Error when neither starts.
    TopofCalc(int engine, bool visible, const EngineStarter &starter);
    TopofCalc(int engine, bool visible);
    // CloseDocument, then CloseApplication.
    ~TopofCalc();
    TopofCalc(const TopofCalc &) = delete;
    TopofCalc &operator=(const TopofCalc &) = delete;

    int EngineKind() const { return mEngineKind; }
    bool HasApplication() const { return mApp != nullptr; }
    bool HasDocument() const { return mDoc.has_value(); }
    bool IsExcel() const { return mEngineKind == Excel; }
    bool IsOpenOffice() const { return mEngineKind == OpenOffice; }
    const std::string &SavedFileName() const { return mSavedFileName; }
    bool ShowEngine = false;

    // Opens a new empty document (closing an open one) and selects its first sheet.
    void NewDocument();
    // Drops the open document without saving.
    void CloseDocument();
    // Closes the document and shuts the engine down; EngineKind becomes Closed.
    void CloseApplication();
    // Saves the document as an Excel 97 workbook (fileName in UTF-8); false when none is open.
    bool SaveDocument(const std::string &fileName);
    // Makes sheet n (1-based) the target of cell writes, adding sheets up to n; false when no
    // document is open.
    bool SelectSheet(int n);
    // The text (code page 1251) is entered as a user types it: a leading apostrophe keeps it text
    // and is not stored. Rows and columns are 1-based.
    void SetCellText(int row, int column, const std::string &text);
    // The same for a text typed after an apostrophe, given without it.
    void SetCellQuotedText(int row, int column, std::string_view text);
    void SetCellBold(int row, int column);
    // Excel: hundredths of a character; the office suite: hundredths of a millimetre.
    void SetColumnWidth(int column, int width);

    // Turns a path into a file:/// address; backslashes become slashes, nothing else is escaped.
    static std::string FileNameToUrl(const std::string &fileName);
    // An argument for the office suite's calls; throws Error unless the engine is the office suite.
    PropertyValue MakePropertyValue(const std::string &name, const std::string &value) const;

private:
    bool start(const EngineStarter &starter, int kind);

    int mEngineKind = None;
    std::unique_ptr<SpreadsheetEngine> mApp;
    std::optional<SpreadsheetDocument> mDoc;
    int mSheet = 0;
    std::string mSavedFileName;
};

// The engines of this computer: 2 always, 3 when the office suite is installed. With a session,
// engine 3 leaves its workbooks to the session's one conversion instead of converting each at once.
EngineStarter installedEngines(std::shared_ptr<CalcSession> session = nullptr);

// Which engines can be started, as the engine choice offers them.
struct EngineAvailability
{
    bool excel = false;
    bool openOffice = false;
};
EngineAvailability availableEngines();

} // namespace tarvena
