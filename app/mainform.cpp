#include "app/mainform.h"

#include "app/aboutbox.h"
#include "editor/dialogs/passportcheck.h"
#include "editor/dialogs/passportdiffdialog.h"
#include "editor/dialogs/selectexporttypeform.h"
#include "editor/guiprompts.h"
#include "editor/loadingform.h"
#include "editor/pages/contourspage.h"
#include "editor/pages/documentspage.h"
#include "editor/pages/tablebook.h"
#include "editor/runcommand.h"
#include "editor/text.h"
#include "editor/undo.h"
#include "exchange/unpacking/trimmed.h"
#include "exchange/unpacking/unpack.h"
#include "model/completeness.h"
#include "model/datamodule.h"
#include "model/passportblocks.h"
#include "storage/shippedfiles.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>
#include <QUrl>
#include <QVBoxLayout>

#include <string>
#include <vector>

namespace tarvena {

namespace {

constexpr int kWidth = 965;
constexpr int kHeight = 754;
constexpr int kStripHeight = 9;
constexpr int kGeologyPage = 3;

const char kPassportFilter[] = "Файлы паспортов|*.psp|Все файлы|*.*";
const char kNewTitle[] = "Создание паспорта";
const char kHelpFileName[] = "Инструкция пользователя.pdf";

QString fromUtf8(const std::string &text)
{
    return QString::fromStdString(text);
}

using editor::paintWhite;

} // namespace

TMainForm::TMainForm(TDataModule2 &data, Prompts &prompts, editor::DialogService &dialogs,
                     const QStringList &parameters, QWidget *parent)
    : QMainWindow(parent), mData(data), mPrompts(prompts), mDialogs(dialogs),
      mParameters(parameters), mContext{data, prompts, dialogs, *this}, mSession(data, this)
{
    for (const std::string &folder :
         platform::shippedFolders(QCoreApplication::applicationDirPath().toStdString()))
        helpFolders.append(fromUtf8(folder));
    setObjectName(QStringLiteral("MainForm"));
    resize(kWidth, kHeight);
    paintWhite(this);

    OpenDialog1 = {QStringLiteral("Загрузка файла паспорта"), QString::fromUtf8(kPassportFilter), 1,
                   QStringLiteral("PSP"), QString()};
    SaveDialog1 = {QStringLiteral("Сохранить файл паспорта"), QString::fromUtf8(kPassportFilter), 1,
                   QStringLiteral("PSP"), QString()};

    buildMenu();
    buildPages();
    FormCreate();
}

TMainForm::~TMainForm() = default;

QTabWidget *TMainForm::pageControl2() const
{
    return mTableBook->pageControl();
}

void TMainForm::buildMenu()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));

    // The first key is the one the menu shows; the others are the keys other programs use for it.
    const auto item = [this](QMenu *menu, const char *name, const QString &caption,
                             const QList<QKeySequence> &shortcuts, void (TMainForm::*handler)()) {
        QAction *action = menu->addAction(caption);
        action->setObjectName(QLatin1String(name));
        action->setShortcuts(shortcuts);
        connect(action, &QAction::triggered, this, handler);
    };
    const auto separator = [](QMenu *menu, const char *name) {
        menu->addSeparator()->setObjectName(QLatin1String(name));
    };

    QMenu *file = bar->addMenu(QStringLiteral("&Файл"));
    file->setObjectName(QStringLiteral("N1"));
    item(file, "N2", QStringLiteral("&Открыть"), {Qt::Key_F3, Qt::CTRL | Qt::Key_O}, &TMainForm::N2Click);
    item(file, "N3", QStringLiteral("&Сохранить"), {Qt::Key_F2, Qt::CTRL | Qt::Key_S}, &TMainForm::N3Click);
    item(file, "N4", QStringLiteral("Сохранить &как ..."),
         {Qt::SHIFT | Qt::Key_F2, Qt::CTRL | Qt::SHIFT | Qt::Key_S}, &TMainForm::N4Click);
    item(file, "N13", QStringLiteral("&Проверить паспорт"), {Qt::Key_F7}, &TMainForm::N13Click);
    separator(file, "N10");
    item(file, "N12", QStringLiteral("&Распаковать паспорт..."), {}, &TMainForm::N12Click);
    item(file, "CompareWithFile", QStringLiteral("Сравнить с &файлом…"), {},
         &TMainForm::CompareWithFileClick);
    separator(file, "N11");
    item(file, "N5", QStringLiteral("Вы&ход"), {Qt::Key_F10}, &TMainForm::N5Click);

    mEditMenu = new editor::EditMenu(mData, bar);
    // A resource page's filter stays as the step left it: the slots are derived without lifting it.
    mEditMenu->afterReplay = [this] {
        mDocumentsPage->deriveSlots();
        mTableBook->page<editor::ContoursPage>()->followReplay();
    };

    QMenu *help = bar->addMenu(QStringLiteral("&Помощь"));
    help->setObjectName(QStringLiteral("N6"));
    item(help, "N7", QStringLiteral("Справка"), {}, &TMainForm::N7Click);
    separator(help, "N8");
    item(help, "N9", QStringLiteral("О программе ..."), {}, &TMainForm::N9Click);
}

