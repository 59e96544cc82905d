// Unpacking from the menu: the engine choice with and without the office suite, the refusals before
// anything is written, the progress window, and the folder it writes, which is the folder that
// tarvena-cli unpack writes.
#include "editor/dialogs/selectexporttypeform.h"
#include "editor/loadingform.h"
#include "tests/editor/editorfixture.h"
#include "tests/editor/testregistry.h"
#include "tests/support/clirun.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>

#include <filesystem>
#include <map>

using namespace tarvena;
using namespace tarvena::testing;
using editor::TSelectExportTypeForm;

namespace {

namespace fs = std::filesystem;

// Every file under root by its path relative to root, with its bytes.
std::map<std::string, std::string> tree(const fs::path &root)
{
    std::map<std::string, std::string> files;
    for (const fs::directory_entry &entry : fs::recursive_directory_iterator(root)) {
        if (entry.is_regular_file())
            files[fs::relative(entry.path(), root).string()] = readFileBytes(entry.path());
    }
    return files;
}

// The user picks an engine in the engine form.
std::function<void(QDialog &)> choose(int button)
{
    return [button](QDialog &dialog) {
        auto &form = static_cast<TSelectExportTypeForm &>(dialog);
        QPushButton *buttons[] = {form.Button1(), form.Button2(), form.Button3()};
        QTest::mouseClick(buttons[button - 1], Qt::LeftButton);
    };
}

void unpackFromTheMenu(Editor &e)
{
    e.form->findChild<QAction *>(QStringLiteral("N12"))->trigger();
    QCoreApplication::processEvents();
}

} // namespace

class UnpackDialogsTest : public QObject
{
    Q_OBJECT

private slots:
    void engineFormOffersInstalledEngines_data()
    {
        QTest::addColumn<bool>("officeSuite");
        QTest::newRow("LibreOffice absent") << false;
        QTest::newRow("LibreOffice present") << true;
    }
    void engineFormOffersInstalledEngines()
    {
        QFETCH(bool, officeSuite);
        TSelectExportTypeForm form({true, officeSuite});
        QCOMPARE(form.windowTitle(), QStringLiteral("Выбор типа экспорта"));
        QCOMPARE(form.Label1()->text(),
                 QStringLiteral("Выберите тип экспорта. Выбранный пакет должен стоять у "
                                "вас на компьютере иначе произойдет ошибка."));
        QCOMPARE(form.Button1()->text(), QStringLiteral("Microsoft Excel"));
        QCOMPARE(form.Button2()->text(), QStringLiteral("OpenOffice Calc"));
        QCOMPARE(form.Button3()->text(), QStringLiteral("Отказ"));
        QVERIFY(form.Button1()->isEnabled());
        QCOMPARE(form.Button2()->isEnabled(), officeSuite);
        QVERIFY(form.Button3()->isEnabled());

        const std::pair<QPushButton *, int> results[] = {
            {form.Button1(), TSelectExportTypeForm::ResultYes},
            {form.Button2(), TSelectExportTypeForm::ResultNo},
            {form.Button3(), TSelectExportTypeForm::ResultCancel}};
        for (const auto &[button, result] : results) {
            form.setResult(0);
            form.show();
            QVERIFY(QTest::qWaitForWindowExposed(&form));
            QTest::mouseClick(button, Qt::LeftButton);
            // A disabled button does nothing.
            QCOMPARE(form.result(), button->isEnabled() ? result : 0);
        }
        form.setResult(0);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QTest::keyClick(&form, Qt::Key_Escape);
        QCOMPARE(form.result(), int(TSelectExportTypeForm::ResultCancel));
        QVERIFY(form.isHidden());
    }

