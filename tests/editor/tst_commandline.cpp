// The editor's command line: where its dictionaries come from and which passport it opens.
#include "app/commandline.h"
#include "tests/editor/testregistry.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace tarvena;

class CommandLineTest : public QObject
{
    Q_OBJECT

private slots:
    void parse_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("dictionaries");
        QTest::addColumn<QStringList>("parameters");
        QTest::addColumn<bool>("refused");
        QTest::newRow("nothing") << QStringList() << "" << QStringList() << false;
        QTest::newRow("passport") << QStringList{"a.psp"} << "" << QStringList{"a.psp"} << false;
        QTest::newRow("option first")
            << QStringList{"--dictionaries", "/d", "a.psp"} << "/d" << QStringList{"a.psp"} << false;
        QTest::newRow("option last") << QStringList{"a.psp", "--dictionaries", "/d"} << "/d"
                                     << QStringList{"a.psp"} << false;
        // Two parameters stay two, so the window opens nothing, as without the option.
        QTest::newRow("two parameters") << QStringList{"my", "--dictionaries", "/d", "file.psp"} << "/d"
                                        << QStringList{"my", "file.psp"} << false;
        QTest::newRow("folder missing")
            << QStringList{"a.psp", "--dictionaries"} << "" << QStringList() << true;
        QTest::newRow("folder empty")
            << QStringList{"--dictionaries", "", "a.psp"} << "" << QStringList() << true;
    }

    void parse()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, dictionaries);
        QFETCH(QStringList, parameters);
        QFETCH(bool, refused);
        const EditorCommandLine line = parseEditorCommandLine(arguments);
        QCOMPARE(line.error.isEmpty(), !refused);
        if (refused) {
            QCOMPARE(line.error,
                     QStringLiteral("После параметра --dictionaries не указан каталог словарей."));
            return;
        }
        QCOMPARE(line.dictionaries, dictionaries);
        QCOMPARE(line.parameters, parameters);
    }

    void dictionaryFolderOrder()
    {
        // An installed tree: the dictionaries in share/tarvena beside the program's bin/.
        QTemporaryDir root;
        const QString bin = root.filePath(QStringLiteral("bin"));
        const QString share = root.filePath(QStringLiteral("share/tarvena"));
        QVERIFY(QDir().mkpath(bin) && QDir().mkpath(share));
        QFile file(share + QStringLiteral("/DICTIONARYS.BIN"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();

        const QByteArray previous = qgetenv("TARVENA_DICTIONARIES");
        qunsetenv("TARVENA_DICTIONARIES");
        const QString installed = editorDictionaryFolder(parseEditorCommandLine({}), bin);
        qputenv("TARVENA_DICTIONARIES", QByteArrayLiteral("/их словари"));
        const QString fromEnvironment = editorDictionaryFolder(parseEditorCommandLine({}), bin);
        const QString fromOption =
            editorDictionaryFolder(parseEditorCommandLine({"--dictionaries", "/d"}), bin);
        if (previous.isNull())
            qunsetenv("TARVENA_DICTIONARIES");
        else
            qputenv("TARVENA_DICTIONARIES", previous);

        QCOMPARE(installed, share);
        QCOMPARE(fromEnvironment, QStringLiteral("/их словари"));
        QCOMPARE(fromOption, QStringLiteral("/d"));
    }
};

TARVENA_REGISTER_TEST(CommandLineTest)
#include "tst_commandline.moc"
