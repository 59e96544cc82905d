#pragma once
// Engine 3, the office suite (LibreOffice or OpenOffice), run headless. Each workbook is handed to it
// as a flat OpenDocument spreadsheet (column widths in hundredths of a millimetre, bold as the
// suite's bold weight) and stored with its "MS Excel 97" filter. Starting the suite takes seconds, so
// a session converts every workbook added to it with one start of the suite.
#include "exchange/workbooks/spreadsheetengine.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace tarvena {

// The suite's program: "soffice" or "libreoffice" on the search path, else in the usual installation
// folders; empty when the suite is not installed.
std::filesystem::path findOfficeProgram();
// The same search over a given search path (entries separated as in PATH) and folders.
std::filesystem::path findOfficeProgram(const std::string &searchPath,
                                        const std::vector<std::filesystem::path> &installFolders);

// Workbooks waiting for one start of the suite, kept in a private working folder.
class CalcSession
{
public:
    explicit CalcSession(std::filesystem::path program);
    ~CalcSession(); // removes the working folder; workbooks not converted by then are dropped
    CalcSession(const CalcSession &) = delete;
    CalcSession &operator=(const CalcSession &) = delete;

    // Queues doc to be stored under fileName (UTF-8) by the suite's filter filterName.
    void add(const SpreadsheetDocument &doc, const std::string &fileName, const std::string &filterName);
    // Converts all queued workbooks with one start of the suite per filter. Throws Error naming the
    // files that did not come out; the queue is empty afterwards either way.
    void convert();
    std::size_t pending() const { return mJobs.size(); }

private:
    struct Job
    {
        std::filesystem::path source;
        std::string fileName;
        std::string filterName;
    };
    std::filesystem::path workFolder();
    void convertGroup(const std::vector<Job> &jobs, std::vector<std::string> &failed, std::string &log);

    std::filesystem::path mProgram;
    std::filesystem::path mFolder;
    std::vector<Job> mJobs;
    int mCounter = 0;
};

// The suite as a TopofCalc engine. With a session shared by a batch, stored workbooks wait for the
// batch's conversion; otherwise each is converted when it is stored.
class CalcEngine : public SpreadsheetEngine
{
public:
    CalcEngine(std::shared_ptr<CalcSession> session, bool deferred);
    int kind() const override { return 3; }
    void store(const SpreadsheetDocument &doc, const std::string &fileName,
               const std::vector<PropertyValue> &arguments) override;

private:
    std::shared_ptr<CalcSession> mSession;
    bool mDeferred;
};

} // namespace tarvena
