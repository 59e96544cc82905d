#include "model/fileslots.h"

#include "model/datamodule.h"

namespace tarvena {

namespace {

constexpr int kTitleSize = int(kSlotTitleSize);
constexpr int kTextSize = 128;
// The FILES record (1-based) a slot was filled from, so that slots of equal stored names each reach
// their own file.
const char kRecordField[] = "FilesRecNo";

void defineSlotTable(MemTable &slots, bool graphics)
{
    slots.addField("DOCTYPE", FieldType::String, kTitleSize);
    slots.addField("FileName", FieldType::String, kTextSize);
    slots.addField("Description", FieldType::String, kTextSize);
    if (graphics)
        slots.addField("DOCTYPE2", FieldType::String, kTitleSize);
    slots.addField("SrcName", FieldType::String, kTextSize);
    slots.addField(kRecordField, FieldType::Integer).Visible = false;
    slots.addField("FileName_", FieldType::String, kTextSize, StoredFieldKind::Calculated);
    // The grids show the source file's name and fall back to the stored one.
    slots.OnCalcFields = [](MemTable &t) {
        const std::string source = t.FieldByName("SrcName").AsString();
        t.FieldByName("FileName_")
            .SetAsString(source.empty() ? t.FieldByName("FileName").AsString() : source);
    };
    slots.Open();
}

std::string textAt(const MemTable &table, int row, const char *fieldName)
{
    const Field &field = table.FieldByName(fieldName);
    const Value value = table.valueAt(row, field);
    if (const auto *text = std::get_if<std::string>(&value))
        return *text;
    return isNull(value) ? std::string() : table.displayTextAt(row, field);
}

} // namespace

SlotSources slotSources(const TDataModule2 &data)
{
    SlotSources sources;
    const MemTable &reflect = data.REFLECT_HORIZONTS;
    for (int row = 0; row < reflect.RecordCount(); ++row)
        sources.reflectHorizons.push_back(textAt(reflect, row, "INDEXOG"));
    // Every productive horizon in its shown order, whatever a resource page's filter hides.
    const MemTable &productive = data.POSIB_PRODUCT_HOR;
    const Field &unit = productive.FieldByName("_stratigr_id");
    const Field &suite = productive.FieldByName("STRATIGRSVIT");
    productive.forEachStoredRecord([&](const StoredRecordView &record) {
        sources.productiveHorizons.push_back(record.displayText(unit) + " " + record.displayText(suite));
    });
    const MemTable &files = data.FILES;
    for (int row = 0; row < files.RecordCount(); ++row)
        sources.attachments.push_back(
            {textAt(files, row, "NAME"), textAt(files, row, "SRCNAME"), textAt(files, row, "DESCRIPTION")});
    return sources;
}

FileSlots::FileSlots(TDataModule2 &data) : mData(data)
{
    defineSlotTable(Files1, false);
    defineSlotTable(Files2, true);
    defineSlotTable(Files3, false);
}

MemTable &FileSlots::table(SlotList list)
{
    return list == SlotList::Documents ? Files1 : list == SlotList::Graphics ? Files2 : Files3;
}

const MemTable &FileSlots::table(SlotList list) const
{
    return const_cast<FileSlots *>(this)->table(list);
}

void FileSlots::RebuildFileSlots()
{
    mData.POSIB_PRODUCT_HOR.SetFiltered(false);
    deriveSlots();
}

void FileSlots::deriveSlots()
{
    const DerivedSlots lists = deriveFileSlots(slotSources(mData));
    fill(Files1, lists.documents);
    fill(Files2, lists.graphics);
    fill(Files3, lists.additional);
    Files1.First();
    Files2.First();
}

void FileSlots::fill(MemTable &slots, const std::vector<DocumentSlot> &list)
{
    ControlsDisabledScope hold(slots);
    slots.EmptyTable();
    for (const DocumentSlot &slot : list) {
        slots.Append();
        slots.FieldByName("DOCTYPE").SetAsString(slot.title);
        if (Field *key = slots.FindField("DOCTYPE2"))
            key->SetAsString(slot.derivedKey);
        slots.FieldByName("FileName").SetAsString(slot.fileName);
        slots.FieldByName("SrcName").SetAsString(slot.srcName);
        slots.FieldByName("Description").SetAsString(slot.description);
        if (slot.attachment >= 0)
            slots.FieldByName(kRecordField).SetAsInteger(slot.attachment + 1);
        slots.Post();
    }
}

bool FileSlots::isFree(SlotList list) const
{
    const MemTable &slots = table(list);
    return slots.IsEmpty() || slots.FieldByName("FileName").AsString().empty();
}

std::string FileSlots::storedName(SlotList list, const std::string &srcName) const
{
    if (list == SlotList::Additional)
        return srcName;
    const MemTable &slots = table(list);
    std::string key = slots.FieldByName("DOCTYPE").AsString();
    if (const Field *derivedKey = slots.FindField("DOCTYPE2"); derivedKey && !derivedKey->AsString().empty())
        key = derivedKey->AsString();
    return key + fileExtension(srcName);
}

void FileSlots::attach(SlotList list, const std::string &srcName, std::string content)
{
    MemTable &slots = table(list);
    if (slots.IsEmpty())
        return;
    mData.PassportModified = true;
    const bool wasFree = isFree(list);
    const std::string name = storedName(list, srcName);
    clear(list);

    MemTable &files = mData.FILES;
    files.Append();
    files.FieldByName("SRCNAME").SetAsString(srcName);
    files.FieldByName("NAME").SetAsString(name);
    // The record keeps its own copy; the caller's buffer goes as soon as this returns.
    files.FieldByName("CONTENT").setValue(Value(std::move(content)));
    files.Post();

    slots.Edit();
    slots.FieldByName("FileName").SetAsString(files.FieldByName("NAME").AsString());
    slots.FieldByName("SrcName").SetAsString(files.FieldByName("SRCNAME").AsString());
    slots.FieldByName(kRecordField).SetAsInteger(files.RecNo());
    slots.Post();

    if (list == SlotList::Graphics) {
        RebuildFileSlots();
    } else if (list == SlotList::Additional && wasFree) {
        slots.Append();
        slots.FieldByName("DOCTYPE").SetAsString(additionalGraphicsSlotTitle());
        slots.Post();
    }
}

bool FileSlots::locateFile(SlotList list)
{
    if (isFree(list))
        return false;
    const MemTable &slots = table(list);
    const std::string name = slots.FieldByName("FileName").AsString();
    MemTable &files = mData.FILES;
    files.Post();
    const int recNo = slots.FieldByName(kRecordField).AsInteger();
    if (recNo >= 1 && recNo <= files.RecordCount()) {
        files.SetRecNo(recNo);
        if (sameNoCase(files.FieldByName("NAME").AsString(), name))
            return true;
    }
    return files.Locate("NAME", Value(name), true);
}

bool FileSlots::clear(SlotList list)
{
    if (!locateFile(list))
        return false;
    mData.PassportModified = true;
    MemTable &files = mData.FILES;
    const int recNo = files.RecNo();
    files.Delete();

    MemTable &slots = table(list);
    slots.Edit();
    for (const char *name : {"FileName", "SrcName", "Description", kRecordField})
        slots.FieldByName(name).Clear();
    slots.Post();
    forgetRecord(recNo);
    return true;
}

void FileSlots::forgetRecord(int recNo)
{
    for (MemTable *slots : {&Files1, &Files2, &Files3}) {
        const int current = slots->RecNo();
        ControlsDisabledScope hold(*slots);
        for (slots->First(); !slots->Eof(); slots->Next()) {
            Field &record = slots->FieldByName(kRecordField);
            if (record.AsInteger() > recNo) {
                slots->Edit();
                record.SetAsInteger(record.AsInteger() - 1);
                slots->Post();
            }
        }
        slots->SetRecNo(current);
    }
}

std::string FileSlots::comment(SlotList list) const
{
    const MemTable &slots = table(list);
    return slots.IsEmpty() ? std::string() : slots.FieldByName("Description").AsString();
}

bool FileSlots::setComment(SlotList list, const std::string &text)
{
    if (isFree(list) || text == comment(list))
        return false;
    mData.PassportModified = true;
    MemTable &slots = table(list);
    slots.Edit();
    slots.FieldByName("Description").SetAsString(text);
    slots.Post();
    if (locateFile(list)) {
        MemTable &files = mData.FILES;
        files.Edit();
        files.FieldByName("DESCRIPTION").SetAsString(text);
        files.Post();
    }
    return true;
}

std::optional<FileSlots::Content> FileSlots::content(SlotList list)
{
    if (!locateFile(list))
        return std::nullopt;
    Content content;
    content.gzip = mData.FILES.FieldByName("CONTENT").AsString();
    if (content.gzip.empty())
        return std::nullopt;
    const MemTable &slots = table(list);
    content.storedName = slots.FieldByName("FileName").AsString();
    content.offeredName = slots.FieldByName("SrcName").AsString();
    if (content.offeredName.empty())
        content.offeredName = content.storedName;
    return content;
}

} // namespace tarvena
