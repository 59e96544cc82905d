// make-sample: builds a passport from the readable sources of a folder (data/samples) through the data
// module, so that every rule of the tables runs as it does for a user typing the values in: identities,
// point counts, computed resources, validation. A value that a rule refuses stops the build.
#include "cli/commands.h"

#include "model/datamodule.h"
#include "model/identity.h"
#include "model/tsvreader.h"
#include "storage/codepage.h"
#include "storage/error.h"
#include "storage/gzip.h"
#include "storage/platformfile.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>

namespace tarvena::cli {

namespace {

namespace fs = std::filesystem;

using Place = TsvPlace;

[[noreturn]] void fail(const Place &place, const std::string &what)
{
    throw Error("Источник образца паспорта " + place.text() + ": " + what);
}

std::string utf8(const std::string &cp1251)
{
    return codepage::cp1251ToUtf8(cp1251);
}

std::string readBytes(const fs::path &path, const Place &place)
{
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in.is_open() || in.bad())
        fail(place, "файл \"" + platform::utf8FromPath(path) + "\" не читается");
    return bytes;
}

// A file named by a source; only a file of the sources' own folder is taken.
fs::path fileInFolder(const fs::path &folder, const std::string &cp1251Name, const Place &place)
{
    const fs::path name = platform::pathFromUtf8(utf8(cp1251Name));
    if (name.empty() || name != name.filename() || name == "." || name == "..")
        fail(place, "\"" + utf8(cp1251Name) + "\" должно быть именем файла из папки источников");
    return folder / name;
}

// A line of a source with its cells in code page 1251, padded to the header's width.
using Row = TsvLine;

struct Source
{
    Row header;
    std::vector<Row> rows;
};

// Reads a UTF-8 tab-separated source. Lines starting with '#' and blank lines are skipped; the first
// other line is the header. No row may be wider than the header; a narrower one gets empty cells, as
// editors drop trailing tabs.
Source readSource(const fs::path &path)
{
    const Place file{platform::utf8FromPath(path)};
    Source source;
    for (Row &row : splitTsv(readBytes(path, file), file.file)) {
        if (row.blank() || row.cells.front().starts_with('#'))
            continue;
        for (std::string &cell : row.cells) {
            if (!codepage::utf8FitsCp1251(cell))
                fail(row.place, "в строке есть знаки, которых нет в кодовой странице 1251");
            cell = codepage::utf8ToCp1251(cell);
        }
        if (source.header.cells.empty()) {
            source.header = std::move(row);
            continue;
        }
        if (row.cells.size() > source.header.cells.size())
            fail(row.place, "значений больше, чем столбцов в заголовке (" +
                                std::to_string(source.header.cells.size()) + ")");
        row.cells.resize(source.header.cells.size());
        source.rows.push_back(std::move(row));
    }
    if (source.header.cells.empty())
        fail(file, "нет строки заголовка");
    return source;
}

void requireHeader(const Source &source, const std::vector<std::string> &cells)
{
    if (source.header.cells != cells)
        fail(source.header.place, "заголовок должен быть " + tsvHeaderText(cells));
}

// A table source: one row per field, one column per record after the field name.
struct RecordsSource
{
    Place header;
    int records = 0;
    std::map<std::string, Row> fields; // by the field's own name
    std::map<std::string, Row> links;  // rows starting with '@': links the command resolves
};

// Fields that the table rules fill in themselves, and the link the command writes from its '@' row.
bool ownedByRules(const std::string &field)
{
    return field == "ID" || field == "HEAD_ID" || field == "KONTURNUMPOINTS" || field == "REFLECTHOR_ID";
}

RecordsSource readRecords(const fs::path &path, const MemTable &table, const std::vector<std::string> &links)
{
    const Source source = readSource(path);
    if (source.header.cells.front() != "FIELD")
        fail(source.header.place, "заголовок должен начинаться с FIELD");
    RecordsSource records;
    records.header = source.header.place;
    records.records = static_cast<int>(source.header.cells.size()) - 1;
    for (const Row &row : source.rows) {
        const std::string &name = row.cells.front();
        std::map<std::string, Row> *target = &records.links;
        std::string key = name;
        if (name.starts_with('@')) {
            if (std::find(links.begin(), links.end(), name) == links.end())
                fail(row.place, "неизвестная ссылка " + utf8(name));
        } else {
            const Field *field = table.FindField(name);
            if (!field)
                fail(row.place, "в таблице " + table.Name() + " нет поля " + utf8(name));
            if (field->Kind() != StoredFieldKind::Data)
                fail(row.place, "поле " + field->FieldName() + " вычисляется и не задается");
            if (ownedByRules(field->FieldName()))
                fail(row.place, "поле " + field->FieldName() + " заполняют правила таблицы");
            key = field->FieldName();
            target = &records.fields;
        }
        if (!target->emplace(key, row).second)
            fail(row.place, utf8(name) + " задано второй раз");
    }
    return records;
}

// Collects what the table rules tell the user; any such message stops the build.
class SamplePrompts : public Prompts
{
public:
    int message(const std::string &, const std::string &text, Icon, int buttons) override
    {
        messages.push_back(text);
        return (buttons & Yes) ? Yes : Ok;
    }
    std::vector<std::string> messages;
};

// Coded fields of the passport tables and the dictionary view (0: TCoords) whose entry they hold.
const std::pair<const char *, int> kCodedFields[] = {{"FEDERALOKRUG_ID", 1},
                                                     {"REPUBLIC_ID", 2},
                                                     {"KRAI_ID", 3},
                                                     {"OBLAST_ID", 4},
                                                     {"SHOWINGUPMETHOD_ID", 5},
                                                     {"PREPARATIONMETHOD_ID", 5},
                                                     {"AFFILATION_ID", 6},
                                                     {"LICENCETYPE_ID", 7},
                                                     {"DRIVINGTYPE_ID", 8},
                                                     {"CHARGELOCATION_ID", 9},
                                                     {"NONEXPLOSIVETYPE_ID", 10},
                                                     {"DRIVINGTYPE3D_ID", 8},
                                                     {"CHARGELOCATION3D_ID", 9},
                                                     {"NONEXPLOSIVETYPE3D_ID", 10},
                                                     {"GEO_PROVINCE_ID", 11},
                                                     {"GEO_OBLAST_ID", 12},
                                                     {"GEO_RAION_ID", 13},
                                                     {"STRATIGR_KROVL", 16},
                                                     {"STRATIGR_PODOSHV", 16},
                                                     {"STRATIGR_ID", 16},
                                                     {"TRAPTYPE_ID", 14},
                                                     {"SCREENTYPE_ID", 15},
                                                     {"COLLECTORTYPE_ID", 17},
                                                     {"UV_ID", 18},
                                                     {"KONTURKOORDTYPE", 0}};

// The sample is rebuilt with every build; fixed draws make the same sources give the same bytes.
class FixedIdentities
{
public:
    FixedIdentities()
    {
        identity::seedRandom(2018);
        identity::setTickSource([] { return 0u; });
    }
    ~FixedIdentities() { identity::setTickSource({}); }
};

class SampleBuilder
{
public:
    SampleBuilder(TDataModule2 &dm, SamplePrompts &prompts, fs::path folder)
        : mDm(dm), mPrompts(prompts), mFolder(std::move(folder))
    {}

