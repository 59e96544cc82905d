#pragma once
// The decisions of the table pages' rules: which dependent control is enabled and which field is
// emptied, as plain functions of the record's values. The pages apply them to their widgets.
#include "storage/value.h"

namespace tarvena::controlrules {

// Dictionary keys the rules test.
inline constexpr int kOtherMethod = 92;    // a detection or preparation method named by the user
inline constexpr int kChargedSource = 108; // the source type that uses charges

// The name of a method typed by the user is enabled exactly when the method is the other method;
// a disabled name is emptied.
bool otherMethodEnabled(const Value &method);

// What a source type leaves enabled; a disabled list is emptied.
struct SourceTypeControls
{
    bool chargeLocation;
    bool nonExplosiveType;
    bool operator==(const SourceTypeControls &) const = default;
};
// Never chosen (null): both; the charged source: only the charge location; anything else, the empty
// entry 0 included: only the non-explosive type.
SourceTypeControls sourceTypeControls(const Value &sourceType);

// A free-text companion of a classifier field is enabled exactly when no entry (or the empty entry)
// is chosen; otherwise its text is emptied.
bool freeTextEnabled(const Value &classifier);

} // namespace tarvena::controlrules
