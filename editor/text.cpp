#include "editor/text.h"

#include "storage/codepage.h"

#include <QPalette>
#include <QWidget>

#include <array>

namespace tarvena::editor {

QString fromCp1251(const std::string &text)
{
    // Straight from the code page's table into the string: grids convert every cell they paint.
    static const std::array<char16_t, 256> table = [] {
        std::array<char16_t, 256> units{};
        for (int b = 0; b < 256; ++b)
            units[std::size_t(b)] = codepage::cp1251ToUtf16(std::string(1, char(b))).at(0);
        return units;
    }();
    QString result(qsizetype(text.size()), Qt::Uninitialized);
    QChar *out = result.data();
    for (unsigned char c : text)
        *out++ = QChar(table[c]);
    return result;
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
