#pragma once
// TAboutBox: the program's name, version and picture, and the check for a newer version on the
// update server. When the user accepts an update and its download opens, the box ends with
// ResultYes and the main window closes.
#include <QDialog>

class QLabel;
class QPushButton;

namespace tarvena {

class Prompts;
class UpdateCheck;
namespace editor {
class DialogService;
}

class TAboutBox : public QDialog
{
    Q_OBJECT
public:
    // The box's result when an update was accepted and its download opened.
    static constexpr int ResultYes = 6;

    TAboutBox(Prompts &prompts, editor::DialogService &dialogs, QWidget *parent = nullptr);
    ~TAboutBox() override;

    // The update check: asks the update server and tells the user what it found.
    void Button2Click();
    UpdateCheck &updateCheck() const { return *mUpdateCheck; }

    // Closing the box drops a check still waiting for the server.
    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormCreate();
    void updateAnswered(bool answered, const QString &serverVersion);

    Prompts &mPrompts;
    editor::DialogService &mDialogs;
    UpdateCheck *mUpdateCheck;
    QLabel *mProductName;
    QLabel *mVersion;
    QLabel *mImage1;
    QLabel *mMaker;
    QPushButton *mButton2;
};

} // namespace tarvena
