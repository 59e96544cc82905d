// Reading and writing the passport file: the header, the five table blocks, and the copy of each
// stored table into the program's table by field names.
#include "model/datamodule.h"

#include "model/fieldvalue.h"
#include "model/identity.h"
#include "model/passportblocks.h"
#include "model/progress.h"
#include "storage/error.h"
#include "storage/platformfile.h"
#include "storage/psp2stream.h"
#include "storage/tablestream.h"

#include <limits>
#include <new>
#include <optional>

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

// A block with an empty definitions list is read with the fields of the block before it.
void copyFieldDefinitions(const MemTable &from, MemTable &to)
{
    for (int i = 0; i < from.FieldCount(); ++i) {
        const Field &field = from.fieldAt(i);
        to.addField(field.FieldName(), field.DataType(), field.Size(), field.Kind());
    }
}

// The passport tables as the user knows them, in file order.
const char *const kTableNames[] = {"паспорт объекта", "отражающие горизонты",
                                   "возможно продуктивные горизонты", "контуры", "присоединённые файлы"};

} // namespace

void TDataModule2::SaveTableBlock(MemTable &table, Stream &stream)
{
    FormatSwitch format(table, &table == &FILES ? Format2.get() : Format1.get());
    // The table goes straight to the output after a length prefix that is filled in once the block's
    // size is known: no copy of the block is held in memory.
    const std::int64_t start = stream.position();
    const std::uint8_t placeholder[4] = {};
    writeOrThrow(stream, placeholder, 4);
    try {
        table.SaveToStream(stream);
    } catch (const std::bad_alloc &) {
        throw Error(kTooLarge);
    } catch (const std::length_error &) {
        throw Error(kTooLarge);
    }
    const std::int64_t end = stream.position();
    // A block length is 32 bits wide; a larger table cannot be stored, and the save stops.
    if (end - start - 4 > static_cast<std::int64_t>(std::numeric_limits<std::uint32_t>::max()))
        throw Error(kTooLarge);
    const auto length = static_cast<std::uint32_t>(end - start - 4);
    const std::uint8_t prefix[4] = {static_cast<std::uint8_t>(length), static_cast<std::uint8_t>(length >> 8),
                                    static_cast<std::uint8_t>(length >> 16),
                                    static_cast<std::uint8_t>(length >> 24)};
    stream.seek(start);
    writeOrThrow(stream, prefix, 4);
    stream.seek(end);
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
    // A length beyond the end of the file is damage; refuse it before reading anything.
    if (static_cast<std::int64_t>(length) > remainingBytes(stream))
        throw Error("Stream read error");
    // The table is read from the file itself through a window on the block.
    StreamWindow block(stream, length);
    table.Open();
    table.LoadFromStream(block);
    block.skipToEnd();
}

void TDataModule2::CopyTableByFieldNames(MemTable &source, MemTable &target, bool uniqueIds, bool takeValues)
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
        if (field.Kind() != StoredFieldKind::Data)
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

    const int rows = source.storedRecordCount();
    // A scratch table's rows are dropped after the copy: their texts and blobs move on.
    const bool moveValues = takeValues;
    std::optional<identity::UniqueIds> ids;
    if (uniqueIds && targetId)
        ids.emplace(identity::HorizonIdRange, static_cast<std::size_t>(rows));

    ControlsDisabledScope held(target);
    try {
        for (int row = 0; row < rows; ++row) {
            std::vector<Value> values = moveValues ? source.takeStoredRecord(row) : source.storedRecord(row);
            const bool idNull = sourceIdIndex < 0 || isNull(values[static_cast<std::size_t>(sourceIdIndex)]);
            target.Append();
            for (const Pair &pair : pairs) {
                try {
                    pair.target->setValue(std::move(values[static_cast<std::size_t>(pair.sourceIndex)]));
                } catch (const std::exception &) {
                    // A value the program's field cannot take is dropped; the rest of the row stays.
                }
            }
            if (ids) {
                // The stored ID as the program's field took it (a float rounded, a text parsed); null is 0.
                const bool held = !idNull && !targetId->IsNull();
                const std::int64_t stored = held ? targetId->AsInteger() : 0;
                const std::int32_t id = ids->keep(static_cast<std::int32_t>(stored));
                if (!held || id != stored)
                    targetId->SetAsInteger(id);
            }
            target.Post();
        }
    } catch (...) {
        if (target.State() == TableState::Insert || target.State() == TableState::Edit)
            target.Cancel();
        throw;
    }
    target.First();
}

