// The editor's entry: regional settings, the application's name, the data module with the
// dictionaries (named on the command line, or shipped with the program), then the main window.
#include "app/commandline.h"
#include "app/mainform.h"
#include "app/regionalsettings.h"
#include "app/windowplacement.h"
#include "editor/dialogservice.h"
#include "editor/guiprompts.h"
#include "model/datamodule.h"

#include <QApplication>
#include <QIcon>
#include <QTabWidget>

#include <exception>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    tarvena::InitRegionalSettings(application);
    QApplication::setApplicationName(QString::fromLatin1(tarvena::editor::kApplicationTitle));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/tarvena/logo.png")));
    // Lets the desktop match the window to the installed tarvena.desktop entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("tarvena"));

    tarvena::editor::GuiPrompts prompts;
    tarvena::editor::QtDialogService dialogs;
    const tarvena::EditorCommandLine commandLine =
        tarvena::parseEditorCommandLine(QApplication::arguments().mid(1));
    if (!commandLine.error.isEmpty()) {
        tarvena::editor::showError(prompts, commandLine.error.toStdString());
        return 2;
    }
    tarvena::TDataModule2 data(&prompts);
    try {
        const QString folder =
            tarvena::editorDictionaryFolder(commandLine, QCoreApplication::applicationDirPath());
        data.DataModuleCreate(folder.toStdString());
    } catch (const std::exception &error) {
        // Without its dictionaries the editor cannot work: say why and refuse to start.
        tarvena::editor::showError(prompts, error);
        return 1;
    }

    tarvena::TMainForm form(data, prompts, dialogs, commandLine.parameters);
    prompts.setFallbackParent(&form);
    const QTabWidget *strips[] = {form.pageControl1(), form.pageControl2()};
    tarvena::placeMainWindow(form, strips, 2);
    form.show();
    const int result = QApplication::exec();
    tarvena::keepMainWindowPlace(form);
    return result;
}