void TMainForm::buildPages()
{
    auto *central = new QWidget(this);
    paintWhite(central);
    auto *strip = new QWidget(central);
    strip->setObjectName(QStringLiteral("Panel2"));
    strip->setFixedHeight(kStripHeight);
    paintWhite(strip);

    mPageControl1 = new QTabWidget(central);
    mPageControl1->setObjectName(QStringLiteral("PageControl1"));
    mPageControl1->setTabPosition(QTabWidget::West);
    mTableBook = new editor::TableBook(mContext);
    mDocumentsPage = new editor::DocumentsPage(mContext);
    mPageControl1->addTab(mTableBook, mTableBook->caption());
    const int documents = mPageControl1->addTab(mDocumentsPage, mDocumentsPage->caption());
    mPageControl1->setTabToolTip(documents, editor::DocumentsPage::hint());
    mPageControl1->setCurrentIndex(0);
    // Showing the documents page, by the user or by a queued request, checks the horizons first.
    connect(mPageControl1, &QTabWidget::currentChanged, this, [this](int index) {
        if (mPageControl1->widget(index) == mDocumentsPage)
            mDocumentsPage->TabSheet2Show();
    });

    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(strip);
    layout->addWidget(mPageControl1, 1);
    setCentralWidget(central);
}

void TMainForm::FormCreate()
{
    setWindowTitle(QString::fromUtf8(kNewTitle));
    RebuildFileSlots();
    // Two or more parameters (an unquoted path with a blank, say) open nothing.
    if (mParameters.size() == 1)
        postOpenParam();
}

void TMainForm::RebuildFileSlots()
{
    mDocumentsPage->RebuildFileSlots();
}

void TMainForm::N2Click()
{
    openPassport(QString());
}

void TMainForm::OpenPassportFile(const QString &path)
{
    openPassport(path);
}

void TMainForm::openPassport(const QString &path)
{
    // The open shows its own boxes (the damaged file's question) and its rules speak as they load.
    editor::runCommand(mContext, {.holdNotices = false}, [&] {
        // The open dialog starts from the last passport asked for, also one given without it.
        if (!path.isEmpty() && !mSession.loading())
            OpenDialog1.fileName = path;
        const PassportSession::Opened opened = mSession.open(path.toStdString());
        if (opened == PassportSession::Opened::File) {
            SaveDialog1.fileName = fromUtf8(mSession.fileName());
            setWindowTitle(QStringLiteral("Редактирование паспорта: ") + fromUtf8(mSession.fileName()));
        } else if (opened == PassportSession::Opened::SurvivingPart) {
            // A new passport: Save asks for a name and proposes neither the damaged file nor the last one.
            SaveDialog1.fileName.clear();
            setWindowTitle(QString::fromUtf8(kNewTitle));
        }
    });
}

