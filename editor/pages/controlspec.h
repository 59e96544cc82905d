#pragma once
// One control of a record page as a row of a table: its caption, name, field, kind and limits, and
// its hint. A page is such a table plus its own rules.
namespace tarvena::editor {

enum class ControlKind
{
    Text,        // free text in a string field, as long as the field
    Lookup,      // a drop-down over a dictionary view storing the entry's ID
    WholeSpin,   // a whole number from 0 to a maximum, or empty
    DecimalSpin, // a number with a given count of decimals from 0 to a maximum, or empty
    Scale,       // read-only "1:N" with a button that opens the map scale editor
    Unit         // read-only name of a stratigraphic unit with a button that opens the picker
};

enum class Placement
{
    NewRow, // a row of its own: caption, control
    Beside, // to the right of the previous control, with its caption (if any) before it
    Under   // to the right of the previous control, under its caption
};

struct ControlSpec
{
    const char *caption; // UTF-8, exactly as shown; "\n" breaks a long caption
    const char *name;    // the control's objectName
    const char *field;   // the field shown; for Scale and Unit the display field ("_SHOOTSCALE"), whose
                         // name without the leading "_" is the field the button writes
    ControlKind kind;
    int source = 0;   // Lookup: the dictionary view's number (Dict1 is 1)
    int maximum = 0;  // spins: the upper bound (the lower bound is 0)
    int decimals = 0; // DecimalSpin
    const char *hint = "";
    const char *labelName = nullptr; // the caption label's objectName where the forms name it
    Placement placement = Placement::NewRow;
    int dropDownRows = 0;          // Lookup: rows shown when dropped down, 0 for the default
    const char *heading = nullptr; // UTF-8: a line of text above the control's row
};

} // namespace tarvena::editor
