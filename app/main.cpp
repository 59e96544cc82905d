// The editor's entry: regional settings, the application's name, the data module with the
// dictionaries from beside the program, then the main window.
#include "app/mainform.h"
#include "app/regionalsettings.h"
#include "editor/dialogservice.h"
#include "editor/guiprompts.h"
#include "model/datamodule.h"

#include <QApplication>
#include <QIcon>

#include <exception>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    tarvena::InitRegionalSettings(application);
    QApplication::setApplicationName(QString::fromLatin1(tarvena::editor::kApplicationTitle));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/tarvena/logo.png")));

    tarvena::editor::GuiPrompts prompts;
    tarvena::editor::QtDialogService dialogs;
    tarvena::TDataModule2 data(&prompts);
    try {
        data.DataModuleCreate(QCoreApplication::applicationDirPath().toStdString());
    } catch (const std::exception &error) {
        // Without its dictionaries the editor cannot work: say why and refuse to start.
        tarvena::editor::showError(prompts, error);
        return 1;
    }

    tarvena::TMainForm form(data, prompts, dialogs, QApplication::arguments().mid(1));
    prompts.setFallbackParent(&form);
    form.show();
    return QApplication::exec();
}
