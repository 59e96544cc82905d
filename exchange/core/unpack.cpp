#include "exchange/core/unpack.h"

#include "exchange/core/attachmentfiles.h"
#include "exchange/core/attachmentfolders.h"
#include "exchange/core/attachmentnames.h"
#include "exchange/core/contoursheet.h"
#include "exchange/core/gridcopies.h"
#include "exchange/core/outputfile.h"
#include "exchange/core/recordsheets.h"
#include "exchange/core/scrolleventsheld.h"
#include "exchange/core/sheetwriter.h"
#include "exchange/core/trimmed.h"
#include "model/datamodule.h"
#include "model/geologysummary.h"
#include "storage/codepage.h"
#include "storage/error.h"

#include <filesystem>

namespace tarvena {

namespace {

constexpr int kWorkbooks = 14;

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

class Steps
{
public:
    Steps(UnpackProgress *progress, int total) : mProgress(progress), mTotal(total) {}
    void done()
    {
        ++mDone;
        if (mProgress)
            mProgress->advanced(mDone, mTotal);
    }

private:
    UnpackProgress *mProgress;
    int mTotal;
    int mDone = 0;
};

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
                    const std::vector<SummaryLabel> &summary, Steps &steps)
{
    Batch batch(writer);
    for (int table = 1; table <= 4; ++table) {
        writeRecordSheet(writer, dm, table, inFolder(tables, recordSheetFileName(table)), summary);
        steps.done();
    }
    for (const GridCopy &copy : gridCopies()) {
        writeGridCopy(writer, dm, copy, inFolder(tables, copy.fileName));
        steps.done();
    }
    writeContourSheet(writer, dm, inFolder(tables, contourSheetFileName()));
    batch.finish();
    steps.done();
}

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

std::string storedNameNote(std::string_view storedName)
{
    std::string shown(storedName);
    for (char &c : shown)
        if (static_cast<unsigned char>(c) < 0x20)
            c = '_';
    return codepage::utf8ToCp1251("(в паспорте: \"") + shown + "\")";
}

// The bytes of a text or blob value; null reads as empty.

// Returns the names (UTF-8) of the attachments whose content did not decompress cleanly. The stored
// records are read in place, so the contents are not copied; the cursor then stands after the last
// row, as after a walk.
std::vector<std::string> writeAttachments(TDataModule2 &dm, const UnpackFolders &folders, Steps &steps)
{
    std::vector<std::string> damaged;
    AttachmentNames names;
    MemTable &files = dm.FILES;
    const int name = files.FieldByName("NAME").dataIndex();
    const int content = files.FieldByName("CONTENT").dataIndex();
    const int description = files.FieldByName("DESCRIPTION").dataIndex();
    const auto bytesAt = [](const StoredRecordView &row, int index) {
        const std::string *bytes = row.bytes(index);
        return bytes ? std::string_view(*bytes) : std::string_view();
    };
    files.forEachStoredRecord([&](const StoredRecordView &row) {
        const std::string storedName(bytesAt(row, name));
        const std::string &folder = folderOf(folders, attachmentFolder(storedName));
        const std::string diskName = names.take(folder, storedName);
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
    files.Last();
    files.Next();
    return damaged;
}

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
    prepareFolders(folders);
    Steps steps(nullptr, 0);
    return writeAttachments(dm, folders, steps);
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
    // The summary of table 4; computing it also shows every productive horizon in tables 7 to 11.
    const std::vector<SummaryLabel> summary = computeGeologySummary(dm);
    const UnpackFolders folders =
        unpackFolders(chosenFolder, dm.PASPORTS.FieldByName("OBJECTNAME").AsString());

    prepareFolders(folders);
    Steps steps(progress, kWorkbooks + dm.FILES.RecordCount());
    writeWorkbooks(dm, writer, folders.tables, summary, steps);
    const std::vector<std::string> damaged = writeAttachments(dm, folders, steps);
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
