#include "editor/binding/textbinding.h"

#include "editor/binding/fieldinput.h"

#include "editor/nullablespinbox.h"
#include "editor/text.h"

#include <QLineEdit>

namespace tarvena::editor {

TextBinding::TextBinding(MemTable &table, const std::string &fieldName, Prompts &prompts, QLineEdit *edit)
    : FieldBinding(table, fieldName, prompts, edit), mEdit(edit)
{
    if (field().DataType() == FieldType::String && field().Size() > 0)
        edit->setMaxLength(field().Size());
    edit->setValidator(new Cp1251Validator(field().ValidChars, edit));
    connect(edit, &QLineEdit::textEdited, this, [this] { markDirty(); });
    connect(edit, &QLineEdit::editingFinished, this, [this] { commit(); });
    refresh();
}

TextBinding::TextBinding(MemTable &table, const std::string &fieldName, Prompts &prompts,
                         NullableSpinBox *spin)
    : FieldBinding(table, fieldName, prompts, spin), mSpin(spin)
{
    connect(spin, &NullableSpinBox::userEdited, this, [this] { markDirty(); });
    connect(spin, &QAbstractSpinBox::editingFinished, this, [this] { commit(); });
    // A step with the buttons or arrow keys is a whole change of its own.
    connect(spin, &NullableSpinBox::stepped, this, [this] { commit(); });
    refresh();
}

void TextBinding::show()
{
    if (mEdit) {
        const QString text = fromCp1251(field().Text());
        if (mEdit->text() != text) {
            mEdit->setText(text);
            mEdit->setCursorPosition(0);
        }
        return;
    }
    if (field().IsNull())
        mSpin->setValue(std::nullopt);
    else
        mSpin->setValue(field().AsFloat());
}

bool TextBinding::write()
{
    // An empty number empties the field; an empty text stays an empty text.
    return writeTypedText(table(), field(), toCp1251(mEdit ? mEdit->text() : mSpin->valueText()), prompts());
}

} // namespace tarvena::editor
