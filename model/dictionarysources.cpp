#include "model/dictionarysources.h"

#include "storage/platformfile.h"

#include "model/memtable.h"
#include "model/tsvreader.h"
#include "storage/codepage.h"
#include "storage/error.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <unordered_map>
#include <vector>

namespace tarvena {
namespace {

namespace fs = std::filesystem;

constexpr int kFirstGroup = 1;
constexpr int kLastGroup = 24;
constexpr int kNameSize = 128;
constexpr int kUseAltOrderSize = 1;
const char *const kGroupsFile = "groups.tsv";
const std::vector<std::string> kEntriesHeader = {"ID", "NAME", "PARENT_ID", "ALTORDER"};
const std::vector<std::string> kGroupsHeader = {"ID", "GROUPNAME", "PARENT_ID", "USE_ALTORDER"};

using platform::pathFromUtf8;
using platform::utf8FromPath;

using Place = TsvPlace;
using Row = TsvLine;

[[noreturn]] void fail(const Place &place, const std::string &what)
{
    throw Error("Источник справочников " + place.text() + ": " + what);
}

// Reads a tab-separated file whose first line must be header; blank lines are skipped.
std::vector<Row> readRows(const fs::path &path, const std::vector<std::string> &header)
{
    const Place file{utf8FromPath(path)};
    std::ifstream in(path, std::ios::binary);
    if (!in)
        fail(file, "файл не открывается");
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        fail(file, "ошибка чтения файла");

    std::vector<Row> lines = splitTsv(text, file.file);
    if (lines.empty())
        fail(Place{file.file, 1}, "нет строки заголовка " + tsvHeaderText(header));
    if (lines.front().cells != header)
        fail(lines.front().place, "первая строка должна быть заголовком " + tsvHeaderText(header));
    std::vector<Row> rows;
    for (auto line = lines.begin() + 1; line != lines.end(); ++line) {
        if (line->blank())
            continue;
        if (line->cells.size() != header.size())
            fail(line->place, "ожидается полей через табуляцию: " + std::to_string(header.size()) +
                                  ", в строке их " + std::to_string(line->cells.size()));
        rows.push_back(std::move(*line));
    }
    return rows;
}

// A cell quoted for a message; a cell that is not clean text is left out so the message stays UTF-8.
std::string quoted(const std::string &cell)
{
    return codepage::utf8FitsCp1251(cell) ? "\"" + cell + "\"" : "значение";
}

Value integerCell(const Row &row, std::size_t column, const char *name, bool required)
{
    const std::string &cell = row.cells[column];
    if (cell.empty()) {
        if (required)
            fail(row.place, std::string("поле ") + name + " не заполнено");
        return {};
    }
    std::int32_t value = 0;
    const char *end = cell.data() + cell.size();
    const auto [ptr, ec] = std::from_chars(cell.data(), end, value);
    if (ec != std::errc() || ptr != end)
        fail(row.place, std::string("поле ") + name + ": " + quoted(cell) +
                            " не целое число от -2147483648 до 2147483647");
    return std::int64_t{value};
}

Value textCell(const Row &row, std::size_t column, const char *name, int size)
{
    const std::string &cell = row.cells[column];
    if (cell.empty())
        return {};
    if (!codepage::utf8FitsCp1251(cell))
        fail(row.place,
             std::string("поле ") + name + " содержит символ, которого нет в кодовой странице 1251");
    std::string cp1251 = codepage::utf8ToCp1251(cell);
    if (cp1251.size() > static_cast<std::size_t>(size))
        fail(row.place, std::string("поле ") + name + " длиннее " + std::to_string(size) + " символов");
    return cp1251;
}

struct GroupFile
{
    int group;
    fs::path path;
};

// The number before the first '-' of a name like "05-survey-methods.tsv", or 0 when there is none.
int groupOfFileName(const std::string &name)
{
    const std::size_t dash = name.find('-');
    if (dash == std::string::npos || dash == 0)
        return 0;
    int group = 0;
    const char *end = name.data() + dash;
    const auto [ptr, ec] = std::from_chars(name.data(), end, group);
    return ec == std::errc() && ptr == end ? group : 0;
}

std::vector<GroupFile> groupFiles(const fs::path &dir)
{
    std::error_code error;
    if (!fs::is_directory(dir, error))
        fail(Place{utf8FromPath(dir)}, "папка не найдена");
    std::vector<GroupFile> files;
    for (fs::directory_iterator it(dir, error), end; !error && it != end; it.increment(error)) {
        const fs::path &path = it->path();
        const std::string name = utf8FromPath(path.filename());
        if (path.extension() != ".tsv" || name == kGroupsFile || !it->is_regular_file(error))
            continue;
        const int group = groupOfFileName(name);
        if (group < kFirstGroup || group > kLastGroup)
            fail(Place{utf8FromPath(path)},
                 "имя файла должно начинаться с номера группы от 1 до 24 и дефиса, "
                 "например 05-survey-methods.tsv");
        files.push_back({group, path});
    }
    if (error)
        fail(Place{utf8FromPath(dir)}, "папка не читается");
    std::sort(files.begin(), files.end(), [](const GroupFile &a, const GroupFile &b) {
        return a.group != b.group ? a.group < b.group : a.path < b.path;
    });
    for (std::size_t i = 1; i < files.size(); ++i) {
        if (files[i].group == files[i - 1].group)
            fail(Place{utf8FromPath(files[i].path)}, "группа " + std::to_string(files[i].group) +
                                                         " уже задана файлом \"" +
                                                         utf8FromPath(files[i - 1].path.filename()) + "\"");
    }
    return files;
}

using Record = std::vector<Value>;

// Rejects a second use of the same key, naming where it was first used.
class UniqueKeys
{
public:
    explicit UniqueKeys(const char *what) : mWhat(what) {}
    void add(const Value &key, const Place &place)
    {
        const std::int64_t id = std::get<std::int64_t>(key);
        const auto [it, added] = mSeen.emplace(id, place);
        if (!added)
            fail(place, mWhat + std::to_string(id) + " уже есть: " + it->second.text());
    }

private:
    std::string mWhat;
    std::unordered_map<std::int64_t, Place> mSeen;
};

std::vector<Record> readEntries(const fs::path &dir)
{
    std::vector<Record> records;
    UniqueKeys ids("ID ");
    for (const GroupFile &file : groupFiles(dir)) {
        for (const Row &row : readRows(file.path, kEntriesHeader)) {
            Value id = integerCell(row, 0, "ID", true);
            // 0 is the empty entry that heads every view: a coded field holding it means "nothing chosen".
            if (std::get<std::int64_t>(id) == 0)
                fail(row.place, "ID 0 занят пустой записью, с которой начинается каждый список");
            ids.add(id, row.place);
            records.push_back({id, std::int64_t{file.group}, textCell(row, 1, "NAME", kNameSize),
                               integerCell(row, 2, "PARENT_ID", false),
                               integerCell(row, 3, "ALTORDER", false)});
        }
    }
    return records;
}

std::vector<Record> readGroups(const fs::path &dir)
{
    std::vector<Record> records;
    UniqueKeys ids("группа ");
    for (const Row &row : readRows(dir / kGroupsFile, kGroupsHeader)) {
        Value id = integerCell(row, 0, "ID", true);
        const std::int64_t group = std::get<std::int64_t>(id);
        if (group < kFirstGroup || group > kLastGroup)
            fail(row.place, "номер группы " + std::to_string(group) + " вне диапазона от 1 до 24");
        ids.add(id, row.place);
        records.push_back({id, textCell(row, 1, "GROUPNAME", kNameSize),
                           integerCell(row, 2, "PARENT_ID", false),
                           textCell(row, 3, "USE_ALTORDER", kUseAltOrderSize)});
    }
    return records;
}

void fill(MemTable &table, void (*define)(MemTable &), const std::vector<Record> &records)
{
    if (table.Active()) {
        table.EmptyTable();
        table.Close();
    }
    define(table);
    table.Open();
    for (const Record &record : records) {
        table.Append();
        for (std::size_t i = 0; i < record.size(); ++i) {
            if (!isNull(record[i]))
                table.fieldAt(static_cast<int>(i)).setValue(record[i]);
        }
        table.Post();
    }
    table.First();
}

} // namespace

void defineDictionarysFields(MemTable &dictionarys)
{
    dictionarys.clearFields();
    dictionarys.addField("ID", FieldType::Integer).Required = true;
    dictionarys.addField("GROUP_ID", FieldType::Integer);
    dictionarys.addField("NAME", FieldType::String, kNameSize);
    dictionarys.addField("PARENT_ID", FieldType::Integer);
    dictionarys.addField("ALTORDER", FieldType::Integer);
}

void defineGroupsFields(MemTable &groups)
{
    groups.clearFields();
    groups.addField("ID", FieldType::Integer);
    groups.addField("GROUPNAME", FieldType::String, kNameSize);
    groups.addField("PARENT_ID", FieldType::Integer);
    groups.addField("USE_ALTORDER", FieldType::FixedChar, kUseAltOrderSize);
}

void readDictionarySources(const std::string &dir, MemTable &dictionarys, MemTable &groups)
{
    const fs::path folder = pathFromUtf8(dir);
    // Everything is read and checked before either table changes.
    const std::vector<Record> entries = readEntries(folder);
    const std::vector<Record> groupRows = readGroups(folder);
    fill(dictionarys, defineDictionarysFields, entries);
    fill(groups, defineGroupsFields, groupRows);
}

} // namespace tarvena
