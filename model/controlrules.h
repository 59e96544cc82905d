#pragma once
// The decisions of the table pages' rules: which dependent control is enabled and which field is
// emptied, as plain functions of the record's values, and the table of the record's dependent
// controls that the record pages apply to their widgets in one loop.
#include "storage/value.h"

#include <span>

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

// How a control of the record follows the control that decides for it.
enum class DependentRule
{
    OtherMethod,      // open while the method is the other method
    ChargeLocation,   // open while the source type allows a charge location
    NonExplosiveType, // open while the source type allows a non-explosive source type
    FreeText,         // open while no classifier entry is chosen
    Cascade           // always open; each pick of the deciding list empties it
};

// A dependent control of the record, by the fields the deciding and the dependent control show.
struct DependentControl
{
    const char *decider;   // the field of the deciding list
    const char *dependent; // the field of the dependent control, emptied by the rule
    DependentRule rule;
    // Whether the opened record's state empties the field; the user's pick always does.
    bool emptiedOnOpen = true;
};

// Every dependent control in the order the rules run.
std::span<const DependentControl> dependentControls();

// What a rule makes of the dependent control for the decider's value.
struct DependentState
{
    bool enabled;
    bool emptied; // the dependent field is emptied
    bool operator==(const DependentState &) const = default;
};
DependentState dependentState(DependentRule rule, const Value &decider);

// A free text follows every change of its classifier (the data rules' cascades included); the other
// rules follow the user's pick of the deciding list.
bool followsEveryChange(DependentRule rule);
// The cascades run on a pick only; the other rules also set the state of an opened record.
bool appliesOnOpen(DependentRule rule);

} // namespace tarvena::controlrules
