#pragma once
// The catalogue of the passport record's fields: for each control of the record pages its name, the
// field it shows, its caption and hint, how it is edited, its dictionary and limits, where the page
// places it and how the record sheets name it. The pages lay these rows out and the record sheets
// take their captions from them, so a caption is written here once.
#include "model/fieldkind.h"

#include <span>
#include <string_view>

namespace tarvena {

// The parts of the record, each shown together: a page, or a framed group of page 3.
enum class RecordGroup
{
    Geography,
    History,
    Seismic2D,
    Seismic3D,
    Electrical,
    OtherMethod,
    StructuralDrilling,
    Geology,
    Economics
};

// Where a control stands relative to the one before it.
enum class FieldPlacement
{
    NewRow, // a row of its own: caption, control
    Beside, // to the right of the previous control, with its caption (if any) before it
    Under   // to the right of the previous control, under its caption
};

// Whether the passport may go to the reviewers while the field is empty: Required fields give an
// error, Advised ones (where a reviewer may do without) a warning.
enum class Submission
{
    Optional,
    Required,
    Advised
};

struct RecordField
{
    const char *caption; // UTF-8, exactly as the page shows it; "\n" breaks a long caption; "" for none
    const char *control; // the control's objectName
    const char *field;   // the field shown; for Scale and Unit the display field ("_SHOOTSCALE"), whose
                         // name without the leading "_" is the field the button writes
    FieldKind kind;
    int dictionary = 0;              // List and Unit: the dictionary view's number (Dict1 is 1)
    int maximum = 0;                 // numbers: the upper bound (the lower bound is 0)
    int decimals = 0;                // DecimalNumber
    const char *hint = "";           // UTF-8
    const char *labelName = nullptr; // the caption label's objectName where the forms name it
    FieldPlacement placement = FieldPlacement::NewRow;
    int dropDownRows = 0;               // List: rows shown when dropped down, 0 for the default
    const char *heading = nullptr;      // UTF-8: a line of text above the control's row
    const char *sheetCaption = nullptr; // UTF-8: the record sheet's label where it words it otherwise
    Submission requiredForSubmission = Submission::Optional; // checked where the field's group applies
};

struct RecordGroupInfo
{
    RecordGroup group;
    const char *caption;    // UTF-8: a framed group's caption as shown, or nullptr for a whole page
    const char *objectName; // the framed group's objectName
    std::span<const RecordField> fields;
};

// Every group in the order of the pages; the fields of a group in their tab order.
std::span<const RecordGroupInfo> recordGroups();
const RecordGroupInfo &recordGroup(RecordGroup group);
std::span<const RecordField> recordFields(RecordGroup group);
// The row of a field among the groups first to last, or nullptr. A field shown on two pages (the
// name of another method) has a row in each.
const RecordField *findRecordField(RecordGroup first, RecordGroup last, std::string_view field);
// The same for a field the program names itself; throws Error for a field the groups lack.
const RecordField &recordField(RecordGroup first, RecordGroup last, std::string_view field);

// How the record sheets label a field: its own sheet caption, or the page's caption.
std::string_view sheetCaption(const RecordField &field);
// A framed group's caption without the blanks that pad it in its frame: the sheets' section heading.
std::string_view groupHeading(RecordGroup group);

} // namespace tarvena
