#pragma once
// Text edits and spin boxes bound to a field: they show Field::Text() and commit through
// Field::SetText(), so the field's text rules and validation run on every value the user enters.
#include "editor/binding/fieldbinding.h"

class QLineEdit;

namespace tarvena::editor {

class NullableSpinBox;

class TextBinding : public FieldBinding
{
    Q_OBJECT
public:
    // The edit accepts at most the field's size in characters, and only what code page 1251 holds and
    // the field's ValidChars allow. Leaving it or pressing Enter commits.
    TextBinding(MemTable &table, const std::string &fieldName, Prompts &prompts, QLineEdit *edit);
    // Leaving the spin box, Enter or a step commits; an empty box empties the field.
    TextBinding(MemTable &table, const std::string &fieldName, Prompts &prompts, NullableSpinBox *spin);

protected:
    void show() override;
    bool write() override;

private:
    QLineEdit *mEdit = nullptr;
    NullableSpinBox *mSpin = nullptr;
};

} // namespace tarvena::editor
