#include "editor/dialogservice.h"

#include "editor/dialogs/editscaleform.h"
#include "editor/dialogs/selecstratigrform.h"
#include "model/datamodule.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
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

// Runs one file dialog configured from settings; empty when cancelled.
QString runFileDialog(QWidget *parent, const FileDialogSettings &settings, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(parent, settings.title);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
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
    return QFileDialog::getExistingDirectory(parent, title, start);
}

std::optional<QString> QtDialogService::inputText(QWidget *parent, const QString &caption,
                                                  const QString &prompt, const QString &text)
{
    bool ok = false;
    const QString value = QInputDialog::getText(parent, caption, prompt, QLineEdit::Normal, text, &ok);
    if (!ok)
        return std::nullopt;
    return value;
}

bool QtDialogService::openUrl(const QUrl &url)
{
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

} // namespace tarvena::editor