    void passport()
    {
        MemTable &table = mDm.PASPORTS;
        const RecordsSource source = readRecords(mFolder / "pasports.tsv", table, {});
        if (source.records != 1)
            fail(source.header, "нужен ровно один столбец значений");
        if (table.State() == TableState::Browse)
            table.Edit();
        assignRecord(table, source, 0);
        table.Post();
        checkCodes(table, source);
    }

    void reflectingHorizons()
    {
        MemTable &table = mDm.REFLECT_HORIZONTS;
        const RecordsSource source = readRecords(mFolder / "reflect_horizonts.tsv", table, {});
        for (int record = 0; record < source.records; ++record) {
            table.Append();
            assignRecord(table, source, record);
            table.Post();
            checkCodes(table, source);
            auto [it, added] = mReflectIds.emplace(table.FieldByName("INDEXOG").AsString(),
                                                   table.FieldByName("ID").AsInteger());
            if (!added)
                it->second.reset(); // an index that two horizons share names neither
        }
    }

    void productiveHorizons()
    {
        MemTable &table = mDm.POSIB_PRODUCT_HOR;
        const RecordsSource source =
            readRecords(mFolder / "posib_product_hor.tsv", table, {"@REFLECTHOR", "@KONTUR"});
        for (int record = 0; record < source.records; ++record) {
            table.Append();
            assignRecord(table, source, record);
            if (const Row *link = linkOf(source, "@REFLECTHOR", record))
                table.FieldByName("REFLECTHOR_ID").SetAsInteger(reflectingHorizonId(*link, record));
            table.Post();
            checkCodes(table, source);
            // The points go in while their horizon is current, so the rules give them its ID and count them.
            if (const Row *link = linkOf(source, "@KONTUR", record))
                appendContour(fileInFolder(mFolder, link->cells[record + 1], link->place));
        }
    }

    void attachments()
    {
        const Source source = readSource(mFolder / "files.tsv");
        requireHeader(source, {"NAME", "FILE", "DESCRIPTION"});
        MemTable &files = mDm.FILES;
        for (const Row &row : source.rows) {
            const std::string &name = row.cells[0];
            const std::string &file = row.cells[1];
            const fs::path path = fileInFolder(mFolder, file, row.place);
            // The stored name is the slot key followed by the extension of the file put into the slot.
            if (codepage::LowerCaseByTable(extensionOf(name)) !=
                codepage::LowerCaseByTable(extensionOf(file)))
                fail(row.place, "расширение NAME должно совпадать с расширением FILE");
            const std::string bytes = readBytes(path, row.place);
            files.Append();
            assignText(files.FieldByName("NAME"), name, row.place);
            files.FieldByName("CONTENT").SetAsString(gzipBytes(bytes));
            if (!row.cells[2].empty())
                assignText(files.FieldByName("DESCRIPTION"), row.cells[2], row.place);
            assignText(files.FieldByName("SRCNAME"), file, row.place);
            files.Post();
        }
    }

private:
    // Writes a source text into a field as an editor commits it. A text the field does not take whole,
    // or one that a rule refuses (with its message or silently, by emptying the field), stops the build.
    void assignText(Field &field, const std::string &text, const Place &place)
    {
        const std::string what = "поле " + field.FieldName() + ", значение \"" + utf8(text) + "\": ";
        try {
            field.SetText(text);
        } catch (const Error &e) {
            fail(place, what + e.what());
        }
        if (!mPrompts.messages.empty())
            fail(place, what + mPrompts.messages.front());
        if (field.IsNull())
            fail(place, what + "значение не принято правилами таблицы");
        if (field.DataType() == FieldType::String && field.AsString() != text)
            fail(place, what + "текст длиннее поля (" + std::to_string(field.Size()) + " знаков)");
    }

