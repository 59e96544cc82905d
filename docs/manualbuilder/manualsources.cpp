#include "docs/manualbuilder/manualsources.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <stdexcept>

namespace tarvena::manual {

namespace {

QString readText(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error(
            QStringLiteral("Не удалось прочитать «%1»: %2.").arg(path, file.errorString()).toStdString());
    return QString::fromUtf8(file.readAll());
}

} // namespace

ManualSources readManualSources(const QString &folder)
{
    const QDir dir(folder);
    const QStringList files = dir.entryList({QStringLiteral("*.md")}, QDir::Files, QDir::Name);
    if (files.isEmpty())
        throw std::runtime_error(
            QStringLiteral("В папке «%1» нет файлов Markdown.").arg(folder).toStdString());

    static const QRegularExpression include(QStringLiteral("^<!--\\s*include:\\s*(\\S+)\\s*-->\\s*$"),
                                            QRegularExpression::MultilineOption);
    static const QRegularExpression picture(QStringLiteral("!\\[[^\\]]*\\]\\((?:page|window):(\\w+)\\)"));
    ManualSources sources;
    for (const QString &name : files) {
        QString text = readText(dir.filePath(name));
        for (QRegularExpressionMatch m = include.match(text); m.hasMatch(); m = include.match(text)) {
            QString example = readText(dir.filePath(m.captured(1)));
            if (!example.endsWith(QLatin1Char('\n')))
                example += QLatin1Char('\n');
            text.replace(m.capturedStart(), m.capturedLength(),
                         QStringLiteral("```\n") + example + QStringLiteral("```"));
        }
        for (auto it = picture.globalMatch(text); it.hasNext();) {
            const QString shown = it.next().captured(1);
            if (!sources.pictures.contains(shown))
                sources.pictures.insert(shown, name);
        }
        sources.markdown += text + QStringLiteral("\n\n");
    }
    return sources;
}

} // namespace tarvena::manual
