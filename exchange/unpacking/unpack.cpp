#include "exchange/unpacking/unpack.h"

#include "exchange/unpacking/attachmentfiles.h"
#include "exchange/unpacking/attachmentfolders.h"
#include "exchange/unpacking/attachmentnames.h"
#include "exchange/unpacking/contoursheet.h"
#include "exchange/unpacking/gridcopies.h"
#include "exchange/unpacking/recordsheets.h"
#include "exchange/unpacking/scrolleventsheld.h"
#include "exchange/unpacking/trimmed.h"
#include "exchange/unpacking/unpacktarget.h"
#include "exchange/workbooks/outputfile.h"
#include "exchange/workbooks/sheetwriter.h"
#include "model/datamodule.h"
#include "model/geologysummary.h"
#include "storage/codepage.h"
#include "storage/error.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <future>

namespace tarvena {

namespace {

constexpr int kWorkbooks = 14;

// Thrown inside the attachments' walk when the workbooks failed: nothing more is written.
struct Stopped
{
};

std::string inFolder(const std::string &folder, const std::string &name)
{
    return pathToUtf8(pathFromUtf8(folder) / pathFromUtf8(name));
}

// Engine 3 keeps its workbooks for one start of the office suite. When the unpacking stops early,
// the workbooks finished so far still appear, and the error that stopped it is the one reported.
class Batch
{
public:
    explicit Batch(SheetWriter &writer) : mWriter(writer), mActive(!writer.UseExcel)
    {
        if (mActive)
            mWriter.beginBatch();
    }
    ~Batch()
    {
        if (!mActive)
            return;
        try {
            mWriter.finishBatch();
        } catch (...) {
        }
    }
    Batch(const Batch &) = delete;
    Batch &operator=(const Batch &) = delete;
    void finish()
    {
        if (mActive) {
            mActive = false;
            mWriter.finishBatch();
        }
    }

private:
    SheetWriter &mWriter;
    bool mActive;
};

// The steps of an unpacking. The attachments complete theirs on a thread of their own; the progress
// is told on the calling thread alone, one call per step in order, as the window that follows it
// repaints there.
class Steps
{
public:
    Steps(UnpackProgress *progress, int total) : mProgress(progress), mTotal(total) {}
    void done() { ++mDone; }
    void report()
    {
        const int done = mDone;
        for (; mProgress && mReported < done; ++mReported)
            mProgress->advanced(mReported + 1, mTotal);
    }

private:
    UnpackProgress *mProgress;
    int mTotal;
    std::atomic<int> mDone = 0;
    int mReported = 0;
};

// Where each attachment goes, in the order of the FILES rows: its folder and its name there (code
// page 1251). Decided before anything is written, so that the files can be checked first.
struct PlacedAttachment
{
    const std::string *folder;
    std::string diskName;
};

const std::string &folderOf(const UnpackFolders &folders, AttachmentFolder place)
{
    switch (place) {
    case AttachmentFolder::Passport:
        return folders.passport;
    case AttachmentFolder::Documents:
        return folders.documents;
    case AttachmentFolder::Graphics:
        break;
    }
    return folders.graphics;
}

std::string storedNameOf(const StoredRecordView &row, int name)
{
    const std::string *bytes = row.bytes(name);
    return bytes ? *bytes : std::string();
}

std::vector<PlacedAttachment> placeAttachments(const TDataModule2 &dm, const UnpackFolders &folders)
{
    std::vector<PlacedAttachment> placed;
    AttachmentNames names;
    const int name = dm.FILES.FieldByName("NAME").dataIndex();
    dm.FILES.forEachStoredRecord([&](const StoredRecordView &row) {
        const std::string storedName = storedNameOf(row, name);
        const std::string &folder = folderOf(folders, attachmentFolder(storedName));
        placed.push_back({&folder, names.take(folder, storedName)});
    });
    return placed;
}

// Refuses, before anything is written, folders that are not the unpacking's own and files it may not
// replace: the workbooks, the attachments and the description files.
void checkTarget(const UnpackFolders &folders, const std::vector<PlacedAttachment> &attachments,
                 bool workbooks)
{
    checkUnpackFolders({folders.passport, folders.tables, folders.documents, folders.graphics});
    std::vector<std::string> files;
    if (workbooks) {
        for (int table = 1; table <= 4; ++table)
            files.push_back(inFolder(folders.tables, recordSheetFileName(table)));
        for (const GridCopy &copy : gridCopies())
            files.push_back(inFolder(folders.tables, copy.fileName));
        files.push_back(inFolder(folders.tables, contourSheetFileName()));
    }
    for (const PlacedAttachment &attachment : attachments)
        files.push_back(inFolder(*attachment.folder, codepage::cp1251ToUtf8(attachment.diskName)));
    for (const std::string *folder : {&folders.passport, &folders.documents, &folders.graphics})
        files.push_back(inFolder(*folder, kDescriptionFileName));
    checkUnpackFiles(files);
}

void prepareFolders(const UnpackFolders &folders)
{
    // A folder that cannot be made is reported by the first file written into it.
    std::error_code ignored;
    for (const std::string *folder :
         {&folders.passport, &folders.tables, &folders.documents, &folders.graphics})
        std::filesystem::create_directories(pathFromUtf8(*folder), ignored);
    // The description files describe this unpacking only.
    for (const std::string *folder : {&folders.documents, &folders.graphics, &folders.passport})
        std::filesystem::remove(pathFromUtf8(inFolder(*folder, kDescriptionFileName)), ignored);
}

void writeWorkbooks(TDataModule2 &dm, SheetWriter &writer, const std::string &tables,
                    const ResourceSummary &summary, Steps &steps)
{
    Batch batch(writer);
    for (int table = 1; table <= 4; ++table) {
        writeRecordSheet(writer, dm, table, inFolder(tables, recordSheetFileName(table)), summary);
        steps.done();
        steps.report();
    }
    for (const GridCopy &copy : gridCopies()) {
        writeGridCopy(writer, dm, copy, inFolder(tables, copy.fileName));
        steps.done();
        steps.report();
    }
    writeContourSheet(writer, dm, inFolder(tables, contourSheetFileName()));
    batch.finish();
    steps.done();
    steps.report();
}

std::string storedNameNote(std::string_view storedName)
{
    std::string shown(storedName);
    for (char &c : shown)
        if (static_cast<unsigned char>(c) < 0x20)
            c = '_';
    return codepage::utf8ToCp1251("(в паспорте: \"") + shown + "\")";
}

// Returns the names (UTF-8) of the attachments whose content did not decompress cleanly. The stored
// records are read in place, so the contents are not copied and the cursor does not move.
std::vector<std::string> writeAttachments(const TDataModule2 &dm, const std::vector<PlacedAttachment> &placed,
                                          Steps &steps, const std::atomic<bool> &stop)
{
    std::vector<std::string> damaged;
    const MemTable &files = dm.FILES;
    const int name = files.FieldByName("NAME").dataIndex();
    const int content = files.FieldByName("CONTENT").dataIndex();
    const int description = files.FieldByName("DESCRIPTION").dataIndex();
    const auto bytesAt = [](const StoredRecordView &row, int index) {
        const std::string *bytes = row.bytes(index);
        return bytes ? std::string_view(*bytes) : std::string_view();
    };
    std::size_t next = 0;
    files.forEachStoredRecord([&](const StoredRecordView &row) {
        if (stop)
            throw Stopped();
        const std::string storedName = storedNameOf(row, name);
        const std::string &folder = *placed.at(next).folder;
        const std::string &diskName = placed.at(next).diskName;
        ++next;
        if (!writeAttachmentFile(bytesAt(row, content), inFolder(folder, codepage::cp1251ToUtf8(diskName)))) {
            damaged.push_back(codepage::cp1251ToUtf8(storedName));
            steps.done();
            return;
        }
        // A file written under another name than the stored one says which attachment it is.
        std::string text(bytesAt(row, description));
        if (diskName != storedName)
            text += (text.empty() ? "" : " ") + storedNameNote(storedName);
        if (!text.empty())
            appendToFile(inFolder(folder, kDescriptionFileName), descriptionLine(diskName, text));
        steps.done();
    });
    return damaged;
}

// The cursor of the attachments stands after the last row, as after a walk.
void leaveAfterLastRow(MemTable &files)
{
    files.Last();
    files.Next();
}

// Writes the attachments on a thread of their own while the workbooks are built on the calling
// thread: the two share no table (the attachments are read in place from FILES, which no workbook
// reads) and no folder, so the unpacking takes about as long as the longer of the two.
class AttachmentsAlongside
{
public:
    AttachmentsAlongside(const TDataModule2 &dm, const std::vector<PlacedAttachment> &placed, Steps &steps)
        : mSteps(steps),
          mResult(
              std::async([&dm, &placed, &steps, this] { return writeAttachments(dm, placed, steps, mStop); }))
    {}
    // A workbook that failed stops the attachments at the next file; the thread is always joined.
    ~AttachmentsAlongside()
    {
        mStop = true;
        if (mResult.valid())
            mResult.wait();
    }
    AttachmentsAlongside(const AttachmentsAlongside &) = delete;
    AttachmentsAlongside &operator=(const AttachmentsAlongside &) = delete;

