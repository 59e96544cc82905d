// The about box and its update check against a real HTTP server on 127.0.0.1.
#include "app/aboutbox.h"
#include "app/updatecheck.h"
#include "app/version.h"
#include "tests/editor/cannedhttpserver.h"
#include "tests/editor/testregistry.h"
#include "tests/editor/userstandin.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace tarvena;
using namespace tarvena::testing;

namespace {

const char kNoAnswer[] = "На удалось определить версию файла на сервере :(";

void pointAtServer(const QString &base)
{
    qputenv("TARVENA_UPDATE_SERVER", base.toUtf8());
}

} // namespace

class UpdateCheckTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { qunsetenv("TARVENA_UPDATE_SERVER"); }

    void answerLine_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<bool>("answered");
        QTest::addColumn<QString>("version");
        QTest::newRow("plain") << QByteArray("V:1.28.0.0") << true << "1.28.0.0";
        QTest::newRow("blanks and control characters around")
            << QByteArray(" \t\x01V:1.27.0.0 \x02\r\n") << true << "1.27.0.0";
        QTest::newRow("blank after the colon is kept") << QByteArray("V: 1.27.0.0") << true << " 1.27.0.0";
        QTest::newRow("only the first line counts, CR ends it")
            << QByteArray("V:1.30.0.0\rV:1.27.0.0") << true << "1.30.0.0";
        QTest::newRow("V: alone") << QByteArray("V:\n") << true << "";
        QTest::newRow("small v") << QByteArray("v:1.27.0.0") << false << "";
        QTest::newRow("empty first line") << QByteArray("\nV:1.27.0.0") << false << "";
        QTest::newRow("empty body") << QByteArray() << false << "";
        QTest::newRow("html page") << QByteArray("<html>V:1.27.0.0</html>") << false << "";
    }

    void answerLine()
    {
        QFETCH(QByteArray, body);
        QFETCH(bool, answered);
        QFETCH(QString, version);
        const std::optional<QString> result = serverVersionFromAnswer(body);
        QCOMPARE(result.has_value(), answered);
        if (answered)
            QCOMPARE(*result, version);
    }

    void serverAddress()
    {
        QVERIFY(updateServerUrl(kVersionQueryPath).isValid());
        QCOMPARE(updateServerUrl(kVersionQueryPath).path(), QStringLiteral("/cgi-bin/Tarvena.dll/FileVer"));
        pointAtServer(QStringLiteral("http://mirror.example:8080/tarvena/"));
        QCOMPARE(updateServerUrl(kSetupDownloadPath).toString(),
                 QStringLiteral("http://mirror.example:8080/tarvena/TarvenaSetup.exe"));
    }

    void aboutBoxContent()
    {
        RecordingPrompts prompts;
        ScriptedDialogs dialogs;
        TAboutBox box(prompts, dialogs);
        QCOMPARE(box.windowTitle(), QStringLiteral("О программе"));
        QCOMPARE(box.findChild<QLabel *>("ProductName")->text(), QStringLiteral("TARVENA"));
        QCOMPARE(box.findChild<QLabel *>("Version")->text(), QStringLiteral("Версия 1.27.0.0"));
        QVERIFY(box.findChild<QLabel *>("Version")->font().bold());
        QVERIFY(!box.findChild<QLabel *>("Image1")->pixmap().isNull());
        auto *button = box.findChild<QPushButton *>("Button2");
        QCOMPARE(button->text(), QStringLiteral("Проверить наличие обновлений"));
        QCOMPARE(button->accessibleName(), button->text());
        QCOMPARE(productVersion(), QStringLiteral("1.27.0.0"));
        QCOMPARE(versionText("", {1, 2, 3, 4}), QStringLiteral("1.2.3.4"));
    }

    void serverAnswers_data()
    {
        QTest::addColumn<QByteArray>("response");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("text");
        QTest::addColumn<Prompts::Icon>("icon");
        QTest::addColumn<int>("buttons");
        const auto ok = [](const QByteArray &body) { return CannedHttpServer::response(200, body); };
        const QString latest = QStringLiteral("Установлена последняя версия!");
        const QString noAnswer = QString::fromUtf8(kNoAnswer);
        const int yesNo = Prompts::Yes | Prompts::No;

        QTest::newRow("same version with blanks around") << ok("  V:1.27.0.0  \r\n") << "Информация" << latest
                                                         << Prompts::Icon::Information << int(Prompts::Ok);
        QTest::newRow("small v") << ok("v:1.27.0.0") << "Ошибка" << noAnswer << Prompts::Icon::Error
                                 << int(Prompts::Ok);
        QTest::newRow("blank after the colon")
            << ok("V: 1.27.0.0") << "Информация"
            << "Ваша версия: 1.27.0.0\nВерсия на сервере:  1.27.0.0\nОбновить?" << Prompts::Icon::Question
            << yesNo;
        QTest::newRow("two lines, newer first")
            << ok("V:1.30.0.0\r\nV:1.27.0.0\r\n") << "Информация"
            << "Ваша версия: 1.27.0.0\nВерсия на сервере: 1.30.0.0\nОбновить?" << Prompts::Icon::Question
            << yesNo;
        QTest::newRow("older version also offers the update")
            << ok("V:1.26.0.0") << "Информация"
            << "Ваша версия: 1.27.0.0\nВерсия на сервере: 1.26.0.0\nОбновить?" << Prompts::Icon::Question
            << yesNo;
        QTest::newRow("empty body") << ok("") << "Ошибка" << noAnswer << Prompts::Icon::Error
                                    << int(Prompts::Ok);
        QTest::newRow("404 page") << CannedHttpServer::response(404, "<html><body>Not Found</body></html>")
                                  << "Ошибка" << noAnswer << Prompts::Icon::Error << int(Prompts::Ok);
        QTest::newRow("status is not looked at")
            << CannedHttpServer::response(500, "V:1.27.0.0") << "Информация" << latest
            << Prompts::Icon::Information << int(Prompts::Ok);
    }

    void serverAnswers()
    {
        QFETCH(QByteArray, response);
        QFETCH(QString, caption);
        QFETCH(QString, text);
        QFETCH(Prompts::Icon, icon);
        QFETCH(int, buttons);

        CannedHttpServer server(response);
        pointAtServer(server.baseUrl());
        RecordingPrompts prompts;
        ScriptedDialogs dialogs;
        TAboutBox box(prompts, dialogs);
        box.findChild<QPushButton *>("Button2")->click();
        QTRY_COMPARE_WITH_TIMEOUT(prompts.calls.size(), std::size_t(1), 10000);

        QCOMPARE(server.requestLines(), QByteArrayList{"GET /cgi-bin/Tarvena.dll/FileVer HTTP/1.1"});
        const PromptCall &call = prompts.calls.front();
        QCOMPARE(QString::fromStdString(call.caption), caption);
        QCOMPARE(QString::fromStdString(call.text), text);
        QCOMPARE(call.icon, icon);
        QCOMPARE(call.buttons, buttons);
        // Answered No (or only told): nothing is opened and the box keeps its result.
        QVERIFY(dialogs.openedUrls.empty());
        QCOMPARE(box.result(), 0);
        QVERIFY(box.findChild<QPushButton *>("Button2")->isEnabled());
    }

    void unreachableServer_data()
    {
        QTest::addColumn<bool>("silent");
        QTest::newRow("closed port") << false;
        QTest::newRow("server never answers") << true;
    }

    void unreachableServer()
    {
        QFETCH(bool, silent);
        CannedHttpServer server(QByteArray(), true);
        pointAtServer(silent ? server.baseUrl()
                             : QStringLiteral("http://127.0.0.1:%1").arg(CannedHttpServer::closedPort()));
        RecordingPrompts prompts;
        ScriptedDialogs dialogs;
        TAboutBox box(prompts, dialogs);
        box.updateCheck().setTimeLimit(std::chrono::milliseconds(300));
        box.show();
        box.Button2Click();
        // The box stays responsive while it waits: it is painted and its button cannot start a second check.
        QVERIFY(!box.findChild<QPushButton *>("Button2")->isEnabled());
        QTRY_COMPARE_WITH_TIMEOUT(prompts.calls.size(), std::size_t(1), 10000);
        QCOMPARE(prompts.calls.front().caption, std::string("Ошибка"));
        QCOMPARE(prompts.calls.front().text, std::string(kNoAnswer));
        QCOMPARE(prompts.calls.front().icon, Prompts::Icon::Error);
        QCOMPARE(server.requestLines().size(), silent ? 1 : 0);
    }

    void acceptedUpdate_data()
    {
        QTest::addColumn<bool>("downloadOpens");
        QTest::addColumn<int>("result");
        QTest::newRow("download opens: the box ends with Yes") << true << TAboutBox::ResultYes;
        QTest::newRow("download fails: the box stays, nothing said") << false << 0;
    }

    void acceptedUpdate()
    {
        QFETCH(bool, downloadOpens);
        QFETCH(int, result);
        CannedHttpServer server(CannedHttpServer::response(200, "V:1.28.0.0"));
        pointAtServer(server.baseUrl() + QLatin1Char('/'));
        RecordingPrompts prompts;
        prompts.answers = {Prompts::Yes};
        ScriptedDialogs dialogs;
        dialogs.openUrlSucceeds = downloadOpens;
        TAboutBox box(prompts, dialogs);
        box.show();
        box.Button2Click();
        QTRY_COMPARE_WITH_TIMEOUT(dialogs.openedUrls.size(), std::size_t(1), 10000);
        QCOMPARE(dialogs.openedUrls.front(), QUrl(server.baseUrl() + QStringLiteral("/TarvenaSetup.exe")));
        QCOMPARE(prompts.calls.size(), std::size_t(1));
        QCOMPARE(box.result(), result);
        QCOMPARE(box.isVisible(), !downloadOpens);
    }
};

TARVENA_REGISTER_TEST(UpdateCheckTest)
#include "tst_updatecheck.moc"
