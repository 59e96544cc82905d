#include "cli/commands.h"

#include "cli/cliprompts.h"
#include "cli/jsondump.h"
#include "model/datamodule.h"
#include "model/dictionarysources.h"
#include "model/passportsession.h"
#include "storage/codepage.h"
#include "storage/error.h"
#include "storage/platformfile.h"
#include "storage/psp2stream.h"
#include "storage/tablestream.h"

#include <filesystem>
#include <iostream>
#include <memory>

namespace tarvena::cli {

namespace {

const char *const kTableNames[] = {"PASPORTS", "REFLECT_HORIZONTS", "POSIB_PRODUCT_HOR", "KONTUR", "FILES"};

int dumpRaw(const std::string &path)
{
    TDataModule2 dm;
    dm.Format2->RawBlobs = true;
    const PspHeaderProbe probe = HasPspHeader(path);
    TPSP2Stream stream;
    stream.OpenForRead(path, probe.hasHeader);
    std::vector<std::unique_ptr<MemTable>> blocks;
    std::vector<NamedTable> named;
    for (int block = 0; block < 5; ++block) {
        auto table = std::make_unique<MemTable>(kTableNames[block]);
        dm.LoadTableBlock(stream, *table, block == 4 && probe.hasHeader);
        named.push_back({kTableNames[block], table->Active() ? table.get() : nullptr});
        blocks.push_back(std::move(table));
    }
    writeTablesJson(std::cout, named, true);
    return 0;
}

} // namespace

std::unique_ptr<TDataModule2> createDataModule(const Options &options, Prompts &prompts)
{
    auto dm = std::make_unique<TDataModule2>(&prompts);
    dm->DataModuleCreate(options.dictionaries);
    return dm;
}

int dumpCommand(const Options &options)
{
    const std::string &path = options.positional.at(1);
    if (options.raw)
        return dumpRaw(path);
    CliPrompts prompts;
    auto dm = createDataModule(options, prompts);
    PassportSession(*dm).open(path);
    std::vector<NamedTable> named;
    const auto tables = dm->passportTables();
    for (std::size_t i = 0; i < tables.size(); ++i)
        named.push_back({kTableNames[i], tables[i]});
    writeTablesJson(std::cout, named, false);
    return 0;
}

int resaveCommand(const Options &options)
{
    CliPrompts prompts;
    auto dm = createDataModule(options, prompts);
    PassportSession session(*dm);
    session.open(options.positional.at(1));
    session.save(options.positional.at(2));
    return 0;
}

int makeDictionariesCommand(const Options &options)
{
    const std::filesystem::path out = platform::pathFromUtf8(options.positional.at(2));
    std::filesystem::create_directories(out);
    MemTable dictionarys("DICTIONARYS");
    MemTable groups("Groups");
    readDictionarySources(options.positional.at(1), dictionarys, groups);
    auto format = makeStreamFormat1();
    for (auto [table, name] :
         {std::pair{&dictionarys, "DICTIONARYS.BIN"}, std::pair{&groups, "GROUPS.BIN"}}) {
        table->DefaultFormat = format.get();
        MemoryStream bytes;
        table->SaveToStream(bytes);
        const std::string path = platform::utf8FromPath(out / name);
        TPSP2Stream file;
        file.CreateForWrite(path, false);
        file.writeAll(bytes.bytes().data(), bytes.bytes().size());
        file.finish();
    }
    return 0;
}

} // namespace tarvena::cli