std::string TMainForm::choosePassport()
{
    const QString path = mDialogs.openFileName(this, OpenDialog1);
    // The open dialog starts from the last passport asked for, even a cancelled ask.
    OpenDialog1.fileName = path;
    return path.toStdString();
}

std::unique_ptr<Progress> TMainForm::progress(const std::string &text)
{
    return std::make_unique<ProgressWindow>(this, fromUtf8(text));
}

bool TMainForm::openSurvivingPart(const std::string &question)
{
    return mPrompts.message("Подтверждение", question, Prompts::Icon::Question, Prompts::Yes | Prompts::No) ==
           Prompts::Yes;
}

void TMainForm::passportShown()
{
    RebuildFileSlots();
    if (mPassportCheck && mPassportCheck->isVisible())
        mPassportCheck->check();
    postTablePage(0);
    postMainPage(0);
    QCoreApplication::processEvents();
}

void TMainForm::recordRules()
{
    mTableBook->afterOpen();
    QCoreApplication::processEvents();
}

void TMainForm::N3Click()
{
    savePassport(false);
}

void TMainForm::N4Click()
{
    savePassport(true);
}

void TMainForm::savePassport(bool askName)
{
    // What the post of the pending edits tells is shown before the save dialog.
    editor::runCommand(mContext, {.postPendingEdits = true, .holdNotices = false}, [&] {
        SaveDialog1.filter = QStringLiteral("Файлы паспортов (*.psp)|*.psp|Все файлы (*.*)|*.*");
        SaveDialog1.filterIndex = 1;
        SaveDialog1.defaultExt = QStringLiteral("psp");
        QString path = fromUtf8(mSession.fileName());
        if (path.isEmpty() || askName) {
            path = mDialogs.saveFileName(this, SaveDialog1);
            // The session takes the new name only once the file is written.
            if (!path.isEmpty())
                SaveDialog1.fileName = path;
        }
        mSession.save(path.toStdString());
    });
}

void TMainForm::N5Click()
{
    close();
}

void TMainForm::closeEvent(QCloseEvent *event)
{
    event->setAccepted(FormCloseQuery());
}

bool TMainForm::FormCloseQuery()
{
    // The passport record stays in edit state, so this post always marks the passport modified.
    if (!editor::runCommand(mContext, {.postPendingEdits = true}, [] {}))
        return false;
    const int buttons = Prompts::Yes | Prompts::No;
    if (mPrompts.message("Предупреждение", "Вы действительно хотите выйти из программы?",
                         Prompts::Icon::Question, buttons) != Prompts::Yes)
        return false;
    if (!mSession.modified())
        return true;
    if (mPrompts.message("Предупреждение", "Вы не сохранили паспорт. Сохранить?", Prompts::Icon::Question,
                         buttons) != Prompts::Yes)
        return true;
    // Saving keeps the program running.
    N3Click();
    return false;
}

void TMainForm::N7Click()
{
    // The manual ships with the program; the current folder is the last place looked in.
    std::vector<std::string> folders;
    for (const QString &folder : helpFolders)
        folders.push_back(folder.toStdString());
    folders.push_back(QDir::currentPath().toStdString());
    const std::string folder = platform::findShippedFile(folders, kHelpFileName);
    if (folder.empty()) {
        editor::showMessage(mPrompts, "Файл справки отсутствует или был переименован!");
        return;
    }
    const QString help = QDir(fromUtf8(folder)).absoluteFilePath(QString::fromUtf8(kHelpFileName));
    // Without a PDF viewer the user can still open the manual by hand: say where it lies.
    if (!mDialogs.openUrl(QUrl::fromLocalFile(help)))
        editor::showError(mPrompts,
                          "Не удалось открыть файл справки: не найдена программа для просмотра PDF.\n"
                          "Руководство пользователя: " +
                              QDir::toNativeSeparators(help).toStdString());
}

