#include "model/filestable.h"

#include "model/memtable.h"

namespace tarvena {

void defineFilesTable(MemTable &files)
{
    constexpr int kTextSize = 128;
    files.addField("NAME", FieldType::String, kTextSize);
    files.addField("CONTENT", FieldType::Blob);
    files.addField("DESCRIPTION", FieldType::String, kTextSize);
    files.addField("SRCNAME", FieldType::String, kTextSize);
}

} // namespace tarvena
