#pragma once
// TMainForm: the main window. It carries the menu, the two-level page book and the life of the open
// passport: open, save, save as, the close query, help and the about box, and the queued requests
// that switch pages or open the passport named on the command line once the current handler is done.
#include "editor/dialogservice.h"
#include "editor/pages/pagecontext.h"
#include "model/passportsession.h"

#include <QMainWindow>
#include <QStringList>

class QTabWidget;

namespace tarvena {

class Prompts;
class TDataModule2;
namespace editor {
class DocumentsPage;
class PassportCheckDock;
class EditMenu;
class TableBook;
} // namespace editor

class TMainForm : public QMainWindow, public editor::PageHost, private SessionViews
{
    Q_OBJECT
public:
    // parameters: the command-line parameters without the program's own name.
    TMainForm(TDataModule2 &data, Prompts &prompts, editor::DialogService &dialogs,
              const QStringList &parameters, QWidget *parent = nullptr);
    ~TMainForm() override;

    // The passport file dialogs; the contour export reuses SaveDialog1 with its own filter and name.
    editor::FileDialogSettings OpenDialog1;
    editor::FileDialogSettings SaveDialog1;
    // Where Help looks for the manual before the current folder: beside the program, then
    // ../share/tarvena.
    QStringList helpFolders;

    TDataModule2 &data() const { return mData; }
    Prompts &prompts() const { return mPrompts; }
    editor::DialogService &dialogs() const { return mDialogs; }
    QTabWidget *pageControl1() const { return mPageControl1; }
    QTabWidget *pageControl2() const;
    editor::TableBook *tableBook() const { return mTableBook; }
    editor::DocumentsPage *documentsPage() const { return mDocumentsPage; }
    PassportSession &session() { return mSession; }
    editor::EditMenu *editMenu() const { return mEditMenu; }

    // Menu commands.
    void N2Click();  // Open: asks for a passport file
    void N3Click();  // Save
    void N4Click();  // Save as
    void N5Click();  // Exit
    void N7Click();  // Help
    void N9Click();  // About
    void N12Click(); // Unpack the passport
    // Compares the open passport with a file
    void CompareWithFileClick();
    void N13Click(); // Check the passport before submission
    // Open without a dialog.
    void OpenPassportFile(const QString &path);
    // Runs whenever the window is about to close; true lets it close.
    bool FormCloseQuery();
    // Rebuilds the attachment slot lists from the horizons and FILES.
    void RebuildFileSlots();

    // Queued requests (1025, 1026, 1027): each runs after the handler that posted it has returned.
    void postTablePage(int index) override;
    void postMainPage(int index) override;
    QWidget *window() override { return this; }
    void showPassportCheck() override { N13Click(); }
    // The passport check's window, once it was opened.
    editor::PassportCheckDock *passportCheck() const { return mPassportCheck; }
    void postOpenParam();
    void WMTablePage(int index);
    void WMMainPage(int index);
    void WMOpenParam();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void FormCreate();
    void buildMenu();
    void buildPages();
    void openPassport(const QString &path);
    void savePassport(bool askName);

    // The window's part in the passport's life.
    std::string choosePassport() override;
    std::unique_ptr<Progress> progress(const std::string &text) override;
    bool openSurvivingPart(const std::string &question) override;
    void passportShown() override;
    void recordRules() override;

    TDataModule2 &mData;
    Prompts &mPrompts;
    editor::DialogService &mDialogs;
    QStringList mParameters;
    editor::PageContext mContext;
    PassportSession mSession;
    QTabWidget *mPageControl1 = nullptr;
    editor::TableBook *mTableBook = nullptr;
    editor::DocumentsPage *mDocumentsPage = nullptr;
    editor::PassportCheckDock *mPassportCheck = nullptr;
    editor::EditMenu *mEditMenu = nullptr;
};

} // namespace tarvena
