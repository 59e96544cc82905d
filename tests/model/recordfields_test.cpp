// The catalogue of the record's fields against the passport record it describes, and the table of
// the dependent controls: which control follows which, and what each rule makes of it.
#include "model/controlrules.h"
#include "model/recordfields.h"
#include "storage/error.h"
#include "tests/model/rules_fixture.h"

#include <map>
#include <set>
#include <string>

using namespace tarvena;
using namespace tarvena::testing;

namespace {

using RecordFieldsTest = RulesTest;

// The page that shows a group: the survey groups share page 3.
int pageOf(RecordGroup group)
{
    if (group >= RecordGroup::Seismic2D && group <= RecordGroup::StructuralDrilling)
        return static_cast<int>(RecordGroup::Seismic2D);
    return static_cast<int>(group);
}

bool isInteger(FieldType type)
{
    return type == FieldType::SmallInt || type == FieldType::Integer || type == FieldType::Word;
}

TEST_F(RecordFieldsTest, EveryRowShowsAFieldOfTheRecordThatFitsItsKind)
{
    for (const RecordGroupInfo &group : recordGroups()) {
        for (const RecordField &row : group.fields) {
            SCOPED_TRACE(row.control);
            const Field *shown = dm.PASPORTS.FindField(row.field);
            ASSERT_NE(shown, nullptr);
            switch (row.kind) {
            case FieldKind::Text:
                EXPECT_EQ(shown->DataType(), FieldType::String);
                break;
            case FieldKind::List:
                EXPECT_TRUE(isInteger(shown->DataType()));
                ASSERT_GT(row.dictionary, 0);
                EXPECT_TRUE(dm.dict(row.dictionary).FindField("NAME"));
                break;
            case FieldKind::WholeNumber:
            case FieldKind::DecimalNumber:
                EXPECT_NE(shown->DataType(), FieldType::String);
                EXPECT_GT(row.maximum, 0);
                if (row.kind == FieldKind::WholeNumber) {
                    EXPECT_EQ(row.decimals, 0);
                }
                break;
            case FieldKind::Scale:
            case FieldKind::Unit: {
                // The button writes the stored field that the display field names without its "_".
                ASSERT_EQ(row.field[0], '_');
                const Field *stored = dm.PASPORTS.FindField(row.field + 1);
                ASSERT_NE(stored, nullptr);
                EXPECT_EQ(stored->Kind(), StoredFieldKind::Data);
                break;
            }
            default:
                ADD_FAILURE() << "a record page edits every field it shows";
            }
            // The hidden economics page asks nothing of a passport going to the reviewers.
            if (group.group == RecordGroup::Economics) {
                EXPECT_EQ(row.requiredForSubmission, Submission::Optional) << row.field;
            }
        }
    }
}

TEST(RecordFields, ControlsAreUniqueAndAFieldHasOneControlOnAPage)
{
    std::set<std::string> controls;
    std::map<int, std::set<std::string>> fieldsByPage;
    for (const RecordGroupInfo &group : recordGroups()) {
        for (const RecordField &row : group.fields) {
            EXPECT_TRUE(controls.insert(row.control).second) << row.control;
            EXPECT_TRUE(fieldsByPage[pageOf(group.group)].insert(row.field).second) << row.field;
        }
    }
}

TEST(RecordFields, FieldsAreFoundAmongTheGroupsAsked)
{
    // The name of another preparation method shows on page 2 and, as another method's, on page 3.
    EXPECT_STREQ(recordField(RecordGroup::History, RecordGroup::History, "OTHERMETHOD").control, "DBEdit20");
    EXPECT_STREQ(recordField(RecordGroup::Seismic2D, RecordGroup::StructuralDrilling, "OTHERMETHOD").control,
                 "DBEdit11");
    EXPECT_EQ(findRecordField(RecordGroup::Geography, RecordGroup::Geography, "OTHERMETHOD"), nullptr);
    EXPECT_THROW(recordField(RecordGroup::Geology, RecordGroup::Geology, "NO_SUCH_FIELD"), Error);
    for (const RecordGroupInfo &group : recordGroups())
        EXPECT_EQ(recordGroup(group.group).group, group.group);
}

TEST(RecordFields, SheetCaptionsAndHeadings)
{
    const RecordField &density = recordField(RecordGroup::Seismic2D, RecordGroup::Seismic2D, "GRIDDENCITY");
    EXPECT_EQ(std::string(density.caption), "Плотность сети профилей (км/км2)");
    EXPECT_EQ(sheetCaption(density), "Плотность сети профилей");
    const RecordField &licence = recordField(RecordGroup::History, RecordGroup::History, "LICENCENUMBER");
    EXPECT_EQ(sheetCaption(licence), licence.caption);
    EXPECT_EQ(groupHeading(RecordGroup::OtherMethod), "Другой геофизический метод");
    EXPECT_EQ(groupHeading(RecordGroup::History), "");
}

TEST(DependentControls, WhatEachRuleMakesOfItsControl)
{
    using controlrules::DependentRule;
    using controlrules::DependentState;
    const Value never;
    const Value empty{std::int64_t(0)};
    const Value other{std::int64_t(controlrules::kOtherMethod)};
    const Value charged{std::int64_t(controlrules::kChargedSource)};
    const Value picked{std::int64_t(5004)};
    const struct
    {
        DependentRule rule;
        Value decider;
        DependentState state;
    } cases[] = {
        {DependentRule::OtherMethod, never, {false, true}},
        {DependentRule::OtherMethod, other, {true, false}},
        {DependentRule::OtherMethod, picked, {false, true}},
        {DependentRule::ChargeLocation, never, {true, false}},
        {DependentRule::ChargeLocation, charged, {true, false}},
        {DependentRule::ChargeLocation, empty, {false, true}},
        {DependentRule::NonExplosiveType, never, {true, false}},
        {DependentRule::NonExplosiveType, charged, {false, true}},
        {DependentRule::NonExplosiveType, picked, {true, false}},
        {DependentRule::FreeText, never, {true, false}},
        {DependentRule::FreeText, empty, {true, false}},
        {DependentRule::FreeText, picked, {false, true}},
        {DependentRule::Cascade, never, {true, true}},
        {DependentRule::Cascade, picked, {true, true}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(controlrules::dependentState(c.rule, c.decider), c.state)
            << static_cast<int>(c.rule) << " " << c.decider.index();
    EXPECT_TRUE(controlrules::followsEveryChange(DependentRule::FreeText));
    EXPECT_FALSE(controlrules::followsEveryChange(DependentRule::OtherMethod));
    EXPECT_FALSE(controlrules::appliesOnOpen(DependentRule::Cascade));
    EXPECT_TRUE(controlrules::appliesOnOpen(DependentRule::ChargeLocation));
}

// Each rule joins a list to a control of the same page; only the name of another preparation
// method keeps its text when a passport is opened.
TEST(DependentControls, EveryRuleJoinsAListToAControlOfItsPage)
{
    const auto pagesShowing = [](const char *field, bool listOnly) {
        std::set<int> pages;
        for (const RecordGroupInfo &group : recordGroups())
            for (const RecordField &row : group.fields)
                if (field == std::string(row.field) && (!listOnly || row.kind == FieldKind::List))
                    pages.insert(pageOf(group.group));
        return pages;
    };
    std::set<std::string> keepingOnOpen;
    for (const controlrules::DependentControl &rule : controlrules::dependentControls()) {
        SCOPED_TRACE(std::string(rule.decider) + " -> " + rule.dependent);
        const std::set<int> deciders = pagesShowing(rule.decider, true);
        ASSERT_EQ(deciders.size(), 1u);
        EXPECT_TRUE(pagesShowing(rule.dependent, false).count(*deciders.begin()));
        if (!rule.emptiedOnOpen)
            keepingOnOpen.insert(rule.dependent);
    }
    EXPECT_EQ(keepingOnOpen, std::set<std::string>{"OTHERMETHOD"});
}

} // namespace
