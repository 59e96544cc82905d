#pragma once
// How a field is edited, wherever it is shown: a control of a record page or a cell of a grid. One
// kind decides the editor that is created, how typed text is converted and whether it can be typed.
namespace tarvena {

enum class FieldKind
{
    Text,          // typed through the field's text rules (free text, or a number in a grid cell)
    List,          // a drop-down over the field's dictionary; the pick stores the entry's key
    WholeNumber,   // a whole number from 0 to a maximum, or empty (a record page's spin box)
    DecimalNumber, // a number with a given count of decimals from 0 to a maximum, or empty
    Scale,         // read-only "1:N" with a button that opens the map scale editor
    Unit,          // read-only name of a stratigraphic unit with a button that opens the picker
    ReadOnly,      // a stored field shown here and edited elsewhere
    Calculated     // computed from the record, never typed
};

inline bool isTypedKind(FieldKind kind)
{
    return kind != FieldKind::ReadOnly && kind != FieldKind::Calculated;
}

} // namespace tarvena
