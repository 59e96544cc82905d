#include "model/datamodule.h"

#include "model/dictionarysources.h"
#include "model/filestable.h"
#include "model/passportrules.h"
#include "model/passportschema.h"
#include "storage/codepage.h"
#include "storage/error.h"
#include "storage/gzipformat.h"
#include "storage/platformfile.h"
#include "storage/tablestream.h"

#include <filesystem>

namespace tarvena {

namespace {

void defineDictionaryView(MemTable &view)
{
    view.addField("ID", FieldType::Integer).Required = true;
    view.addField("NAME", FieldType::String, 128);
    view.addField("PARENT_ID", FieldType::Integer);
    view.addField("ALTORDER", FieldType::Integer);
}

// The coordinate systems of contour points; the list is fixed by the program.
const char *const kCoordinateSystems[] = {
    "",
    "Географическая система координат (градусы/минуты/секунды)",
    "Географическая система координат (доли градуса)",
    "Проекция Меркатора",
    "Проекция Гаусса-Крюгера",
};

} // namespace

TDataModule2::TDataModule2(Prompts *prompts) : mPrompts(prompts)
{
    Format1 = makeStreamFormat1();
    Format2 = makeStreamFormat2();

    defineDictionarysFields(DICTIONARYS);
    defineGroupsFields(Groups);

    for (std::size_t i = 0; i < Dict.size(); ++i) {
        Dict[i] = std::make_unique<MemTable>("Dict" + std::to_string(i + 1));
        defineDictionaryView(*Dict[i]);
        Dict[i]->Open();
    }
    TCoords.addField("ID", FieldType::Integer);
    TCoords.addField("NAME", FieldType::String, 64);

    definePassportTables(*this);
    defineFilesTable(FILES);
    Rules = std::make_unique<PassportRules>(*this);
    wirePassportRules(*this, *Rules);
    // A horizon or contour row added and left without any input is not kept.
    for (MemTable *table : {&REFLECT_HORIZONTS, &POSIB_PRODUCT_HOR, &KONTUR})
        table->DropUntouchedInsert = true;

    for (MemTable *table : {&DICTIONARYS, &Groups, &TCoords, &PASPORTS, &REFLECT_HORIZONTS,
                            &POSIB_PRODUCT_HOR, &KONTUR, &FILES, &TempTable})
        table->DefaultFormat = Format1.get();
    for (auto &view : Dict)
        view->DefaultFormat = Format1.get();
    for (MemTable *table : passportTables())
        Journal.attach(*table);
    Journal.followSaved(&PassportModified);
}

TDataModule2::~TDataModule2() = default;

std::array<MemTable *, 5> TDataModule2::passportTables()
{
    return {&PASPORTS, &REFLECT_HORIZONTS, &POSIB_PRODUCT_HOR, &KONTUR, &FILES};
}

void TDataModule2::DataModuleCreate(const std::string &programDir)
{
    Format2->RawBlobs = true;
    loadDictionaries(programDir);
    mDictionaryFolder = programDir;

    TCoords.Open();
    TCoords.EmptyTable();
    for (int id = 0; id < 5; ++id) {
        TCoords.Append();
        TCoords.FieldByName("ID").SetAsInteger(id);
        TCoords.FieldByName("NAME").SetAsString(codepage::utf8ToCp1251(kCoordinateSystems[id]));
        TCoords.Post();
    }
    TCoords.ReadOnly = true;

    openPassportTables();
}

void TDataModule2::loadDictionaries(const std::string &programDir)
{
    const std::filesystem::path dir = platform::pathFromUtf8(programDir);
    auto load = [&](MemTable &table, const char *fileName) {
        const std::string path = platform::utf8FromPath(dir / fileName);
        std::error_code ec;
        if (!std::filesystem::is_regular_file(platform::pathFromUtf8(path), ec))
            throw Error("Не найден файл словаря \"" + path + "\".");
        try {
            table.Open();
            table.LoadFromFile(path);
        } catch (const std::exception &e) {
            throw Error("Не удалось прочитать файл словаря \"" + path + "\": " + e.what());
        }
    };

    load(DICTIONARYS, "DICTIONARYS.BIN");
    Field &id = DICTIONARYS.FieldByName("ID");
    Field &groupId = DICTIONARYS.FieldByName("GROUP_ID");
    Field &name = DICTIONARYS.FieldByName("NAME");
    Field &parentId = DICTIONARYS.FieldByName("PARENT_ID");
    Field &altOrder = DICTIONARYS.FieldByName("ALTORDER");
    for (auto &view : Dict) {
        view->ReadOnly = false;
        view->SortOn("");
        view->EmptyTable();
        view->Tag = 0;
    }
    {
        ControlsDisabledScope held(DICTIONARYS);
        for (DICTIONARYS.First(); !DICTIONARYS.Eof(); DICTIONARYS.Next()) {
            const int group = groupId.AsInteger();
            if (groupId.IsNull() || group < 1 || group > static_cast<int>(Dict.size()))
                continue; // an entry of no known group has no view to go to
            MemTable &view = dict(group);
            if (view.Tag == 0) {
                view.Append();
                view.FieldByName("ID").SetAsInteger(0);
                view.FieldByName("NAME").SetAsString("");
                view.FieldByName("PARENT_ID").SetAsInteger(0);
                view.FieldByName("ALTORDER").SetAsInteger(0);
                view.Post();
                view.Tag = 1;
            }
            view.Append();
            view.FieldByName("ID").Assign(id);
            view.FieldByName("NAME").Assign(name);
            view.FieldByName("PARENT_ID").Assign(parentId);
            view.FieldByName("ALTORDER").Assign(altOrder);
            view.Post();
        }
        DICTIONARYS.First();
    }

    load(Groups, "GROUPS.BIN");
    Field &groupNo = Groups.FieldByName("ID");
    Field &useAltOrder = Groups.FieldByName("USE_ALTORDER");
    for (Groups.First(); !Groups.Eof(); Groups.Next()) {
        const int group = groupNo.AsInteger();
        if (groupNo.IsNull() || group < 1 || group > static_cast<int>(Dict.size()))
            continue;
        MemTable &view = dict(group);
        view.SortOn(useAltOrder.AsString() == "Y" ? "ALTORDER" : "NAME");
        view.First();
        view.ReadOnly = true;
    }
    Groups.First();

    // The region and geology views show top-level entries until a parent is chosen.
    for (int n : {2, 3, 4, 12, 13}) {
        dict(n).SetFilter("PARENT_ID=0");
        dict(n).SetFiltered(true);
    }
}

void TDataModule2::openPassportTables()
{
    PASPORTS.Open();
    if (PASPORTS.State() != TableState::Insert && PASPORTS.IsEmpty()) {
        PASPORTS.Append();
        PASPORTS.FieldByName("ID").SetAsInteger(-1);
    }
    for (MemTable *table : {&REFLECT_HORIZONTS, &POSIB_PRODUCT_HOR, &KONTUR, &FILES})
        table->Open();
    PassportFileName.clear();
    Journal.clear();
}

void TDataModule2::PostPendingEdits()
{
    for (MemTable *table : passportTables()) {
        const TableState state = table->State();
        if (state == TableState::Edit || state == TableState::Insert)
            table->Post();
    }
}

} // namespace tarvena
