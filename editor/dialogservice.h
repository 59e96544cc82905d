#pragma once
// Every place where the editor waits for the user outside a message box goes through this service:
// file and folder dialogs, the input box, the map scale editor, the stratigraphy picker and the
// desktop's "open" action. The program uses the Qt implementation; tests answer through their own.
#include <QString>
#include <QStringList>

#include <optional>

class QUrl;
class QWidget;

namespace tarvena {
class TDataModule2;
}

namespace tarvena::editor {

// A file dialog as the program configures it. The filter is a list of "description|patterns"
// pairs joined by "|", e.g. "Файлы паспортов|*.psp|Все файлы|*.*".
struct FileDialogSettings
{
    QString title;
    QString filter;
    int filterIndex = 1; // 1-based
    QString defaultExt;
    QString fileName; // the name the dialog starts with; callers keep the chosen one here
};

// The filter of the settings in Qt's form ("Файлы паспортов (*.psp);;Все файлы (*.*)"); a description
// that already ends with its patterns in brackets is taken as it is.
QStringList qtNameFilters(const QString &filter);

class DialogService
{
public:
    virtual ~DialogService() = default;
    // An existing file to open; empty when cancelled.
    virtual QString openFileName(QWidget *parent, const FileDialogSettings &settings) = 0;
    // A file name to write; empty when cancelled. An existing file is replaced without a question.
    virtual QString saveFileName(QWidget *parent, const FileDialogSettings &settings) = 0;
    // An existing folder; empty when cancelled.
    virtual QString existingFolder(QWidget *parent, const QString &title, const QString &start) = 0;
    // One line of text; nullopt when cancelled.
    virtual std::optional<QString> inputText(QWidget *parent, const QString &caption, const QString &prompt,
                                             const QString &text) = 0;
    // Opens a document or address with the desktop's default program; false when that failed.
    virtual bool openUrl(const QUrl &url) = 0;
    // The map scale editor opened on a denominator (0 for none); the denominator chosen, nullopt when
    // cancelled. A service that cannot show it cancels.
    virtual std::optional<int> editScale(QWidget *parent, int current);
    // The stratigraphy picker positioned on a unit's key (0 for none); the key chosen (0 for none),
    // nullopt when cancelled. It moves the shared views of the systems and indices (Dict19, Dict16)
    // and leaves the indices unfiltered. A service that cannot show it cancels.
    virtual std::optional<int> selectStratigraphicUnit(QWidget *parent, TDataModule2 &data, int current);
};

class QtDialogService : public DialogService
{
public:
    QString openFileName(QWidget *parent, const FileDialogSettings &settings) override;
    QString saveFileName(QWidget *parent, const FileDialogSettings &settings) override;
    QString existingFolder(QWidget *parent, const QString &title, const QString &start) override;
    std::optional<QString> inputText(QWidget *parent, const QString &caption, const QString &prompt,
                                     const QString &text) override;
    bool openUrl(const QUrl &url) override;
    std::optional<int> editScale(QWidget *parent, int current) override;
    std::optional<int> selectStratigraphicUnit(QWidget *parent, TDataModule2 &data, int current) override;
};

} // namespace tarvena::editor
