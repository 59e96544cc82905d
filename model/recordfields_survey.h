#pragma once
// The fields of the survey groups of page 3, kept apart from the rest of the catalogue for length.
#include "model/recordfields.h"

namespace tarvena {

// The fields of a framed survey group in their tab order; empty for another group.
std::span<const RecordField> surveyFields(RecordGroup group);

} // namespace tarvena
