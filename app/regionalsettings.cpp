#include "app/regionalsettings.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <clocale>

namespace tarvena {

void InitRegionalSettings(QCoreApplication &application)
{
    // The application object took the machine's locale for the C library; numbers must not follow
    // it. Numbers and dates of the passport go through the program's own routines ("." and
    // "dd.mm.yyyy"), never through a locale; this covers library code that reads one.
    std::setlocale(LC_NUMERIC, "C");
    // What Qt shows by itself (dates in the file dialogs, month names) reads Russian.
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));

    // Standard buttons and dialogs read "Да", "Нет", "Открыть" on every machine.
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    auto *translator = new QTranslator(&application);
    if (translator->load(QStringLiteral("qtbase_ru"), folder))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
    // Ours after Qt's: the strings of Qt 6 that Qt's Russian lacks (the file dialogs' type names).
    auto *own = new QTranslator(&application);
    if (own->load(QStringLiteral(":/tarvena/translations/tarvena_ru.qm")))
        QCoreApplication::installTranslator(own);
    else
        delete own;
}

} // namespace tarvena
