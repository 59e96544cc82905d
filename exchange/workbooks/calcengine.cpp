#include "exchange/workbooks/calcengine.h"

#include "exchange/workbooks/fodsdocument.h"
#include "exchange/workbooks/outputfile.h"
#include "exchange/workbooks/process.h"
#include "exchange/workbooks/topofcalc.h"
#include "storage/error.h"

#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>

namespace tarvena {

namespace {

#ifdef _WIN32
constexpr char SearchPathSeparator = ';';
const char *const ProgramNames[] = {"soffice.exe", "libreoffice.exe"};
#else
constexpr char SearchPathSeparator = ':';
const char *const ProgramNames[] = {"soffice", "libreoffice"};
#endif

const char *const DefaultFilter = "MS Excel 97";

std::vector<std::filesystem::path> usualInstallFolders()
{
    std::vector<std::filesystem::path> folders;
#ifdef _WIN32
    for (const char *variable : {"ProgramFiles", "ProgramFiles(x86)"}) {
        if (const char *root = std::getenv(variable)) {
            folders.push_back(std::filesystem::path(root) / "LibreOffice" / "program");
            folders.push_back(std::filesystem::path(root) / "OpenOffice 4" / "program");
        }
    }
#elif defined(__APPLE__)
    folders = {"/Applications/LibreOffice.app/Contents/MacOS", "/Applications/OpenOffice.app/Contents/MacOS"};
#else
    folders = {"/usr/bin", "/usr/local/bin", "/usr/lib/libreoffice/program", "/snap/bin"};
    // Vendor packages install into /opt/libreofficeX.Y or /opt/openofficeN.
    std::error_code error;
    for (const auto &entry : std::filesystem::directory_iterator("/opt", error)) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with("libreoffice") || name.starts_with("openoffice"))
            folders.push_back(entry.path() / "program");
    }
#endif
    return folders;
}

std::filesystem::path findIn(const std::filesystem::path &folder)
{
    for (const char *name : ProgramNames)
        if (isExecutableFile(folder / name))
            return folder / name;
    return {};
}

std::string lastLine(const std::filesystem::path &logFile)
{
    std::ifstream in(logFile);
    std::string line, last;
    while (std::getline(in, line))
        if (line.find_first_not_of(" \t\r") != std::string::npos)
            last = line;
    return last;
}

} // namespace

std::filesystem::path findOfficeProgram(const std::string &searchPath,
                                        const std::vector<std::filesystem::path> &installFolders)
{
    std::stringstream entries(searchPath);
    for (std::string folder; std::getline(entries, folder, SearchPathSeparator);)
        if (!folder.empty())
            if (auto program = findIn(folder); !program.empty())
                return program;
    for (const auto &folder : installFolders)
        if (auto program = findIn(folder); !program.empty())
            return program;
    return {};
}

std::filesystem::path findOfficeProgram()
{
    const char *searchPath = std::getenv("PATH");
    return findOfficeProgram(searchPath ? searchPath : "", usualInstallFolders());
}

CalcSession::CalcSession(std::filesystem::path program) : mProgram(std::move(program)) {}

CalcSession::~CalcSession()
{
    if (!mFolder.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(mFolder, ignored);
    }
}

std::filesystem::path CalcSession::workFolder()
{
    if (!mFolder.empty())
        return mFolder;
    std::error_code error;
    const std::filesystem::path base = std::filesystem::temp_directory_path(error);
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::filesystem::path folder = base / ("tarvena-calc-" + std::to_string(random()));
        if (std::filesystem::create_directory(folder, error)) {
            std::filesystem::create_directory(folder / "in", error);
            std::filesystem::create_directory(folder / "out", error);
            if (!error)
                return mFolder = folder;
        }
    }
    throw Error("Не удалось создать временную папку для офисного пакета.");
}

void CalcSession::add(const SpreadsheetDocument &doc, const std::string &fileName,
                      const std::string &filterName)
{
    const std::filesystem::path source = workFolder() / "in" / (std::to_string(++mCounter) + ".fods");
    std::ofstream out(source, std::ios::binary | std::ios::trunc);
    out << fodsDocument(doc);
    out.close();
    if (!out)
        throw Error("Не удалось записать временный файл " + pathToUtf8(source) + ".");
    mJobs.push_back({source, fileName, filterName});
}

void CalcSession::convertGroup(const std::vector<Job> &jobs, std::vector<std::string> &failed,
                               std::string &log)
{
    const std::filesystem::path out = workFolder() / "out";
    const std::filesystem::path logFile = workFolder() / "soffice.log";
    // A profile of its own keeps the run apart from a suite the user has open.
    std::vector<std::string> arguments = {"--headless",
                                          "--invisible",
                                          "--nologo",
                                          "--norestore",
                                          "--nolockcheck",
                                          "--nodefault",
                                          "-env:UserInstallation=" +
                                              TopofCalc::FileNameToUrl(pathToUtf8(workFolder() / "profile")),
                                          "--convert-to",
                                          "xls:" + jobs.front().filterName,
                                          "--outdir",
                                          pathToUtf8(out)};
    for (const Job &job : jobs)
        arguments.push_back(pathToUtf8(job.source));

    const auto timeout = std::chrono::seconds(120 + 10 * jobs.size());
    const ProcessResult result = runProcess(mProgram, arguments, logFile, timeout);
    if (!result.started)
        throw Error("Не удалось запустить офисный пакет " + pathToUtf8(mProgram) + ".");
    log = result.timedOut ? "время ожидания истекло" : lastLine(logFile);

    for (const Job &job : jobs) {
        std::filesystem::path produced = out / job.source.filename();
        produced.replace_extension(".xls");
        std::error_code error;
        if (!std::filesystem::exists(produced, error)) {
            failed.push_back(job.fileName);
            continue;
        }
        try {
            moveFileReplacing(produced, job.fileName);
        } catch (const Error &) {
            failed.push_back(job.fileName);
        }
    }
}

void CalcSession::convert()
{
    std::vector<Job> jobs = std::move(mJobs);
    mJobs.clear();
    std::vector<std::string> failed;
    std::string log;
    // The suite converts to one filter per start.
    while (!jobs.empty()) {
        const std::string filter = jobs.front().filterName;
        std::vector<Job> group, rest;
        for (Job &job : jobs)
            (job.filterName == filter ? group : rest).push_back(std::move(job));
        auto removeSources = [&group] {
            std::error_code ignored;
            for (const Job &job : group)
                std::filesystem::remove(job.source, ignored);
        };
        try {
            convertGroup(group, failed, log);
        } catch (...) {
            removeSources();
            throw;
        }
        removeSources();
        jobs = std::move(rest);
    }
    if (!failed.empty()) {
        std::string names;
        for (const std::string &name : failed)
            names += (names.empty() ? "" : ", ") + name;
        throw Error("Офисный пакет не сохранил книги Excel 97: " + names +
                    (log.empty() ? "" : " (" + log + ")") + ".");
    }
}

CalcEngine::CalcEngine(std::shared_ptr<CalcSession> session, bool deferred)
    : mSession(std::move(session)), mDeferred(deferred)
{}

void CalcEngine::store(const SpreadsheetDocument &doc, const std::string &fileName,
                       const std::vector<PropertyValue> &arguments)
{
    std::string filter = DefaultFilter;
    for (const PropertyValue &argument : arguments)
        if (argument.Name == "FilterName")
            filter = argument.Value;
    mSession->add(doc, fileName, filter);
    if (!mDeferred)
        mSession->convert();
}

} // namespace tarvena
