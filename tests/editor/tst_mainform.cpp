// The main window with the real data module: menu and pages, titles, the passport commands, the
// close query and the queued requests.
#include "app/aboutbox.h"
#include "app/mainform.h"
#include "editor/loadingform.h"
#include "editor/pages/geographypage.h"
#include "editor/pages/tablebook.h"
#include "model/datamodule.h"
#include "storage/codepage.h"
#include "tests/editor/editorfixture.h"
#include "tests/editor/testregistry.h"
#include "tests/editor/userstandin.h"
#include "tests/support/samplepassport.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <memory>

using namespace tarvena;
using namespace tarvena::testing;

namespace {

const QString kNewTitle = QStringLiteral("Создание паспорта");
const QString kEditTitle = QStringLiteral("Редактирование паспорта: ");
const std::string kExitQuestion = "Вы действительно хотите выйти из программы?";
const std::string kSaveQuestion = "Вы не сохранили паспорт. Сохранить?";

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

class MainFormTest : public QObject
{
    Q_OBJECT

    QTemporaryDir mDir;
    QString mSample; // a valid passport written by the data module
    QString path(const char *name) const { return mDir.filePath(QString::fromUtf8(name)); }

private slots:
    void initTestCase()
    {
        QVERIFY(mDir.isValid());
        const QString dictionaries =
            QString::fromStdString(dictionaryDir()) + QStringLiteral("/DICTIONARYS.BIN");
        QVERIFY2(QFileInfo::exists(dictionaries), "the dictionary files are not built");
        RecordingPrompts prompts;
        TDataModule2 data(&prompts);
        data.DataModuleCreate(dictionaryDir());
        fillSamplePassport(data);
        mSample = path("Образец паспорта.psp");
        data.SavePassport(mSample.toStdString());
        QVERIFY(QFileInfo(mSample).size() > 9);
    }

    void menuStructure()
    {
        Editor editor;
        TMainForm &form = *editor.form;
        QCOMPARE(form.menuBar()->objectName(), QStringLiteral("MainMenu1"));
        struct Item
        {
            const char *name;
            const char *caption; // nullptr: separator
            QKeySequence shortcut;
        };
        const struct
        {
            const char *name;
            const char *caption;
            std::vector<Item> items;
        } menus[] = {
            {"N1",
             "&Файл",
             {{"N2", "&Открыть", QKeySequence(Qt::Key_F3)},
              {"N3", "&Сохранить", QKeySequence(Qt::Key_F2)},
              {"N4", "Сохранить &как ...", QKeySequence(Qt::SHIFT | Qt::Key_F2)},
              {"N13", "&Проверить паспорт", QKeySequence(Qt::Key_F7)},
              {"N10", nullptr, {}},
              {"N12", "&Распаковать паспорт...", {}},
              {"CompareWithFile", "Сравнить с &файлом…", {}},
              {"N11", nullptr, {}},
              {"N5", "Вы&ход", QKeySequence(Qt::Key_F10)}}},
            {"N6", "&Помощь", {{"N7", "Справка", {}}, {"N8", nullptr, {}}, {"N9", "О программе ...", {}}}},
        };
        // The edit menu between them has its own test.
        QList<QAction *> top = form.menuBar()->actions();
        QCOMPARE(top.size(), 3);
        top.removeAt(1);
        for (int m = 0; m < 2; ++m) {
            QMenu *menu = top.at(m)->menu();
            QVERIFY(menu);
            QCOMPARE(menu->objectName(), QLatin1String(menus[m].name));
            QCOMPARE(menu->title(), QString::fromUtf8(menus[m].caption));
            const QList<QAction *> actions = menu->actions();
            QCOMPARE(actions.size(), qsizetype(menus[m].items.size()));
            for (std::size_t i = 0; i < menus[m].items.size(); ++i) {
                const Item &item = menus[m].items[i];
                QAction *action = actions.at(qsizetype(i));
                QCOMPARE(action->objectName(), QLatin1String(item.name));
                QCOMPARE(action->isSeparator(), item.caption == nullptr);
                if (item.caption)
                    QCOMPARE(action->text(), QString::fromUtf8(item.caption));
                QCOMPARE(action->shortcut(), item.shortcut);
            }
        }
    }

