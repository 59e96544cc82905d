#include "model/tablestreamio.h"

#include "model/fieldvalue.h"
#include "model/memtable.h"
#include "model/numberformat.h"
#include "storage/error.h"
#include "storage/platformfile.h"
#include "storage/stream.h"

#include <cstdio>
#include <memory>

namespace tarvena {

namespace {

std::vector<StreamColumn> storedColumns(const MemTable &table)
{
    std::vector<StreamColumn> columns;
    for (int i = 0; i < table.FieldCount(); ++i) {
        const Field &field = table.fieldAt(i);
        if (field.dataIndex() >= 0)
            columns.push_back({static_cast<std::size_t>(field.dataIndex()), field.DataType()});
    }
    return columns;
}

// A stored record as the writer reads it, texts and blobs in place.
class Row : public StreamRow
{
public:
    explicit Row(const StoredRecordView &record) : mRecord(record) {}
    bool isNull(std::size_t i) const override { return mRecord.isNull(static_cast<int>(i)); }
    const std::string *bytes(std::size_t i) const override { return mRecord.bytes(static_cast<int>(i)); }
    Value value(std::size_t i) const override { return mRecord.value(static_cast<int>(i)); }
    int status() const override { return mRecord.status(); }

private:
    const StoredRecordView &mRecord;
};

class TableSource : public TableStreamSource
{
public:
    explicit TableSource(const MemTable &table) : mTable(table) {}

    std::vector<StreamFieldDefinition> definitions() const override
    {
        std::vector<StreamFieldDefinition> result;
        for (int i = 0; i < mTable.FieldCount(); ++i) {
            const Field &f = mTable.fieldAt(i);
            if (f.dataIndex() < 0)
                continue;
            result.push_back({f.FieldName(), f.DataType(), f.Size(), f.DisplayLabel, f.EditMask,
                              f.DisplayWidth, f.Required, f.ReadOnly, f.Kind(), f.DefaultExpression});
        }
        return result;
    }
    std::vector<StreamColumn> columns() const override { return storedColumns(mTable); }
    void forEachRow(const std::function<void(const StreamRow &)> &visit) const override
    {
        mTable.forEachStoredRecord([&](const StoredRecordView &record) { visit(Row(record)); });
    }
    std::int64_t integerOf(const Value &value) const override { return fieldvalue::toInt64(value); }
    double floatOf(const Value &value) const override { return fieldvalue::toDouble(value); }
    std::string textOf(const Value &value) const override
    {
        if (const auto *s = std::get_if<std::string>(&value))
            return *s;
        if (const auto *i = std::get_if<std::int64_t>(&value))
            return std::to_string(*i);
        if (const auto *d = std::get_if<double>(&value))
            return numfmt::floatToText(*d);
        if (const auto *b = std::get_if<bool>(&value))
            return *b ? "True" : "False";
        return {};
    }

private:
    const MemTable &mTable;
};

class TableTarget : public TableStreamTarget
{
public:
    explicit TableTarget(MemTable &table) : mTable(table) {}

    void clearFields() override
    {
        mTable.Close();
        mTable.clearFields();
    }
    void addField(const StreamFieldDefinition &d) override
    {
        Field &field = mTable.addField(d.name, d.type, d.size, d.kind);
        field.DisplayLabel = d.label;
        field.EditMask = d.editMask;
        field.Required = d.required;
        field.ReadOnly = d.readOnly;
        field.DefaultExpression = d.defaultExpression;
        field.DisplayWidth = d.displayWidth;
    }
    void beginRows() override
    {
        if (!mTable.Active())
            mTable.Open();
    }
    std::vector<StreamColumn> columns() const override { return storedColumns(mTable); }
    std::size_t valueCount() const override
    {
        std::size_t count = 0;
        for (const StreamColumn &column : storedColumns(mTable))
            count = std::max(count, column.valueIndex + 1);
        return count;
    }
    void reserveRows(std::size_t count) override { mTable.reserveRecords(count); }
    void appendRow(std::vector<Value> values, int status) override
    {
        mTable.appendStoredRecord(std::move(values), status);
    }

private:
    MemTable &mTable;
};

MemoryStream readWholeFile(const std::string &path)
{
    std::string reason;
    std::unique_ptr<std::FILE, int (*)(std::FILE *)> file(platform::openExclusive(path, "rb", reason),
                                                          &std::fclose);
    if (!file)
        throw Error("Не удалось открыть файл \"" + path + "\": " + reason + ".");
    MemoryStream stream;
    std::vector<std::uint8_t> &bytes = stream.bytes();
    std::size_t used = 0;
    for (;;) {
        if (used == bytes.size())
            bytes.resize(std::max<std::size_t>(bytes.size() * 2, 1 << 16));
        const std::size_t got = std::fread(bytes.data() + used, 1, bytes.size() - used, file.get());
        used += got;
        if (got == 0)
            break;
    }
    if (std::ferror(file.get()))
        throw Error("Stream read error");
    bytes.resize(used);
    return stream;
}

const TableStreamFormat &formatOf(const MemTable &table)
{
    if (!table.DefaultFormat)
        throw Error("No format specified.");
    return *table.DefaultFormat;
}

} // namespace

void saveTable(const TableStreamFormat &format, MemTable &table, Stream &out)
{
    format.save(TableSource(table), out);
}

void loadTable(const TableStreamFormat &format, MemTable &table, Stream &in)
{
    {
        ControlsDisabledScope held(table);
        TableTarget target(table);
        format.load(target, in);
    }
    table.First();
}

void MemTable::SaveToStream(Stream &stream)
{
    saveTable(formatOf(*this), *this, stream);
}

void MemTable::LoadFromStream(Stream &stream)
{
    loadTable(formatOf(*this), *this, stream);
}

void MemTable::LoadFromFile(const std::string &path)
{
    const TableStreamFormat &format = formatOf(*this);
    MemoryStream file = readWholeFile(path);
    loadTable(format, *this, file);
}

} // namespace tarvena
