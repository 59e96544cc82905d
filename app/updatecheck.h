#pragma once
// The update check's exchange with the update server: one plain HTTP GET of the version query,
// with a time limit, run without blocking the window that asked.
#include <QByteArray>
#include <QNetworkAccessManager>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QUrl>

#include <chrono>
#include <optional>

class QNetworkReply;

namespace tarvena {

inline constexpr char kVersionQueryPath[] = "/cgi-bin/Tarvena.dll/FileVer";
inline constexpr char kSetupDownloadPath[] = "/TarvenaSetup.exe";

// The update server's base address: the environment variable TARVENA_UPDATE_SERVER when it is set,
// else the address built into the program.
QString updateServerBase();
// An address on the update server (path starts with "/").
QUrl updateServerUrl(const char *path);

// The server's version from the body of its answer: the first line, without its leading and
// trailing blanks and control characters, must begin with "V:"; the version is the rest of that
// line as it stands. nullopt means no answer.
std::optional<QString> serverVersionFromAnswer(const QByteArray &body);

class UpdateCheck : public QObject
{
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds kDefaultTimeLimit{15000};

    explicit UpdateCheck(QObject *parent = nullptr);
    ~UpdateCheck() override;

    void setTimeLimit(std::chrono::milliseconds limit) { mTimeLimit = limit; }
    // Starts the GET of url; a check already running is dropped first.
    void start(const QUrl &url);
    // Drops the running check without a report.
    void cancel();
    bool isRunning() const;

signals:
    // The exchange is over. answered is false when no answer came: no connection, the time limit
    // passed, or the body has no "V:" line. The HTTP status is not looked at.
    void finished(bool answered, const QString &serverVersion);

private:
    void replyFinished();

    QNetworkAccessManager mNetwork;
    QPointer<QNetworkReply> mReply;
    QTimer mTimer;
    std::chrono::milliseconds mTimeLimit = kDefaultTimeLimit;
    bool mTimedOut = false;
};

} // namespace tarvena
