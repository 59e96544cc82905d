#pragma once
// The two values that are chosen, never typed, as choosers of a key field's new value: the map scale
// editor for a scale's denominator and the stratigraphy picker for a unit's key. Each opens its
// dialog through the dialog service on the field's value (an empty field reads as 0). The record
// pages' scale and unit fields and the grids' cell buttons use the same choosers.
#include "editor/binding/selectorbinding.h"

namespace tarvena::editor {

struct PageContext;

SelectorBinding::Chooser scaleChooser(PageContext &context);
SelectorBinding::Chooser unitChooser(PageContext &context);

} // namespace tarvena::editor
