// Builds the user manual: the Markdown of docs/manual with pictures of the real editor on the
// sample passport, laid out as a PDF. Every page that the user can reach must have its section,
// so a new page cannot ship without its description.
#include "app/regionalsettings.h"
#include "docs/manualbuilder/manualsources.h"
#include "docs/manualbuilder/pagegrabber.h"
#include "docs/manualbuilder/pdfbook.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFontDatabase>
#include <QImage>
#include <QTextStream>

#include <algorithm>
#include <exception>

// The pictures of the program live in the application library's resources, which a static link
// only keeps when named (outside any namespace).
static void initAppResources()
{
    Q_INIT_RESOURCE(tarvena);
}

namespace {

// Every page the user can reach is shown in some section, and every picture shown exists.
QStringList checkCoverage(const std::vector<tarvena::manual::WindowPicture> &windows,
                          const tarvena::manual::ManualSources &sources, QTextStream &out)
{
    QStringList problems;
    out << "Страницы и окна программы:\n";
    for (const auto &window : windows) {
        const QString where = window.hidden
                                  ? QStringLiteral("скрыта, пользователю недоступна")
                                  : sources.pictures.value(window.name, QStringLiteral("НЕТ РАЗДЕЛА"));
        out << QStringLiteral("  %1  %2  → %3\n").arg(window.name, -12).arg(window.caption, -36).arg(where);
        if (!window.hidden && !sources.pictures.contains(window.name))
            problems << QStringLiteral("«%1» (%2) не описана в руководстве: добавьте раздел с картинкой "
                                       "![…](%3:%2).")
                            .arg(window.caption, window.name, window.kind);
    }
    for (auto it = sources.pictures.cbegin(); it != sources.pictures.cend(); ++it) {
        const bool shown = std::any_of(windows.begin(), windows.end(),
                                       [&](const auto &w) { return w.name == it.key() && !w.hidden; });
        if (!shown)
            problems << QStringLiteral(
                            "%1 показывает «%2», а такой видимой страницы или окна в программе нет.")
                            .arg(it.value(), it.key());
    }
    return problems;
}

// The offscreen platform warns about every window it cannot size as a desktop would.
void quietOffscreen(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (message.contains(QLatin1String("propagateSizeHints")))
        return;
    QTextStream(stderr) << qFormatLogMessage(type, context, message) << "\n";
}

} // namespace

int main(int argc, char *argv[])
{
    qInstallMessageHandler(quietOffscreen);
    // The pages are drawn without a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    tarvena::InitRegionalSettings(application);
    QApplication::setApplicationName(QStringLiteral("Tarvena"));
    initAppResources();
    QTextStream out(stdout);
    QTextStream err(stderr);

    QCommandLineParser parser;
    parser.addOptions({{"sources", "Folder of the manual's Markdown.", "DIR"},
                       {"passport", "The passport shown in the pictures.", "FILE"},
                       {"dictionaries", "Folder of the dictionary files.", "DIR"},
                       {"pictures", "Also keep the pictures as PNG files in DIR.", "DIR"},
                       {"output", "The PDF to write.", "FILE"}});
    parser.process(application);
    for (const char *required : {"sources", "passport", "dictionaries", "output"}) {
        if (!parser.isSet(QLatin1String(required))) {
            err << "tarvena-manual: --" << required << " is required\n";
            return 2;
        }
    }
    if (!QFontDatabase::writingSystems(QStringLiteral("DejaVu Sans")).contains(QFontDatabase::Cyrillic)) {
        err << "Нет шрифта DejaVu Sans с кириллицей (пакет fonts-dejavu-core): руководство не собрано.\n";
        return 1;
    }

    try {
        const tarvena::manual::ManualSources sources =
            tarvena::manual::readManualSources(parser.value("sources"));
        QStringList notes;
        const auto windows =
            tarvena::manual::grabWindows(parser.value("dictionaries"), parser.value("passport"), notes);
        for (const QString &note : notes)
            out << "Программа сказала: " << note << "\n";
        const QStringList problems = checkCoverage(windows, sources, out);
        out.flush();
        if (!problems.isEmpty()) {
            for (const QString &problem : problems)
                err << problem << "\n";
            return 1;
        }

        QMap<QString, QImage> pictures;
        for (const auto &window : windows) {
            if (window.hidden)
                continue;
            pictures.insert(window.name, window.image);
            if (parser.isSet("pictures") && QDir().mkpath(parser.value("pictures")))
                window.image.save(
                    QDir(parser.value("pictures")).filePath(window.name + QStringLiteral(".png")));
        }
        pictures.insert(QStringLiteral("logo"), QImage(QStringLiteral(":/tarvena/logo.png")));
        const tarvena::manual::BookText text{
            QStringLiteral("Инструкция пользователя"),
            QStringLiteral("Редактор электронного паспорта перспективного объекта нефти и газа"),
            QStringLiteral(TARVENA_VERSION), sources.markdown};
        tarvena::manual::writeManualPdf(text, pictures, parser.value("output"));
        out << "Руководство записано: " << parser.value("output") << "\n";
    } catch (const std::exception &error) {
        err << QString::fromStdString(error.what()) << "\n";
        return 1;
    }
    return 0;
}