    void pagesAndWindow()
    {
        Editor editor;
        TMainForm &form = *editor.form;
        QCOMPARE(form.windowTitle(), kNewTitle);
        QCOMPARE(form.size(), QSize(965, 754));
        QCOMPARE(form.palette().color(QPalette::Window), QColor(Qt::white));
        QCOMPARE(form.findChild<QWidget *>("Panel2")->height(), 9);

        QTabWidget *outer = form.pageControl1();
        QCOMPARE(outer->objectName(), QStringLiteral("PageControl1"));
        QCOMPARE(outer->tabPosition(), QTabWidget::West);
        QCOMPARE(outer->count(), 2);
        QCOMPARE(outer->tabText(0), QStringLiteral("Таблицы"));
        QCOMPARE(outer->tabText(1), QStringLiteral("Документы/Графика"));
        QCOMPARE(outer->widget(1)->objectName(), QStringLiteral("TabSheet2"));
        QCOMPARE(outer->currentIndex(), 0);

        const char *captions[] = {"1.География",
                                  "2.История",
                                  "3.Методика подготовки",
                                  "4.Геология",
                                  "5.Отражающие горизонты",
                                  "6.Качество",
                                  "7.Возможные продуктивные горизонты",
                                  "8.Ресурсы нефти",
                                  "9.Ресурсы газа",
                                  "10.Ресурсы газоконденсата",
                                  "11.Контуры ловушек",
                                  "12.Экономика"};
        QTabWidget *inner = form.pageControl2();
        QCOMPARE(inner->objectName(), QStringLiteral("PageControl2"));
        // Page 12 is never shown, so it has no tab.
        QCOMPARE(inner->count(), 11);
        for (int i = 0; i < 12; ++i) {
            editor::BookPage *page = form.tableBook()->page(i);
            QCOMPARE(inner->indexOf(page), i < 11 ? i : -1);
            QCOMPARE(i < 11 ? inner->tabText(i) : page->caption(), QString::fromUtf8(captions[i]));
            QCOMPARE(page->objectName(), QStringLiteral("TabSheet%1").arg(i + 3));
            QCOMPARE(page->accessibleName(), QString::fromUtf8(captions[i]));
        }
        QVERIFY(form.tableBook()->page(11)->isHidden());
        QCOMPARE(inner->currentIndex(), 0);
        // The scroll buttons reach the last page.
        form.resize(600, 400);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        for (int step = 0; step < 20; ++step) {
            for (QToolButton *arrow : inner->tabBar()->findChildren<QToolButton *>()) {
                if (arrow->arrowType() == Qt::RightArrow && arrow->isEnabled())
                    arrow->click();
            }
        }
        QVERIFY(inner->tabBar()->tabRect(10).right() <= inner->tabBar()->width());
    }

    void commandLine_data()
    {
        QTest::addColumn<int>("parameterCount");
        QTest::addColumn<bool>("opens");
        QTest::newRow("none") << 0 << false;
        QTest::newRow("one") << 1 << true;
        QTest::newRow("two, as an unquoted path with a blank") << 2 << false;
    }

    void commandLine()
    {
        QFETCH(int, parameterCount);
        QFETCH(bool, opens);
        // A relative parameter is opened from the current directory and shown as a full path.
        const QString previous = QDir::currentPath();
        QDir::setCurrent(mDir.path());
        const QStringList parameters =
            QStringList{QFileInfo(mSample).fileName(), QStringLiteral("extra")}.mid(0, parameterCount);
        Editor editor(parameters);
        // The open is queued: it runs once the event loop is running, after the window was created.
        QCOMPARE(editor.form->windowTitle(), kNewTitle);
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        QDir::setCurrent(previous);

        QCOMPARE(editor.form->windowTitle(), opens ? kEditTitle + mSample : kNewTitle);
        QCOMPARE(editor.fileName(), opens ? mSample : QString());
        QCOMPARE(editor.form->OpenDialog1.fileName, opens ? mSample : QString());
        if (opens)
            QCOMPARE(editor.objectName(), std::string("Северо-Тарвенская структура"));
        QVERIFY(!editor.data.PassportModified);
        QVERIFY(!editor.data.PassportLoading);
        QVERIFY(editor.prompts.calls.empty());
    }

