#pragma once
// The manual's sources: Markdown files of one folder, read in the order of their names. A line
// "<!-- include: NAME -->" stands for the file NAME of the same folder as a code block, so an example
// file and its text in the manual cannot drift apart. Pictures of the program are written as
// ![...](page:OBJECTNAME) or ![...](window:OBJECTNAME).
#include <QMap>
#include <QString>
#include <QStringList>

namespace tarvena::manual {

struct ManualSources
{
    QString markdown;                // all files joined, includes resolved
    QMap<QString, QString> pictures; // picture name ("TabSheet3") → the file that shows it first
};

// Throws std::runtime_error naming the file when the folder has no Markdown or an include is missing.
ManualSources readManualSources(const QString &folder);

} // namespace tarvena::manual