    // Assigns one column in the table's field order, the order in which an opened passport is assigned,
    // so that a coded field is set before the fields that its rules clear.
    void assignRecord(MemTable &table, const RecordsSource &source, int record)
    {
        for (int i = 0; i < table.FieldCount(); ++i) {
            Field &field = table.fieldAt(i);
            const auto row = source.fields.find(field.FieldName());
            if (row != source.fields.end() && !row->second.cells[record + 1].empty())
                assignText(field, row->second.cells[record + 1], row->second.place);
        }
    }

    static const Row *linkOf(const RecordsSource &source, const std::string &link, int record)
    {
        const auto row = source.links.find(link);
        return row == source.links.end() || row->second.cells[record + 1].empty() ? nullptr : &row->second;
    }

    std::int32_t reflectingHorizonId(const Row &link, int record) const
    {
        const std::string &index = link.cells[record + 1];
        const auto found = mReflectIds.find(index);
        if (found == mReflectIds.end() || !found->second)
            fail(link.place, "отражающий горизонт с индексом \"" + utf8(index) +
                                 (found == mReflectIds.end() ? "\" не найден" : "\" не единственный"));
        return *found->second;
    }

    // A code must name an entry of its dictionary view, and of the part of it that the parent chosen
    // above leaves in the list, as the editor's lists would offer it.
    void checkCodes(MemTable &table, const RecordsSource &source)
    {
        for (const auto &[name, viewNumber] : kCodedFields) {
            const auto row = source.fields.find(name);
            if (row == source.fields.end())
                continue;
            const Field &field = table.FieldByName(name);
            if (field.IsNull() || field.AsInteger() == 0)
                continue;
            MemTable &view = viewNumber > 0 ? mDm.dict(viewNumber) : mDm.TCoords;
            if (!view.Locate("ID", Value{std::int64_t{field.AsInteger()}}))
                fail(row->second.place,
                     "поле " + field.FieldName() + ": в справочнике " +
                         (viewNumber > 0 ? "Dict" + std::to_string(viewNumber) : "TCoords") +
                         " нет записи с ID " + std::to_string(field.AsInteger()) +
                         (view.Filtered() ? " среди записей, подчиненных выбранной выше" : ""));
        }
    }

    // Identities are random draws that the rules never compare. A repeat would tie a link (REFLECTHOR_ID,
    // HEAD_ID) to two records, and reopening would renumber one of them, so a repeat is drawn again.
    void appendContour(const fs::path &path)
    {
        const Source source = readSource(path);
        requireHeader(source, {"X", "Y"});
        if (source.rows.empty())
            fail(source.header.place, "в контуре нет точек");
        MemTable &points = mDm.KONTUR;
        for (const Row &row : source.rows) {
            if (row.cells[0].empty() || row.cells[1].empty())
                fail(row.place, "у точки должны быть обе координаты");
            points.Append();
            assignText(points.FieldByName("X"), row.cells[0], row.place);
            assignText(points.FieldByName("Y"), row.cells[1], row.place);
            points.Post();
        }
    }

    static std::string extensionOf(const std::string &name)
    {
        const std::size_t dot = name.rfind('.');
        return dot == std::string::npos ? std::string() : name.substr(dot);
    }

    TDataModule2 &mDm;
    SamplePrompts &mPrompts;
    fs::path mFolder;
    std::map<std::string, std::optional<std::int32_t>> mReflectIds; // INDEXOG to ID
};

} // namespace

int makeSampleCommand(const Options &options)
{
    const fs::path folder = platform::pathFromUtf8(options.positional.at(1));
    const std::string out = options.positional.at(2);
    FixedIdentities fixedIdentities;
    SamplePrompts prompts;
    TDataModule2 dm(&prompts);
    dm.DataModuleCreate(options.dictionaries);
    SampleBuilder builder(dm, prompts, folder);
    builder.passport();
    builder.reflectingHorizons();
    builder.productiveHorizons();
    builder.attachments();
    dm.PostPendingEdits();
    const fs::path outFolder = platform::pathFromUtf8(out).parent_path();
    if (!outFolder.empty())
        fs::create_directories(outFolder);
    dm.SavePassport(out);
    return 0;
}

} // namespace tarvena::cli
