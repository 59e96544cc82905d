#pragma once
// Passport unpacking: the open passport as a folder tree that can be handed on without the program,
// one workbook per passport table and every attachment as a file of its own with description files.
// The dialogs before it (engine, folder) and the progress window belong to the GUI.
#include "model/progress.h"

#include <string>
#include <vector>

namespace tarvena {

class SheetWriter;
class TDataModule2;

// Told as the unpacking advances: one step per workbook and one per attachment.
using UnpackProgress = Progress;

// The folder tree of an unpacking, UTF-8 paths.
struct UnpackFolders
{
    std::string passport; // "ПАСПОРТ ОБЪЕКТА " + the trimmed object name, made safe as a file name
    std::string tables;    // ТАБЛИЦЫ
    std::string documents; // ДОКУМЕНТЫ
    std::string graphics;  // ГРАФИКА
};
// The tree for the object name (code page 1251) inside chosenFolder. Throws Error when the trimmed
// name is empty.
UnpackFolders unpackFolders(const std::string &chosenFolder, const std::string &objectName);

// The attachments of dm alone into the folders, which are made when missing, with new description
// files; returns the names (UTF-8) of the attachments whose content is damaged and that were skipped.
std::vector<std::string> unpackAttachments(TDataModule2 &dm, const UnpackFolders &folders);

// Unpacks the passport of dm into chosenFolder (UTF-8) through writer, with the engine writer.UseExcel
// names: posts the pending edits, recomputes the geology summary (which lifts the horizons' filter),
// creates the folders, writes the fourteen workbooks and, on a thread of their own meanwhile, the
// attachments and their descriptions; progress is told on the calling thread. Engine 3 converts all
// workbooks with one start of the office suite. An attachment whose content is damaged is skipped and
// the rest goes on; the unpacking then ends with an Error naming the skipped ones. Any other failure
// stops it with an Error (a workbook's before an attachment's); what was written so far stays.
void unpackPassport(TDataModule2 &dm, SheetWriter &writer, const std::string &chosenFolder,
                    UnpackProgress *progress = nullptr);
// The same with a writer of its own: useExcel chooses engine 2, else engine 3.
void unpackPassport(TDataModule2 &dm, const std::string &chosenFolder, bool useExcel,
                    UnpackProgress *progress = nullptr);

} // namespace tarvena
