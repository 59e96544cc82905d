#include "editor/dialogservice.h"

#include "editor/dialogs/editscaleform.h"
#include "editor/dialogs/selecstratigrform.h"
#include "editor/filedialogview.h"
#include "editor/viewerlookup.h"
#include "model/datamodule.h"

#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QScreen>
#include <QUrl>

namespace tarvena::editor {

QStringList qtNameFilters(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList result;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts.at(i + 1);
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        const QString description = parts.at(i).trimmed();
        if (description.endsWith(QLatin1Char(')')) && description.contains(QLatin1Char('(')))
            result << description;
        else
            result << description + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    return result;
}

namespace {

constexpr int kInputBoxCharacters = 128;

// Runs one file dialog configured from settings; empty when cancelled.
QString runFileDialog(QWidget *parent, const FileDialogSettings &settings, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(parent, settings.title);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    prepareFileDialog(dialog);
    const QStringList filters = qtNameFilters(settings.filter);
    dialog.setNameFilters(filters);
    if (settings.filterIndex >= 1 && settings.filterIndex <= filters.size())
        dialog.selectNameFilter(filters.at(settings.filterIndex - 1));
    dialog.setDefaultSuffix(settings.defaultExt);
    if (!settings.fileName.isEmpty()) {
        const QFileInfo info(settings.fileName);
        dialog.setDirectory(info.absolutePath());
        dialog.selectFile(info.fileName());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    QString chosen = dialog.selectedFiles().constFirst();
    // A native dialog may ignore the default suffix.
    if (mode == QFileDialog::AcceptSave && !settings.defaultExt.isEmpty() &&
        QFileInfo(chosen).suffix().isEmpty())
        chosen += QLatin1Char('.') + settings.defaultExt;
    return chosen;
}

} // namespace

QString QtDialogService::openFileName(QWidget *parent, const FileDialogSettings &settings)
{
    return runFileDialog(parent, settings, QFileDialog::AcceptOpen);
}

QString QtDialogService::saveFileName(QWidget *parent, const FileDialogSettings &settings)
{
    return runFileDialog(parent, settings, QFileDialog::AcceptSave);
}

QString QtDialogService::existingFolder(QWidget *parent, const QString &title, const QString &start)
{
    QFileDialog dialog(parent, title, start);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    prepareFileDialog(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

std::optional<QString> QtDialogService::inputText(QWidget *parent, const QString &caption,
                                                  const QString &prompt, const QString &text)
{
    QInputDialog dialog(parent);
    dialog.setWindowTitle(caption);
    dialog.setLabelText(prompt);
    dialog.setTextValue(text);
    // The passport's text fields hold up to 128 characters: the box shows them whole where the screen
    // is wide enough.
    const int wide = dialog.fontMetrics().averageCharWidth() * kInputBoxCharacters;
    const QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    const int room = screen ? screen->availableGeometry().width() * 9 / 10 : wide;
    if (auto *edit = dialog.findChild<QLineEdit *>())
        edit->setMinimumWidth(std::min(wide, room));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

bool QtDialogService::openUrl(const QUrl &url)
{
    if (url.isLocalFile() && !hasViewerFor(url.toLocalFile()))
        return false;
    return QDesktopServices::openUrl(url);
}

std::optional<int> DialogService::editScale(QWidget *, int)
{
    return std::nullopt;
}

std::optional<int> DialogService::selectStratigraphicUnit(QWidget *, TDataModule2 &, int)
{
    return std::nullopt;
}

int DialogService::runModal(QDialog &)
{
    return QDialog::Rejected;
}

std::optional<int> QtDialogService::editScale(QWidget *parent, int current)
{
    TEditScaleForm form(parent);
    form.setValue(current);
    if (form.exec() != QDialog::Accepted)
        return std::nullopt;
    return form.value();
}

std::optional<int> QtDialogService::selectStratigraphicUnit(QWidget *parent, TDataModule2 &data, int current)
{
    TSelecStratigrForm form(data.dict(19), data.dict(16), parent);
    form.position(current);
    if (form.exec() != QDialog::Accepted)
        return std::nullopt;
    return form.result();
}

int QtDialogService::runModal(QDialog &dialog)
{
    return dialog.exec();
}

} // namespace tarvena::editor