void TMainForm::N9Click()
{
    int result = 0;
    {
        TAboutBox box(mPrompts, mDialogs, this);
        result = box.exec();
    }
    if (result == TAboutBox::ResultYes)
        close();
}

void TMainForm::N12Click()
{
    editor::runCommand(mContext, {.postPendingEdits = true, .holdNotices = false}, [this] {
        // Table 4 shows the geology summary as the page shows it.
        mTableBook->page(kGeologyPage)->pageEntered();
        int engine = 0;
        {
            editor::TSelectExportTypeForm form(availableEngines(), this);
            engine = mDialogs.runModal(form);
        }
        if (engine != editor::TSelectExportTypeForm::ResultYes &&
            engine != editor::TSelectExportTypeForm::ResultNo)
            return;
        if (trimmed(mData.PASPORTS.FieldByName("OBJECTNAME").AsString()).empty()) {
            mPrompts.message("Ошибка", "На задано наименование объекта", Prompts::Icon::Error, Prompts::Ok);
            return;
        }
        // Unpacking is never refused, but a passport with errors is not what the reviewers expect.
        const int errors = completeness::countFindings(completeness::checkPassport(mData)).errors;
        if (errors > 0 &&
            mPrompts.message("Подтверждение",
                             "Проверка паспорта нашла ошибок: " + std::to_string(errors) +
                                 " (Файл → Проверить паспорт). Распаковать паспорт?",
                             Prompts::Icon::Question, Prompts::Yes | Prompts::No) != Prompts::Yes)
            return;
        ProgressWindow progress(this, QStringLiteral("Распаковка ..."));
        progress.loading().pump();
        const QString folder = mDialogs.existingFolder(
            this, QStringLiteral("Выбор каталога для распакованного паспорта"), QString());
        if (folder.isEmpty())
            return;
        const editor::CommandScope unpacking(mContext);
        unpackPassport(mData, folder.toStdString(), engine == editor::TSelectExportTypeForm::ResultYes,
                       &progress);
    });
}

void TMainForm::CompareWithFileClick()
{
    editor::FileDialogSettings settings = OpenDialog1;
    settings.title = QStringLiteral("Сравнить с файлом");
    editor::comparePassportWithFile(mContext, settings);
}

void TMainForm::N13Click()
{
    if (!mPassportCheck) {
        mPassportCheck =
            new editor::PassportCheckDock(mContext, {mPageControl1, mTableBook, mDocumentsPage}, this);
        addDockWidget(Qt::BottomDockWidgetArea, mPassportCheck);
    }
    mPassportCheck->check();
    mPassportCheck->show();
    mPassportCheck->raise();
}

void TMainForm::postTablePage(int index)
{
    QMetaObject::invokeMethod(
        this, [this, index] { WMTablePage(index); }, Qt::QueuedConnection);
}

void TMainForm::postMainPage(int index)
{
    QMetaObject::invokeMethod(
        this, [this, index] { WMMainPage(index); }, Qt::QueuedConnection);
}

void TMainForm::postOpenParam()
{
    QMetaObject::invokeMethod(
        this, [this] { WMOpenParam(); }, Qt::QueuedConnection);
}

void TMainForm::WMTablePage(int index)
{
    mTableBook->showPage(index);
}

void TMainForm::WMMainPage(int index)
{
    mPageControl1->setCurrentIndex(index);
}

void TMainForm::WMOpenParam()
{
    if (mParameters.isEmpty())
        return;
    // The title and the save target show the full path even when the parameter was relative.
    OpenPassportFile(QFileInfo(mParameters.constFirst()).absoluteFilePath());
}

} // namespace tarvena
