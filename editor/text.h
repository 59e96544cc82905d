#pragma once
// Texts between the model's code page 1251 and the widgets' QString. Editors accept only characters
// that code page 1251 can hold, so a text never changes on its way into a field.
#include <QString>
#include <QValidator>

#include <string>

namespace tarvena::editor {

QString fromCp1251(const std::string &text);
// Characters that code page 1251 lacks become '?' (editors refuse them before this point).
std::string toCp1251(const QString &text);
bool fitsCp1251(const QString &text);

// Accepts a text when code page 1251 holds every character and, when validChars is not empty, every
// character's 1251 byte is one of validChars (a field's ValidChars).
class Cp1251Validator : public QValidator
{
public:
    explicit Cp1251Validator(std::string validChars = {}, QObject *parent = nullptr)
        : QValidator(parent), mValidChars(std::move(validChars))
    {}
    State validate(QString &input, int &pos) const override;

private:
    std::string mValidChars;
};

// Paints a widget's background white, as every page and the main window are.
void paintWhite(QWidget *widget);

} // namespace tarvena::editor