    // Waits for the attachments, telling their progress meanwhile; rethrows their error.
    std::vector<std::string> finish()
    {
        while (mResult.wait_for(kReportEvery) == std::future_status::timeout)
            mSteps.report();
        std::vector<std::string> damaged = mResult.get();
        mSteps.report();
        return damaged;
    }

private:
    static constexpr std::chrono::milliseconds kReportEvery{30};
    Steps &mSteps;
    std::atomic<bool> mStop = false;
    std::future<std::vector<std::string>> mResult;
};

std::string damagedMessage(const std::vector<std::string> &names)
{
    std::string list;
    for (const std::string &name : names)
        list += (list.empty() ? "\"" : ", \"") + name + "\"";
    return "Содержимое файлов повреждено, они не распакованы: " + list + ".";
}

} // namespace

std::vector<std::string> unpackAttachments(TDataModule2 &dm, const UnpackFolders &folders)
{
    ControlsDisabledScope filesQuiet(dm.FILES);
    const std::vector<PlacedAttachment> placed = placeAttachments(dm, folders);
    checkTarget(folders, placed, false);
    prepareFolders(folders);
    Steps steps(nullptr, 0);
    const std::atomic<bool> never = false;
    std::vector<std::string> damaged = writeAttachments(dm, placed, steps, never);
    leaveAfterLastRow(dm.FILES);
    return damaged;
}

UnpackFolders unpackFolders(const std::string &chosenFolder, const std::string &objectName)
{
    const std::string name = trimmed(objectName);
    if (name.empty())
        throw Error("На задано наименование объекта");
    const std::string passportName = safeFileName(codepage::utf8ToCp1251("ПАСПОРТ ОБЪЕКТА ") + name, false);
    UnpackFolders folders;
    folders.passport = inFolder(chosenFolder, codepage::cp1251ToUtf8(passportName));
    folders.tables = inFolder(folders.passport, "ТАБЛИЦЫ");
    folders.documents = inFolder(folders.passport, "ДОКУМЕНТЫ");
    folders.graphics = inFolder(folders.passport, "ГРАФИКА");
    return folders;
}

void unpackPassport(TDataModule2 &dm, SheetWriter &writer, const std::string &chosenFolder,
                    UnpackProgress *progress)
{
    dm.PostPendingEdits();
    // The views of the tables walked below hear one notice when the unpacking ends, not one per row.
    ControlsDisabledScope reflectQuiet(dm.REFLECT_HORIZONTS);
    ControlsDisabledScope horizonsQuiet(dm.POSIB_PRODUCT_HOR);
    ControlsDisabledScope contourQuiet(dm.KONTUR);
    ControlsDisabledScope filesQuiet(dm.FILES);
    ScrollEventsHeld held(dm.POSIB_PRODUCT_HOR); // no walk below needs the contour to follow the horizon
    // Tables 7 to 11 list every productive horizon, whatever a resource page left shown.
    showEveryHorizon(dm);
    const ResourceSummary summary = summarizeResources(dm);
    const UnpackFolders folders =
        unpackFolders(chosenFolder, dm.PASPORTS.FieldByName("OBJECTNAME").AsString());

    const std::vector<PlacedAttachment> placed = placeAttachments(dm, folders);
    checkTarget(folders, placed, true);
    prepareFolders(folders);
    Steps steps(progress, kWorkbooks + dm.FILES.RecordCount());
    std::vector<std::string> damaged;
    {
        AttachmentsAlongside attachments(dm, placed, steps);
        writeWorkbooks(dm, writer, folders.tables, summary, steps);
        damaged = attachments.finish();
    }
    leaveAfterLastRow(dm.FILES);
    if (!damaged.empty())
        throw Error(damagedMessage(damaged));
}

void unpackPassport(TDataModule2 &dm, const std::string &chosenFolder, bool useExcel,
                    UnpackProgress *progress)
{
    SheetWriter writer;
    writer.UseExcel = useExcel;
    unpackPassport(dm, writer, chosenFolder, progress);
}

} // namespace tarvena
