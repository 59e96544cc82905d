// The passport commands of the main window as a user meets them: a file damaged part-way never
// touches the passport that was open, and what survived of it opens as a new passport; the keys of
// the commands.
#include "app/mainform.h"
#include "storage/codepage.h"
#include "tests/editor/editorfixture.h"
#include "tests/editor/testregistry.h"

#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

using namespace tarvena;
using namespace tarvena::testing;

namespace {

const QString kNewTitle = QStringLiteral("Создание паспорта");
const QString kEditTitle = QStringLiteral("Редактирование паспорта: ");

} // namespace

class PassportCommandsTest : public QObject
{
    Q_OBJECT

    QTemporaryDir mDir;
    QString path(const char *name) const { return mDir.filePath(QString::fromUtf8(name)); }
    // A copy of the sample passport to open and save.
    QString sampleCopy(const char *name) const
    {
        const QString copy = path(name);
        QFile::remove(copy);
        return QFile::copy(QString::fromStdString(builtSamplePassport()), copy) ? copy : QString();
    }

private slots:
    void damagedOpen_data()
    {
        QTest::addColumn<bool>("openSurvivingPart");
        QTest::newRow("keep the passport that was open") << false;
        QTest::newRow("open what survived as a new passport") << true;
    }
    void damagedOpen()
    {
        QFETCH(bool, openSurvivingPart);
        const QString previous = sampleCopy("previous.psp");
        QVERIFY(!previous.isEmpty());
        // The sample cut inside its last block, the attached files.
        const QByteArray whole = readBytes(previous);
        const QString damaged = path("damaged.psp");
        QFile cut(damaged);
        QVERIFY(cut.open(QIODevice::WriteOnly));
        cut.write(whole.left(whole.size() - 40));
        cut.close();

        Editor e;
        e.open(previous.toStdString());
        const int points = e.data.KONTUR.RecordCount();
        const int files = e.data.FILES.RecordCount();
        QVERIFY(points > 0 && files > 0);
        // An edit of the open passport, not yet posted.
        QCOMPARE(e.data.PASPORTS.State(), TableState::Edit);
        e.data.PASPORTS.FieldByName("OBJECTNAME").SetAsString(cp("Изменённая структура"));
        e.data.PassportModified = true;

        e.prompts.answers = {openSurvivingPart ? Prompts::Yes : Prompts::No};
        e.form->OpenPassportFile(damaged);
        QCOMPARE(e.prompts.calls.size(), std::size_t(1));
        const PromptCall &asked = e.prompts.calls.front();
        QCOMPARE(asked.caption, std::string("Подтверждение"));
        QCOMPARE(asked.icon, Prompts::Icon::Question);
        QCOMPARE(asked.buttons, Prompts::Yes | Prompts::No);
        QCOMPARE(QString::fromStdString(asked.text),
                 "Файл \"" + damaged +
                     "\" повреждён: не прочитаны присоединённые файлы (Stream read error). Открыть уцелевшую "
                     "часть как новый паспорт?");
        QVERIFY(!e.data.PassportLoading);

        if (!openSurvivingPart) {
            // Exactly as it was: the edit, the flag, the title, the file name, every table.
            QCOMPARE(e.objectName(), std::string("Изменённая структура"));
            QCOMPARE(e.data.PASPORTS.State(), TableState::Edit);
            QVERIFY(e.data.PassportModified);
            QCOMPARE(e.form->windowTitle(), kEditTitle + previous);
            QCOMPARE(e.fileName(), previous);
            QCOMPARE(e.data.KONTUR.RecordCount(), points);
            QCOMPARE(e.data.FILES.RecordCount(), files);
            // Save writes that passport, whole, where it came from.
            e.form->N3Click();
            Editor reader;
            reader.open(previous.toStdString());
            QCOMPARE(reader.objectName(), std::string("Изменённая структура"));
            QCOMPARE(reader.data.KONTUR.RecordCount(), points);
            QCOMPARE(reader.data.FILES.RecordCount(), files);
            return;
        }
        // A new passport of what was read whole: everything but the attached files.
        QCOMPARE(e.form->windowTitle(), kNewTitle);
        QCOMPARE(e.fileName(), QString());
        QVERIFY(e.data.PassportModified);
        QCOMPARE(e.objectName(), std::string("Северо-Тарвенская структура"));
        QCOMPARE(e.data.KONTUR.RecordCount(), points);
        QCOMPARE(e.data.FILES.RecordCount(), 0);
        // Save asks for a name, proposing neither file.
        const QString rescued = path("rescued.psp");
        e.dialogs.saveAnswers = {rescued};
        e.form->N3Click();
        QCOMPARE(e.dialogs.saveAsked.size(), std::size_t(1));
        QCOMPARE(e.dialogs.saveAsked.front().fileName, QString());
        QCOMPARE(e.fileName(), rescued);
        QCOMPARE(readBytes(previous), whole);
        QCOMPARE(readBytes(damaged), whole.left(whole.size() - 40));
    }

    // The commands' keys work while the user types in a field: those of the menu and the ones other
    // programs use.
    void keys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("command");
        QTest::newRow("F3") << int(Qt::Key_F3) << int(Qt::NoModifier) << "open";
        QTest::newRow("Ctrl+O") << int(Qt::Key_O) << int(Qt::ControlModifier) << "open";
        QTest::newRow("F2") << int(Qt::Key_F2) << int(Qt::NoModifier) << "save";
        QTest::newRow("Ctrl+S") << int(Qt::Key_S) << int(Qt::ControlModifier) << "save";
        QTest::newRow("Shift+F2") << int(Qt::Key_F2) << int(Qt::ShiftModifier) << "save as";
        QTest::newRow("Ctrl+Shift+S")
            << int(Qt::Key_S) << int(Qt::ControlModifier | Qt::ShiftModifier) << "save as";
    }
    void keys()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, command);
        const QString passport = sampleCopy("keys.psp");
        Editor e;
        e.open(passport.toStdString());
        e.form->show();
        QVERIFY(QTest::qWaitForWindowActive(e.form.get()));
        auto *name = e.form->findChild<QLineEdit *>("DBEdit1");
        QVERIFY(name);
        name->setFocus();
        name->selectAll();
        typeText(name, QStringLiteral("Новая структура"));
        const QDateTime written = QFileInfo(passport).lastModified();
        QTest::qWait(20); // a rewrite gets a later time

        QTest::keyClick(name, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCoreApplication::processEvents();
        QCOMPARE(e.dialogs.openAsked.size(), std::size_t(command == "open"));
        QCOMPARE(e.dialogs.saveAsked.size(), std::size_t(command == "save as"));
        QCOMPARE(QFileInfo(passport).lastModified() > written, command == "save");
        QVERIFY(e.prompts.calls.empty());
    }
};

TARVENA_REGISTER_TEST(PassportCommandsTest)
#include "tst_passportcommands.moc"
