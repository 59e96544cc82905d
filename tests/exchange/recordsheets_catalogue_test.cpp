// The record sheets label the record's fields as the record catalogue names them: each field of a
// sheet's groups once, with its sheet caption, and each framed group by its heading.
#include "exchange/unpacking/recordsheets.h"
#include "model/recordfields.h"
#include "storage/codepage.h"
#include "tests/model/rules_fixture.h"

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace tarvena {
namespace {

// Controls whose field a sheet shows within another field's row: the typed method names beside
// their methods, the bin's width, the free texts beside the classifiers and the bottom unit.
const std::set<std::string> kFolded = {"DBEdit19", "DBEdit20", "JvDBSpinEdit18", "DBEdit16",
                                       "DBEdit17", "DBEdit18", "JvDBComboEdit2"};

struct SheetGroups
{
    int table;
    RecordGroup first;
    RecordGroup last;
    std::size_t recordRows; // the rows of the record's fields and sections; the summary follows
};

const SheetGroups kSheets[] = {
    {1, RecordGroup::Geography, RecordGroup::Geography, 5},
    {2, RecordGroup::History, RecordGroup::History, 17},
    {3, RecordGroup::Seismic2D, RecordGroup::StructuralDrilling, 34},
    {4, RecordGroup::Geology, RecordGroup::Geology, 6},
};

using RecordSheetCatalogueTest = testing::RulesTest;

TEST_F(RecordSheetCatalogueTest, SheetLabelsAreTheCataloguesCaptions)
{
    for (const SheetGroups &sheet : kSheets) {
        SCOPED_TRACE(sheet.table);
        std::vector<std::string> expected;
        std::vector<std::string> sections;
        for (const RecordGroupInfo &group : recordGroups()) {
            if (group.group < sheet.first || group.group > sheet.last)
                continue;
            if (group.caption)
                sections.emplace_back(groupHeading(group.group));
            for (const RecordField &row : group.fields)
                if (!kFolded.count(row.control))
                    expected.emplace_back(row.heading ? row.heading : std::string(sheetCaption(row)));
        }
        std::vector<std::string> labels;
        std::vector<std::string> sheetSections;
        const std::vector<RecordSheetRow> rows = recordSheetRows(dm, sheet.table, {});
        ASSERT_GE(rows.size(), sheet.recordRows);
        for (std::size_t i = 0; i < sheet.recordRows; ++i)
            (rows[i].section ? sheetSections : labels).push_back(codepage::cp1251ToUtf8(rows[i].label));
        EXPECT_EQ(sheetSections, sections);
        // The history sheet orders its years otherwise than the page: compare the sets of labels.
        std::sort(expected.begin(), expected.end());
        std::sort(labels.begin(), labels.end());
        EXPECT_EQ(labels, expected);
    }
}

} // namespace
} // namespace tarvena
