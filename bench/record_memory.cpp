// Memory that 100,000 records of four stored fields (the contour points' ID, HEAD_ID, X, Y) take in a
// table after they are loaded from a table stream, as an open loads them: record_memory
#include "model/memtable.h"
#include "model/tablestreamio.h"
#include "storage/stream.h"

#include <malloc.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <string>

using namespace tarvena;

namespace {

constexpr int kRecords = 100000;

void defineFields(MemTable &table)
{
    table.addField("ID", FieldType::Integer);
    table.addField("HEAD_ID", FieldType::Integer);
    table.addField("X", FieldType::Float);
    table.addField("Y", FieldType::Float);
}

long residentKb()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    return 0;
}

} // namespace

int main()
{
    TableStreamFormat format;
    MemoryStream stream;
    {
        MemTable source;
        defineFields(source);
        source.Open();
        for (int i = 0; i < kRecords; ++i)
            source.appendStoredRecord({Value(std::int64_t{i}), Value(std::int64_t{i / 10000}),
                                       Value(60.0 + i * 1e-4), Value(55.0 + (i % 100) * 1e-3)});
        saveTable(format, source, stream);
    }
    malloc_trim(0);
    const std::size_t before = mallinfo2().uordblks;
    const long rssBefore = residentKb();
    auto table = std::make_unique<MemTable>();
    stream.seek(0);
    loadTable(format, *table, stream);
    const std::size_t after = mallinfo2().uordblks;
    const long rssAfter = residentKb();
    std::printf("records: %d\nheap in use: %.2f MB (%.0f bytes a record)\nresident growth: %.2f MB\n",
                kRecords, (after - before) / 1048576.0, double(after - before) / kRecords,
                (rssAfter - rssBefore) / 1024.0);
    return table->storedRecordCount() == kRecords ? 0 : 1;
}
