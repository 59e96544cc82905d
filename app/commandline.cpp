#include "app/commandline.h"

#include "storage/shippedfiles.h"

#include <QtGlobal>

namespace tarvena {

EditorCommandLine parseEditorCommandLine(const QStringList &arguments)
{
    EditorCommandLine result;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        if (arguments[i] != QLatin1String("--dictionaries")) {
            result.parameters.append(arguments[i]);
            continue;
        }
        if (++i >= arguments.size() || arguments[i].isEmpty()) {
            result.error = QStringLiteral("После параметра --dictionaries не указан каталог словарей.");
            return result;
        }
        result.dictionaries = arguments[i];
    }
    return result;
}

QString editorDictionaryFolder(const EditorCommandLine &commandLine, const QString &programDir)
{
    return QString::fromStdString(platform::dictionaryFolder(
        commandLine.dictionaries.toStdString(), qEnvironmentVariable("TARVENA_DICTIONARIES").toStdString(),
        programDir.toStdString()));
}

} // namespace tarvena
