#include "app/updatecheck.h"

#include <QNetworkReply>
#include <QNetworkRequest>

namespace tarvena {

QString updateServerBase()
{
    QString base = qEnvironmentVariable("TARVENA_UPDATE_SERVER");
    if (base.isEmpty())
        base = QStringLiteral(TARVENA_UPDATE_SERVER_DEFAULT);
    while (base.endsWith(QLatin1Char('/')))
        base.chop(1);
    return base;
}

QUrl updateServerUrl(const char *path)
{
    return QUrl(updateServerBase() + QLatin1String(path));
}

std::optional<QString> serverVersionFromAnswer(const QByteArray &body)
{
    // Lines end at CR, LF or CR LF; only the first one counts.
    qsizetype end = 0;
    while (end < body.size() && body.at(end) != '\r' && body.at(end) != '\n')
        ++end;
    qsizetype begin = 0;
    while (begin < end && static_cast<unsigned char>(body.at(begin)) <= ' ')
        ++begin;
    while (end > begin && static_cast<unsigned char>(body.at(end - 1)) <= ' ')
        --end;
    const QByteArray line = body.mid(begin, end - begin);
    if (!line.startsWith("V:"))
        return std::nullopt;
    return QString::fromUtf8(line.mid(2));
}

UpdateCheck::UpdateCheck(QObject *parent) : QObject(parent)
{
    mTimer.setSingleShot(true);
    connect(&mTimer, &QTimer::timeout, this, [this] {
        if (mReply) {
            mTimedOut = true;
            mReply->abort();
        }
    });
}

UpdateCheck::~UpdateCheck()
{
    cancel();
}

void UpdateCheck::start(const QUrl &url)
{
    cancel();
    mTimedOut = false;
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("Tarvena"));
    mReply = mNetwork.get(request);
    connect(mReply, &QNetworkReply::finished, this, &UpdateCheck::replyFinished);
    mTimer.start(mTimeLimit);
}

bool UpdateCheck::isRunning() const
{
    return !mReply.isNull();
}

void UpdateCheck::cancel()
{
    mTimer.stop();
    if (QNetworkReply *reply = mReply) {
        mReply = nullptr;
        reply->disconnect(this);
        reply->abort();
        reply->deleteLater();
    }
}

void UpdateCheck::replyFinished()
{
    QNetworkReply *reply = mReply;
    if (!reply || sender() != reply)
        return;
    mReply = nullptr;
    mTimer.stop();
    reply->deleteLater();

    // An HTTP error status still completes the exchange and its body is read; a failure of the
    // connection, the protocol or the time limit leaves no answer.
    const QNetworkReply::NetworkError error = reply->error();
    const bool httpStatusError =
        (error >= QNetworkReply::ContentAccessDenied && error <= QNetworkReply::UnknownContentError) ||
        (error >= QNetworkReply::InternalServerError && error <= QNetworkReply::UnknownServerError);
    std::optional<QString> version;
    if (!mTimedOut && (error == QNetworkReply::NoError || httpStatusError))
        version = serverVersionFromAnswer(reply->readAll());
    emit finished(version.has_value(), version.value_or(QString()));
}

} // namespace tarvena
