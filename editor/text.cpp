#include "editor/text.h"

#include "storage/codepage.h"

#include <QPalette>
#include <QWidget>

namespace tarvena::editor {

QString fromCp1251(const std::string &text)
{
    return QString::fromStdString(codepage::cp1251ToUtf8(text));
}

std::string toCp1251(const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    return codepage::utf8ToCp1251(std::string_view(utf8.constData(), std::size_t(utf8.size())));
}

bool fitsCp1251(const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    return codepage::utf8FitsCp1251(std::string_view(utf8.constData(), std::size_t(utf8.size())));
}

QValidator::State Cp1251Validator::validate(QString &input, int &) const
{
    if (!fitsCp1251(input))
        return Invalid;
    if (!mValidChars.empty()) {
        for (char c : toCp1251(input)) {
            if (mValidChars.find(c) == std::string::npos)
                return Invalid;
        }
    }
    return Acceptable;
}

void paintWhite(QWidget *widget)
{
    widget->setAutoFillBackground(true);
    QPalette white = widget->palette();
    white.setColor(QPalette::Window, Qt::white);
    widget->setPalette(white);
}

} // namespace tarvena::editor
