#include "editor/viewerlookup.h"

#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>

namespace tarvena::editor {

bool hasViewerFor(const QString &path)
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    const QString query = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (query.isEmpty())
        return true;
    const QString type = QMimeDatabase().mimeTypeForFile(path).name();
    QProcess process;
    process.start(query, {QStringLiteral("query"), QStringLiteral("default"), type});
    if (!process.waitForFinished(5000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        return true;
    return !process.readAllStandardOutput().trimmed().isEmpty();
#else
    Q_UNUSED(path);
    return true;
#endif
}

} // namespace tarvena::editor