    void openByDialog()
    {
        Editor editor;
        editor.dialogs.openAnswers = {mSample};
        editor.form->N2Click();
        QCOMPARE(editor.dialogs.openAsked.size(), std::size_t(1));
        const editor::FileDialogSettings &asked = editor.dialogs.openAsked.front();
        QCOMPARE(asked.title, QStringLiteral("Загрузка файла паспорта"));
        QCOMPARE(asked.filter, QStringLiteral("Файлы паспортов|*.psp|Все файлы|*.*"));
        QCOMPARE(asked.defaultExt, QStringLiteral("PSP"));
        QCOMPARE(editor.form->windowTitle(), kEditTitle + mSample);
        QCOMPARE(editor.form->SaveDialog1.fileName, mSample);
        QVERIFY(!editor.data.PassportModified);
        QVERIFY(!editor.data.PassportLoading);
        QVERIFY(!editor.form->findChild<TLoadingForm *>());
        // The passport record is left in edit state for the pages.
        QCOMPARE(editor.data.PASPORTS.State(), TableState::Edit);
        // The next ask starts from the passport just opened.
        editor.form->N2Click();
        QCOMPARE(editor.dialogs.openAsked.size(), std::size_t(2));
        QCOMPARE(editor.dialogs.openAsked.back().fileName, mSample);
    }

    void cancelledOpen()
    {
        Editor editor;
        editor.form->pageControl2()->setCurrentIndex(3);
        editor.form->pageControl1()->setCurrentIndex(1);
        // The documents page of the empty passport warns that horizons are missing.
        QCOMPARE(int(editor.prompts.calls.size()), 1);
        editor.prompts.calls.clear();
        editor.data.PassportModified = true;
        editor.form->N2Click();
        QCOMPARE(editor.dialogs.openAsked.size(), std::size_t(1));
        QTRY_COMPARE(editor.form->pageControl2()->currentIndex(), 0);
        QTRY_COMPARE(editor.form->pageControl1()->currentIndex(), 0);
        QVERIFY(!editor.data.PassportModified);
        QVERIFY(!editor.data.PassportLoading);
        QCOMPARE(editor.form->windowTitle(), kNewTitle);
        QCOMPARE(editor.fileName(), QString());
        QVERIFY(editor.prompts.calls.empty());
    }

    void failedOpen_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("error");
        const QByteArray valid = readBytes(mSample);
        QByteArray version = valid;
        version[8] = 2;
        // Without the signature the file is read as headerless, and its bytes do not make a table.
        QTest::newRow("not a passport")
            << QByteArray("Lorem ipsum dolor sit amet, consectetur adipiscing") << "";
        QTest::newRow("version") << version << "Unknown PSP version";
        QTest::newRow("the record's block cut") << valid.left(20) << "";
        // A file cut after its first table offers what survived: PassportCommandsTest.
    }

