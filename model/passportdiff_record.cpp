// The passport record compared field by field, each field under its page and caption.
#include "model/datamodule.h"
#include "model/passportdiff_parts.h"
#include "model/recordfields.h"

#include <set>
#include <string_view>

namespace tarvena::diff {

namespace {

int pageOf(RecordGroup group)
{
    switch (group) {
    case RecordGroup::Geography:
        return 1;
    case RecordGroup::History:
        return 2;
    case RecordGroup::Geology:
        return 4;
    case RecordGroup::Economics:
        return 12;
    default:
        return 3; // the methods' framed groups
    }
}

// The NAME of the dictionary entry whose ID is key, whatever the view's filter; the key itself when
// the dictionary lacks it.
std::string entryName(const TDataModule2 &dm, int dictionary, const Value &key)
{
    const auto *wanted = std::get_if<std::int64_t>(&key);
    if (!wanted)
        return {};
    const MemTable &view = *dm.Dict.at(static_cast<std::size_t>(dictionary - 1));
    const Field &id = view.FieldByName("ID");
    const Field &name = view.FieldByName("NAME");
    std::string found = std::to_string(*wanted);
    bool done = false;
    view.forEachStoredRecord([&](const StoredRecordView &entry) {
        if (done)
            return;
        const Value value = entry.value(id);
        const auto *entryId = std::get_if<std::int64_t>(&value);
        if (entryId && *entryId == *wanted) {
            found = entry.displayText(name);
            done = true;
        }
    });
    return found;
}

// Each field of the catalogue once (a field shown on two pages counts on the first), in page order.
std::vector<const RecordField *> comparedFields()
{
    std::vector<const RecordField *> fields;
    std::set<std::string_view> seen;
    for (const RecordGroupInfo &group : recordGroups())
        for (const RecordField &field : group.fields)
            if (seen.insert(field.field).second)
                fields.push_back(&field);
    return fields;
}

// The texts of the fields as the record pages show them: a list field by its entry's name.
std::vector<std::string> recordTexts(const TDataModule2 &dm, const std::vector<const RecordField *> &fields)
{
    std::vector<std::string> texts(fields.size());
    bool read = false;
    dm.PASPORTS.forEachStoredRecord([&](const StoredRecordView &record) {
        if (read)
            return;
        read = true;
        for (std::size_t i = 0; i < fields.size(); ++i) {
            const RecordField &shown = *fields[i];
            const Field &field = dm.PASPORTS.FieldByName(shown.field);
            texts[i] = shown.kind == FieldKind::List ? entryName(dm, shown.dictionary, record.value(field))
                                                     : record.displayText(field);
        }
    });
    return texts;
}

// The group each catalogued field belongs to.
const RecordGroupInfo &groupOf(const RecordField *field)
{
    for (const RecordGroupInfo &group : recordGroups())
        if (field >= group.fields.data() && field < group.fields.data() + group.fields.size())
            return group;
    return recordGroups().front();
}

} // namespace

void compareRecord(const TDataModule2 &before, const TDataModule2 &after, std::vector<DiffLine> &lines)
{
    static const std::vector<const RecordField *> fields = comparedFields();
    const std::vector<std::string> was = recordTexts(before, fields);
    const std::vector<std::string> is = recordTexts(after, fields);
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (was[i] == is[i])
            continue;
        const RecordField &field = *fields[i];
        const RecordGroupInfo &group = groupOf(&field);
        const int page = pageOf(group.group);
        std::vector<std::string> path{diffPageCaption(page)};
        if (group.caption)
            path.emplace_back(groupHeading(group.group));
        const std::string caption = folded(*field.caption ? field.caption : std::string(sheetCaption(field)));
        path.push_back(caption.empty() ? field.field : caption);
        lines.push_back(changedLine(std::move(path), was[i], is[i], pageTarget(page, field.control)));
    }
}

} // namespace tarvena::diff
