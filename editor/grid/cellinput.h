#pragma once
// Typed text that the field cannot take as a value is refused at the editor, in the user's words,
// before it reaches the table: the table engine's own conversion errors are meant for logs.
#include "storage/value.h"

#include <optional>
#include <string>

namespace tarvena {
class Field;
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

} // namespace tarvena::editor
