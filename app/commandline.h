#pragma once
// The editor's command line: an optional --dictionaries DIR anywhere, and the passport to open.
#include <QString>
#include <QStringList>

namespace tarvena {

struct EditorCommandLine
{
    QString dictionaries;   // the folder named by --dictionaries; empty when not given
    QStringList parameters; // everything else, in order: one names the passport to open
    QString error;          // a wrong command line, in the user's words; empty when it is right
};

// arguments: the command line without the program's own name.
EditorCommandLine parseEditorCommandLine(const QStringList &arguments);

// The folder of the dictionary files for the editor started from programDir: the --dictionaries
// folder, else the TARVENA_DICTIONARIES variable, else the shipped ones (beside the program, then
// ../share/tarvena).
QString editorDictionaryFolder(const EditorCommandLine &commandLine, const QString &programDir);

} // namespace tarvena