    void unpackWritesWhatTheCommandLineWrites()
    {
        Editor e;
        e.open();
        QTemporaryDir menu, command;
        e.dialogs.modalScripts.push_back(choose(1));
        e.dialogs.folderAnswers = {menu.path()};
        bool progressShown = false;
        e.dialogs.onFolderAsked = [&] {
            const auto *loading = e.form->findChild<TLoadingForm *>();
            progressShown = loading && loading->isVisible() && loading->Label1()->text() == "Распаковка ...";
        };
        unpackFromTheMenu(e);
        QVERIFY2(e.prompts.calls.empty(), e.prompts.calls.empty() ? "" : e.prompts.calls[0].text.c_str());
        QCOMPARE(e.dialogs.modalShown, QStringList({"Выбор типа экспорта"}));
        QCOMPARE(e.dialogs.folderAsked, QStringList({"Выбор каталога для распакованного паспорта"}));
        QVERIFY(progressShown);
        QVERIFY(!e.form->findChild<TLoadingForm *>());

        const CliRun run = runCli({"unpack", builtSamplePassport(), command.path().toStdString()});
        QCOMPARE(run.exitCode, 0);
        const auto written = tree(menu.path().toStdString());
        QCOMPARE(written.size(), std::size_t(14 + 8 + 3)); // workbooks, attachments, description files
        QVERIFY(written.count(
            "ПАСПОРТ ОБЪЕКТА Северо-Тарвенская структура/ТАБЛИЦЫ/Таблица 11 Контуры ловушек.xls"));
        const auto expected = tree(command.path().toStdString());
        QCOMPARE(written.size(), expected.size());
        for (const auto &[path, bytes] : written) {
            QVERIFY2(expected.count(path), path.c_str());
            QVERIFY2(expected.at(path) == bytes, path.c_str());
        }
    }

    void nothingIsWrittenBeforeTheFolderIsChosen_data()
    {
        QTest::addColumn<int>("engineButton"); // 0: the form is closed
        QTest::addColumn<QString>("objectName");
        QTest::addColumn<bool>("folderAsked");
        QTest::addColumn<QString>("message");
        QTest::newRow("engine form closed") << 0 << QStringLiteral("Объект") << false << QString();
        QTest::newRow("Отказ") << 3 << QStringLiteral("Объект") << false << QString();
        QTest::newRow("no object name")
            << 1 << QStringLiteral("   ") << false << QStringLiteral("На задано наименование объекта");
        QTest::newRow("folder dialog cancelled") << 1 << QStringLiteral("Объект") << true << QString();
    }
    void nothingIsWrittenBeforeTheFolderIsChosen()
    {
        QFETCH(int, engineButton);
        QFETCH(QString, objectName);
        QFETCH(bool, folderAsked);
        QFETCH(QString, message);
        Editor e;
        e.data.PASPORTS.FieldByName("OBJECTNAME")
            .SetAsString(codepage::utf8ToCp1251(objectName.toStdString()));
        if (engineButton)
            e.dialogs.modalScripts.push_back(choose(engineButton));
        // A new passport lacks what the passport check wants: the user goes on all the same.
        e.prompts.answers = {Prompts::Yes};
        unpackFromTheMenu(e);
        QCOMPARE(e.dialogs.modalShown.size(), 1);
        QCOMPARE(e.dialogs.folderAsked.size(), folderAsked ? 1 : 0);
        const std::size_t asked = folderAsked ? 1 : 0;
        QCOMPARE(e.prompts.calls.size(), asked + (message.isEmpty() ? 0 : 1));
        if (asked)
            QVERIFY(e.prompts.calls[0].text.starts_with("Проверка паспорта нашла ошибок: "));
        if (!message.isEmpty()) {
            QCOMPARE(e.prompts.calls[0].caption, std::string("Ошибка"));
            QCOMPARE(QString::fromStdString(e.prompts.calls[0].text), message);
            QCOMPARE(e.prompts.calls[0].icon, Prompts::Icon::Error);
        }
        QVERIFY(!e.form->findChild<TLoadingForm *>());
    }

    void damagedAttachmentsAreToldInTheErrorBox()
    {
        Editor e;
        e.open();
        MemTable &files = e.data.FILES;
        files.Append();
        files.FieldByName("NAME").SetAsString("Prod9.png");
        files.FieldByName("CONTENT").SetAsString(std::string("\x1f\x8b\x08\x00", 4) + "not deflate data");
        files.Post();
        QTemporaryDir folder;
        e.dialogs.modalScripts.push_back(choose(1));
        e.dialogs.folderAnswers = {folder.path()};
        unpackFromTheMenu(e);
        QCOMPARE(e.prompts.calls.size(), std::size_t(1));
        QCOMPARE(e.prompts.calls[0].caption, std::string(editor::kApplicationTitle));
        QCOMPARE(e.prompts.calls[0].icon, Prompts::Icon::Error);
        QCOMPARE(e.prompts.calls[0].text,
                 std::string("Содержимое файлов повреждено, они не распакованы: \"Prod9.png\"."));
        // The rest was written.
        QCOMPARE(tree(folder.path().toStdString()).size(), std::size_t(14 + 8 + 3));
    }
};

TARVENA_REGISTER_TEST(UnpackDialogsTest)
#include "tst_unpackdialogs.moc"