std::string PassportBlocks::lostTables() const
{
    std::string lost;
    for (int block = complete; block < int(tables.size()); ++block)
        lost += (lost.empty() ? "" : ", ") + std::string(kTableNames[block]);
    return lost;
}

bool TDataModule2::OpenPassport(const std::string &path, Progress *progress)
{
    const PspHeaderProbe probe = HasPspHeader(path);
    TPSP2Stream stream;
    stream.OpenForRead(path, probe.hasHeader);
    readPassport(stream, probe.hasHeader, progress);
    PassportFileName = path;
    return true;
}

void TDataModule2::openSurvivingPart(PassportBlocks &survived, Progress *progress)
{
    installPassport(survived, progress, 0, int(survived.tables.size()));
    PassportFileName.clear();
}

void TDataModule2::readPassport(Stream &stream, bool hasHeader, Progress *progress)
{
    std::shared_ptr<PassportBlocks> blocks = readPassportBlocks(stream, hasHeader, progress);
    // Each block is read, then each table replaced.
    const int tables = int(blocks->tables.size());
    if (blocks->damage.empty())
        installPassport(*blocks, progress, tables, 2 * tables);
    else if (blocks->complete == 0)
        throw Error(blocks->damage); // not even the passport record: nothing to offer
    else
        throw DamagedPassport(std::move(blocks));
}

std::shared_ptr<PassportBlocks> TDataModule2::readPassportBlocks(Stream &stream, bool hasHeader,
                                                                 Progress *progress)
{
    FlagGuard loading(PassportLoading);
    auto blocks = std::make_shared<PassportBlocks>();
    const MemTable *previous = nullptr;
    for (std::size_t block = 0; block < blocks->tables.size(); ++block) {
        const bool last = block + 1 == blocks->tables.size();
        auto table = std::make_unique<MemTable>(TempTable.Name());
        if (previous)
            copyFieldDefinitions(*previous, *table);
        try {
            LoadTableBlock(stream, *table, last && hasHeader);
        } catch (const std::exception &error) {
            // The rows of the damaged block read so far are not kept: a table is taken whole or not at all.
            blocks->damage = error.what();
            return blocks;
        }
        previous = table.get();
        blocks->tables[block] = std::move(table);
        blocks->complete = int(block) + 1;
        advance(progress, blocks->complete, 2 * int(blocks->tables.size()));
    }
    return blocks;
}

void TDataModule2::installPassport(PassportBlocks &blocks, Progress *progress, int done, int total)
{
    FlagGuard loading(PassportLoading);
    UndoPause unrecorded(Journal);
    const std::array<MemTable *, 5> tables = passportTables();
    for (std::size_t block = 0; block < tables.size(); ++block) {
        // A table the file does not hold, or that was not read whole, starts empty.
        MemTable none;
        MemTable *source = int(block) < blocks.complete ? blocks.tables[block].get() : nullptr;
        const bool unique = tables[block] != &PASPORTS && tables[block] != &FILES;
        CopyTableByFieldNames(source ? *source : none, *tables[block], unique, true);
        blocks.tables[block].reset();
        advance(progress, done + int(block) + 1, total);
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
    Journal.clear();
}

void TDataModule2::writePassport(Stream &stream, Progress *progress)
{
    PostPendingEdits();
    POSIB_PRODUCT_HOR.SetFiltered(false);
    WritePspHeader(stream);
    const std::array<MemTable *, 5> tables = passportTables();
    for (std::size_t block = 0; block < tables.size(); ++block) {
        SaveTableBlock(*tables[block], stream);
        advance(progress, int(block) + 1, int(tables.size()));
    }
}

void TDataModule2::SavePassport(const std::string &path, Progress *progress)
{
    // The passport goes to a temporary file beside the target, which replaces the old file only
    // when every block has reached the disk.
    TPSP2Stream stream;
    stream.CreateReplacing(path, false);
    writePassport(stream, progress);
    stream.finish();
    PassportFileName = path;
    Journal.markSaved();
}

} // namespace tarvena