    void failedOpen()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, error);
        const QString damaged = path("damaged.psp");
        writeBytes(damaged, bytes);

        Editor editor;
        editor.form->OpenPassportFile(mSample);
        QCoreApplication::processEvents();
        editor.data.PassportModified = true;
        editor.form->OpenPassportFile(damaged);

        QCOMPARE(editor.form->windowTitle(), kEditTitle + mSample);
        QCOMPARE(editor.fileName(), mSample);
        QVERIFY(editor.data.PassportModified);
        QVERIFY(!editor.data.PassportLoading);
        QVERIFY(!editor.form->findChild<TLoadingForm *>());
        QCOMPARE(editor.prompts.calls.size(), std::size_t(1));
        const PromptCall &call = editor.prompts.calls.front();
        QCOMPARE(call.caption, std::string("Tarvena"));
        QCOMPARE(call.icon, Prompts::Icon::Error);
        QVERIFY(!call.text.empty());
        QVERIFY2(QString::fromStdString(call.text).startsWith(error), call.text.c_str());
    }

    void openWhileLoadingIsIgnored()
    {
        Editor editor;
        editor.data.PassportLoading = true;
        editor.form->OpenPassportFile(mSample);
        editor.form->N2Click();
        QVERIFY(editor.dialogs.openAsked.empty());
        QCOMPARE(editor.form->windowTitle(), kNewTitle);
        QCOMPARE(editor.fileName(), QString());
        // The running open still owns the flag.
        QVERIFY(editor.data.PassportLoading);
    }

    void cancelledSaveOfNewPassport()
    {
        Editor editor;
        editor.form->N3Click();
        QCOMPARE(editor.dialogs.saveAsked.size(), std::size_t(1));
        const editor::FileDialogSettings &asked = editor.dialogs.saveAsked.front();
        QCOMPARE(asked.title, QStringLiteral("Сохранить файл паспорта"));
        QCOMPARE(asked.filter, QStringLiteral("Файлы паспортов (*.psp)|*.psp|Все файлы (*.*)|*.*"));
        QCOMPARE(asked.defaultExt, QStringLiteral("psp"));
        QCOMPARE(asked.filterIndex, 1);
        QVERIFY(!editor.data.PassportModified);
        QCOMPARE(editor.fileName(), QString());
        QVERIFY(editor.prompts.calls.empty());

        // The pending edits were posted by the save, so leaving asks only whether to leave.
        editor.prompts.answers = {Prompts::Yes};
        QVERIFY(editor.form->FormCloseQuery());
        QCOMPARE(editor.prompts.calls.size(), std::size_t(1));
        QCOMPARE(editor.prompts.calls.front().text, kExitQuestion);
    }

    void closeQuery_data()
    {
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<int>("questions");
        QTest::addColumn<int>("saveDialogs");
        QTest::newRow("no: stay") << QList<int>{Prompts::No} << false << 1 << 0;
        QTest::newRow("yes, do not save: close") << QList<int>{Prompts::Yes, Prompts::No} << true << 2 << 0;
        QTest::newRow("yes, save: stay and save")
            << QList<int>{Prompts::Yes, Prompts::Yes} << false << 2 << 1;
    }

    void closeQuery()
    {
        QFETCH(QList<int>, answers);
        QFETCH(bool, closes);
        QFETCH(int, questions);
        QFETCH(int, saveDialogs);
        Editor editor;
        const QString target = path("closequery.psp");
        QFile::remove(target);
        editor.dialogs.saveAnswers = {target};
        editor.prompts.answers.assign(answers.begin(), answers.end());
        // A new passport has its record in insert state: the close query's post marks it modified.
        QVERIFY(!editor.data.PassportModified);
        QCOMPARE(editor.form->FormCloseQuery(), closes);

        QCOMPARE(editor.prompts.calls.size(), std::size_t(questions));
        const std::string texts[] = {kExitQuestion, kSaveQuestion};
        for (int i = 0; i < questions; ++i) {
            const PromptCall &call = editor.prompts.calls[std::size_t(i)];
            QCOMPARE(call.caption, std::string("Предупреждение"));
            QCOMPARE(call.text, texts[i]);
            QCOMPARE(call.icon, Prompts::Icon::Question);
            QCOMPARE(call.buttons, Prompts::Yes | Prompts::No);
        }
        QCOMPARE(int(editor.dialogs.saveAsked.size()), saveDialogs);
        QCOMPARE(QFileInfo::exists(target), saveDialogs == 1);
    }

    void closeAfterAnEditRightAfterOpenAsksAndSavesInPlace()
    {
        const QString copy = path("inplace.psp");
        QFile::remove(copy);
        QVERIFY(QFile::copy(mSample, copy));
        Editor editor;
        editor.form->OpenPassportFile(copy);
        QCoreApplication::processEvents();
        QFile(copy).resize(0);
        // Storing the record as it was read changes nothing: only an edit makes the close ask.
        editor.prompts.answers = {Prompts::Yes};
        QVERIFY(editor.form->FormCloseQuery());
        QCOMPARE(editor.prompts.calls.size(), std::size_t(1));
        editor.prompts.calls.clear();
        editor.form->show();
        QVERIFY(QTest::qWaitForWindowExposed(editor.form.get()));
        type(editor.page<editor::GeographyPage>()->control("DBEdit1"), QStringLiteral("Другой объект"));

        editor.prompts.answers = {Prompts::Yes, Prompts::Yes};
        QVERIFY(!editor.form->FormCloseQuery());
        QCOMPARE(editor.prompts.calls.size(), std::size_t(2));
        QCOMPARE(editor.prompts.calls[1].text, kSaveQuestion);
        // Written back to the open file without a dialog; the program keeps running.
        QVERIFY(editor.dialogs.saveAsked.empty());
        QVERIFY(QFileInfo(copy).size() > 9);
        QVERIFY(!editor.data.PassportModified);
    }

    void saveAsKeepsTitle()
    {
        Editor editor;
        editor.form->OpenPassportFile(mSample);
        QCoreApplication::processEvents();
        const QString target = path("saved as.psp");
        QFile::remove(target);
        editor.dialogs.saveAnswers = {target};
        editor.form->N4Click();
        QCOMPARE(editor.fileName(), target);
        QCOMPARE(editor.form->windowTitle(), kEditTitle + mSample);
        QVERIFY(editor.prompts.calls.empty());

        // What was written reads back into a fresh editor with the same record.
        Editor reader;
        reader.form->OpenPassportFile(target);
        QCOMPARE(reader.objectName(), std::string("Северо-Тарвенская структура"));
        QCOMPARE(reader.data.REFLECT_HORIZONTS.RecordCount(), editor.data.REFLECT_HORIZONTS.RecordCount());
        QCOMPARE(reader.data.FILES.RecordCount(), editor.data.FILES.RecordCount());
    }

    void failedSaveKeepsModified()
    {
        Editor editor;
        editor.form->OpenPassportFile(mSample);
        QCoreApplication::processEvents();
        editor.data.PassportModified = true;
        editor.data.PassportFileName = path("no such folder/x.psp").toStdString();
        editor.form->N3Click();
        QCOMPARE(editor.prompts.calls.size(), std::size_t(1));
        QCOMPARE(editor.prompts.calls.front().icon, Prompts::Icon::Error);
        QCOMPARE(editor.prompts.calls.front().caption, std::string("Tarvena"));
        QVERIFY(editor.data.PassportModified);
        QVERIFY(!editor.form->findChild<TLoadingForm *>());
    }

    void failedSaveAsKeepsTheFileName()
    {
        // A Save as that cannot write must not redirect the next Save to a file that does not exist.
        Editor editor;
        editor.form->OpenPassportFile(mSample);
        QCoreApplication::processEvents();
        editor.dialogs.saveAnswers = {path("no such folder/x.psp")};
        editor.form->N4Click();
        QCOMPARE(editor.prompts.calls.size(), std::size_t(1));
        QCOMPARE(editor.fileName(), mSample);
    }

    void help_data()
    {
        // Where the manual lies, relative to a scratch tree whose bin/ stands for the program's folder
        // and cwd/ for the current folder; empty: nowhere.
        QTest::addColumn<QStringList>("placed");
        QTest::addColumn<QString>("opened");
        QTest::addColumn<bool>("viewerStarts");
        QTest::addColumn<QString>("message");
        QTest::addColumn<Prompts::Icon>("icon");
        const QString missing = QStringLiteral("Файл справки отсутствует или был переименован!");
        QTest::newRow("missing") << QStringList() << "" << true << missing << Prompts::Icon::None;
        QTest::newRow("current folder") << QStringList{"cwd"} << "cwd" << true << "" << Prompts::Icon::None;
        QTest::newRow("build tree") << QStringList{"bin", "share/tarvena", "cwd"} << "bin" << true << ""
                                    << Prompts::Icon::None;
        QTest::newRow("installed") << QStringList{"share/tarvena", "cwd"} << "share/tarvena" << true << ""
                                   << Prompts::Icon::None;
        QTest::newRow("no viewer") << QStringList{"cwd"} << "cwd" << false
                                   << "Не удалось открыть файл справки" << Prompts::Icon::Error;
    }

    void help()
    {
        QFETCH(QStringList, placed);
        QFETCH(QString, opened);
        QFETCH(bool, viewerStarts);
        QFETCH(QString, message);
        QFETCH(Prompts::Icon, icon);
        QTemporaryDir root;
        const QString name = QStringLiteral("Инструкция пользователя.pdf");
        for (const char *folder : {"bin", "share/tarvena", "cwd"})
            QVERIFY(QDir(root.path()).mkpath(folder));
        for (const QString &folder : placed)
            writeBytes(QDir(root.filePath(folder)).filePath(name), "%PDF-1.4\n");
        const QString previous = QDir::currentPath();
        QDir::setCurrent(root.filePath(QStringLiteral("cwd")));
        Editor editor;
        editor.form->helpFolders = {root.filePath(QStringLiteral("bin")),
                                    root.filePath(QStringLiteral("share/tarvena"))};
        editor.dialogs.openUrlSucceeds = viewerStarts;
        editor.form->N7Click();
        QDir::setCurrent(previous);

        QCOMPARE(editor.dialogs.openedUrls.size(), std::size_t(opened.isEmpty() ? 0 : 1));
        if (!opened.isEmpty())
            QCOMPARE(editor.dialogs.openedUrls.front(),
                     QUrl::fromLocalFile(QDir(root.filePath(opened)).filePath(name)));
        QCOMPARE(editor.prompts.calls.size(), std::size_t(message.isEmpty() ? 0 : 1));
        if (!message.isEmpty()) {
            QCOMPARE(editor.prompts.calls.front().caption, std::string("Tarvena"));
            const QString text = QString::fromStdString(editor.prompts.calls.front().text);
            QVERIFY(text.startsWith(message));
            QCOMPARE(editor.prompts.calls.front().icon, icon);
            // A manual that was found but could not be shown is named by its path.
            if (!opened.isEmpty())
                QVERIFY2(text.contains(QDir(root.filePath(opened)).filePath(name)), qPrintable(text));
        }
    }

    void helpLooksBesideTheProgramThenInShare()
    {
        // The default places follow the program's own folder.
        Editor editor;
        const QString bin = QCoreApplication::applicationDirPath();
        QCOMPARE(editor.form->helpFolders,
                 (QStringList{bin, QDir::cleanPath(bin + QStringLiteral("/../share/tarvena"))}));
    }

    void queuedRequestsRunAfterTheHandler()
    {
        Editor editor;
        TMainForm &form = *editor.form;
        // With horizons, the documents page stays shown.
        form.OpenPassportFile(mSample);
        QCoreApplication::processEvents();
        bool ranLater = false;
        // Posted from inside a handler: the pages switch only once that handler has returned.
        QMetaObject::invokeMethod(
            &form,
            [&] {
                form.postTablePage(5);
                form.postMainPage(1);
                ranLater =
                    form.pageControl2()->currentIndex() == 0 && form.pageControl1()->currentIndex() == 0;
            },
            Qt::QueuedConnection);
        QTRY_COMPARE(form.pageControl2()->currentIndex(), 5);
        QTRY_COMPARE(form.pageControl1()->currentIndex(), 1);
        QVERIFY(ranLater);
    }

    void choosingAPagePostsPendingEdits()
    {
        Editor editor;
        TMainForm &form = *editor.form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(editor.data.PASPORTS.State(), TableState::Insert);
        // A switch requested by the program leaves the record being edited.
        form.WMTablePage(2);
        QCOMPARE(form.pageControl2()->currentIndex(), 2);
        QCOMPARE(editor.data.PASPORTS.State(), TableState::Insert);
        QVERIFY(!editor.data.PassportModified);
        // The user's click on a tab posts it.
        QTabBar *tabs = form.pageControl2()->tabBar();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(3).center());
        QCOMPARE(form.pageControl2()->currentIndex(), 3);
        QCOMPARE(editor.data.PASPORTS.State(), TableState::Browse);
        QVERIFY(editor.data.PassportModified);
    }

    void aboutYesClosesTheWindow()
    {
        Editor editor;
        editor.form->show();
        QVERIFY(QTest::qWaitForWindowExposed(editor.form.get()));
        bool sawBox = false;
        QTimer::singleShot(0, editor.form.get(), [&] {
            QWidget *modal = QApplication::activeModalWidget();
            if (auto *box = qobject_cast<TAboutBox *>(modal)) {
                sawBox = box->parentWidget() == editor.form.get();
                box->done(TAboutBox::ResultYes);
            } else if (auto *dialog = qobject_cast<QDialog *>(modal)) {
                dialog->reject();
            }
        });
        editor.prompts.answers = {Prompts::No};
        editor.form->N9Click();
        QVERIFY(sawBox);
        // The close query ran; answered No, the window stays.
        QCOMPARE(editor.prompts.calls.size(), std::size_t(1));
        QCOMPARE(editor.prompts.calls.front().text, kExitQuestion);
        QVERIFY(editor.form->isVisible());
        QVERIFY(!editor.form->findChild<TAboutBox *>());

        editor.prompts.answers = {Prompts::Yes, Prompts::No};
        editor.form->N5Click();
        QVERIFY(!editor.form->isVisible());
    }
};

TARVENA_REGISTER_TEST(MainFormTest)
#include "tst_mainform.moc"
