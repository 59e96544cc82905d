#include "editor/binding/fieldinput.h"

#include "model/field.h"
#include "model/fieldvalue.h"
#include "model/memtable.h"
#include "model/numberformat.h"
#include "model/prompts.h"
#include "model/validation.h"
#include "storage/codepage.h"

#include <exception>

namespace tarvena::editor {

std::optional<std::string> conversionRefusal(const Field &field, const std::string &text, Value *converted)
{
    if (field.OnSetText)
        return std::nullopt;
    try {
        Value value = fieldvalue::toStored(field.DataType(), field.Size(), Value(text), field.FieldName());
        if (converted)
            *converted = std::move(value);
        return std::nullopt;
    } catch (const std::exception &) {
    }
    const std::string quoted = "«" + codepage::cp1251ToUtf8(text) + "»";
    if (fieldvalue::isDateTime(field.DataType()))
        return "Значение " + quoted +
               " не является датой. Введите дату в виде дд.мм.гггг, например 05.03.2009.";
    switch (fieldvalue::storageOf(field.DataType())) {
    case fieldvalue::Storage::Float:
        return "Значение " + quoted +
               " не является числом. Введите число, отделяя дробную часть точкой, например 12.5.";
    case fieldvalue::Storage::Integer:
        if (numfmt::parseInteger(text))
            return "Число " + quoted + " слишком велико по модулю для этого поля.";
        return "Значение " + quoted + " не является целым числом.";
    case fieldvalue::Storage::Boolean:
    case fieldvalue::Storage::Bytes:
        break;
    }
    return "Значение " + quoted + " не подходит для этого поля.";
}

void tellRefusal(Prompts &prompts, const std::string &message)
{
    prompts.message(validation::Caption, message, Prompts::Icon::Warning, Prompts::Ok);
}

bool writeTypedText(MemTable &table, Field &field, const std::string &text, Prompts &prompts)
{
    Value converted;
    if (const std::optional<std::string> refusal = conversionRefusal(field, text, &converted)) {
        tellRefusal(prompts, *refusal);
        return false;
    }
    const bool browsing = table.State() == TableState::Browse;
    if (browsing && (field.OnSetText ? field.Text() == text : converted == field.value()))
        return true;
    if (browsing)
        table.Edit();
    field.SetText(text);
    return true;
}

} // namespace tarvena::editor
