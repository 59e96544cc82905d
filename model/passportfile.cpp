// Reading and writing the passport file: the header, the five table blocks, and the copy of each
// stored table into the program's table by field names.
#include "model/datamodule.h"

#include "model/fieldvalue.h"
#include "model/identity.h"
#include "storage/error.h"
#include "storage/platformfile.h"
#include "storage/psp2stream.h"
#include "storage/tablestream.h"

#include <cstdio>
#include <filesystem>
#include <limits>
#include <new>
#include <unordered_set>

namespace tarvena {

namespace {

const char *const kTooLarge = "Слишком большой файл паспорта! Уменьшите объем загруженных в паспорт данных.";

// Gives a table another default stream format for one call and restores it on every exit path.
class FormatSwitch
{
public:
    FormatSwitch(MemTable &table, TableStreamFormat *format) : mTable(table), mSaved(table.DefaultFormat)
    {
        mTable.DefaultFormat = format;
    }
    ~FormatSwitch() { mTable.DefaultFormat = mSaved; }

private:
    MemTable &mTable;
    TableStreamFormat *mSaved;
};

// Sets a flag for the duration of a scope and restores its previous value, also after an error.
class FlagGuard
{
public:
    explicit FlagGuard(bool &flag) : mFlag(flag), mSaved(flag) { mFlag = true; }
    ~FlagGuard() { mFlag = mSaved; }

private:
    bool &mFlag;
    bool mSaved;
};

void writeOrThrow(Stream &stream, const void *bytes, std::size_t count)
{
    if (stream.write(bytes, count) != count)
        throw Error("Stream write error\nНе удалось записать файл паспорта: " + platform::lastErrorText() +
                    ".");
}

std::int64_t remainingBytes(Stream &stream)
{
    return stream.size() - stream.position();
}

} // namespace

void TDataModule2::SaveTableBlock(MemTable &table, Stream &stream)
{
    FormatSwitch format(table, &table == &FILES ? Format2.get() : Format1.get());
    MemoryStream buffer;
    try {
        table.SaveToStream(buffer);
    } catch (const std::bad_alloc &) {
        throw Error(kTooLarge);
    } catch (const std::length_error &) {
        throw Error(kTooLarge);
    }
    // A block length is 32 bits wide; a larger table cannot be stored, and the save stops.
    if (buffer.bytes().size() > std::numeric_limits<std::uint32_t>::max())
        throw Error(kTooLarge);
    const std::uint32_t length = static_cast<std::uint32_t>(buffer.bytes().size());
    const std::uint8_t prefix[4] = {static_cast<std::uint8_t>(length), static_cast<std::uint8_t>(length >> 8),
                                    static_cast<std::uint8_t>(length >> 16),
                                    static_cast<std::uint8_t>(length >> 24)};
    writeOrThrow(stream, prefix, 4);
    writeOrThrow(stream, buffer.bytes().data(), length);
}

void TDataModule2::LoadTableBlock(Stream &stream, MemTable &table, bool useFormat2)
{
    FormatSwitch format(table, useFormat2 ? Format2.get() : Format1.get());
    std::uint8_t prefix[4];
    if (stream.read(prefix, 4) < 4)
        return; // the file ends at a block boundary: the table stays as it was
    const std::uint32_t length =
        prefix[0] | (prefix[1] << 8) | (prefix[2] << 16) | (static_cast<std::uint32_t>(prefix[3]) << 24);
    if (length == 0)
        return; // an empty block holds no table
    // A length beyond the end of the file is damage; refuse it before allocating anything.
    if (static_cast<std::int64_t>(length) > remainingBytes(stream))
        throw Error("Stream read error");
    MemoryStream block;
    block.setSize(length);
    if (stream.read(block.bytes().data(), length) != length)
        throw Error("Stream read error");
    block.seek(0);
    table.Open();
    table.LoadFromStream(block);
}

void TDataModule2::CopyTableByFieldNames(MemTable &source, MemTable &target, bool uniqueIds)
{
    target.EmptyTable();
    if (!source.Active())
        return;

    // Pair every data field of the target with the stored field of the same name.
    struct Pair
    {
        Field *target;
        int sourceIndex;
    };
    std::vector<Pair> pairs;
    for (int i = 0; i < target.FieldCount(); ++i) {
        Field &field = target.fieldAt(i);
        if (field.Kind() != FieldKind::Data)
            continue;
        Field *stored = source.FindField(field.FieldName());
        if (!stored || stored->dataIndex() < 0)
            continue;
        // Stored bytes go only into a blob field; a text field of the same name is left as a new row has it.
        if (fieldvalue::isBinary(stored->DataType()) && !fieldvalue::isBinary(field.DataType()))
            continue;
        pairs.push_back({&field, stored->dataIndex()});
    }
    const Field *sourceId = source.FindField("ID");
    const int sourceIdIndex = sourceId ? sourceId->dataIndex() : -1;
    Field *targetId = target.FindField("ID");

    std::unordered_set<std::int64_t> seenIds;
    const int rows = source.storedRecordCount();
    if (uniqueIds)
        seenIds.reserve(static_cast<std::size_t>(rows) * 2);

    target.DisableControls();
    try {
        for (int row = 0; row < rows; ++row) {
            const std::vector<Value> &values = source.storedRecord(row);
            target.Append();
            for (const Pair &pair : pairs) {
                try {
                    pair.target->setValue(values[static_cast<std::size_t>(pair.sourceIndex)]);
                } catch (const std::exception &) {
                    // A value the program's field cannot take is dropped; the rest of the row stays.
                }
            }
            if (uniqueIds) {
                // The stored ID as the program's field took it (a float rounded, a text parsed); null is 0.
                std::int64_t id = 0;
                if (sourceIdIndex >= 0 && targetId && !isNull(values[static_cast<std::size_t>(sourceIdIndex)]))
                    id = targetId->AsInteger();
                if (seenIds.count(id)) {
                    do {
                        id = identity::randomBelow(identity::HorizonIdRange);
                    } while (seenIds.count(id));
                    if (targetId)
                        targetId->SetAsInteger(id);
                }
                seenIds.insert(id);
            }
            target.Post();
        }
    } catch (...) {
        if (target.State() == TableState::Insert || target.State() == TableState::Edit)
            target.Cancel();
        target.EnableControls();
        throw;
    }
    target.First();
    target.EnableControls();
}

bool TDataModule2::OpenPassport(const std::string &path)
{
    const PspHeaderProbe probe = HasPspHeader(path);
    TPSP2Stream stream;
    stream.OpenForRead(path, probe.hasHeader);

    FlagGuard loading(PassportLoading);
    const std::array<MemTable *, 5> tables = passportTables();
    for (std::size_t block = 0; block < tables.size(); ++block) {
        const bool last = block + 1 == tables.size();
        const bool unique = tables[block] != &PASPORTS && tables[block] != &FILES;
        try {
            LoadTableBlock(stream, TempTable, last && probe.hasHeader);
            CopyTableByFieldNames(TempTable, *tables[block], unique);
        } catch (...) {
            // The scratch table must not carry this file's fields or rows into the next open.
            TempTable.Close();
            TempTable.clearFields();
            throw;
        }
        TempTable.Close();
        TempTable.clearFields();
        processEvents();
    }

    // A newly opened passport shows its horizons in stored order, whatever the last one was sorted by.
    for (MemTable *horizons : {&REFLECT_HORIZONTS, &POSIB_PRODUCT_HOR}) {
        horizons->SortOn("");
        horizons->First();
    }

    // A passport without its record (first block missing or empty) still gets one to edit and save.
    if (PASPORTS.IsEmpty()) {
        PASPORTS.Append();
        PASPORTS.FieldByName("ID").SetAsInteger(-1);
        PASPORTS.Post();
    }
    PASPORTS.First();
    PassportFileName = path;
    return true;
}

void TDataModule2::SavePassport(const std::string &path)
{
    PostPendingEdits();
    POSIB_PRODUCT_HOR.SetFiltered(false);

    // The passport goes to a temporary file beside the target, which replaces the old file only
    // when every block has reached the disk.
    const std::filesystem::path target = platform::pathFromUtf8(path);
    const std::string temporary =
        platform::utf8FromPath(target.parent_path() / (platform::utf8FromPath(target.filename()) + ".tmp~"));
    TPSP2Stream stream;
    try {
        stream.CreateForWrite(temporary, true);
        for (MemTable *table : passportTables()) {
            SaveTableBlock(*table, stream);
            processEvents();
        }
        stream.finish();
        std::string reason;
        if (!platform::replaceFile(temporary, path, reason))
            throw Error("Stream write error\nНе удалось заменить файл \"" + path + "\": " + reason + ".");
    } catch (...) {
        stream.close();
        std::error_code ec;
        std::filesystem::remove(platform::pathFromUtf8(temporary), ec);
        throw;
    }
    PassportFileName = path;
}

} // namespace tarvena
