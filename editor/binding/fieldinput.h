#pragma once
// Typed text on its way into a field, from a record page's control or a grid cell alike: text that
// the field cannot take as a value is refused at the editor, in the user's words, before it reaches
// the table (the table engine's own conversion errors are meant for logs); an unchanged value starts
// no edit.
#include "storage/value.h"

#include <optional>
#include <string>

namespace tarvena {
class Field;
class MemTable;
class Prompts;
} // namespace tarvena

namespace tarvena::editor {

// The message for a code page 1251 text that does not convert to the field's type; nullopt when it
// converts (an empty text always does: it empties the field), and then *converted, when given, is
// the value the field would store. A field with its own text handler judges the text itself (and
// *converted is left alone).
std::optional<std::string> conversionRefusal(const Field &field, const std::string &text,
                                             Value *converted = nullptr);

// Tells a refused input as the field rules tell theirs: "Неверное значение!", the warning icon, OK.
void tellRefusal(Prompts &prompts, const std::string &message);

// Writes a code page 1251 text into a field of the table's current record. A text the field cannot
// take is told and refused (false), nothing of it reaching the record; a value equal to the stored
// one in a record that is not being edited starts no edit; otherwise the record goes into edit state
// and the field takes the text through its rules, which throw Error when they refuse it.
bool writeTypedText(MemTable &table, Field &field, const std::string &text, Prompts &prompts);

} // namespace tarvena::editor
