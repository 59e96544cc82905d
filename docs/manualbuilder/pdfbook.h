#pragma once
// Lays the manual out on A4 sheets and writes it as a PDF: a title sheet, the contents with page
// numbers, then the text with the pictures of the program, each chapter from a new sheet.
#include <QImage>
#include <QMap>
#include <QString>

namespace tarvena::manual {

struct BookText
{
    QString title;    // "Инструкция пользователя"
    QString subtitle; // what the program is
    QString version;
    QString markdown;
};

// pictures: by name, as the Markdown refers to them after "page:" or "window:". Throws
// std::runtime_error for a picture that is not there or a PDF that cannot be written; an existing
// output file is replaced only by a complete one.
void writeManualPdf(const BookText &text, const QMap<QString, QImage> &pictures, const QString &output);

} // namespace tarvena::manual
