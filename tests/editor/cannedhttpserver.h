#pragma once
// A small HTTP server on 127.0.0.1 that answers every request with one canned response (or, when
// silent, never answers), and keeps the request lines it saw.
#include <QByteArray>
#include <QByteArrayList>
#include <QTcpServer>

namespace tarvena::testing {

class CannedHttpServer : public QObject
{
    Q_OBJECT
public:
    // A complete response: status line, headers and body.
    static QByteArray response(int status, const QByteArray &body);

    explicit CannedHttpServer(QByteArray response, bool silent = false);
    quint16 port() const { return mServer.serverPort(); }
    QString baseUrl() const;
    const QByteArrayList &requestLines() const { return mRequestLines; }

    // A port on 127.0.0.1 where nothing listens.
    static quint16 closedPort();

private:
    void accept();

    QTcpServer mServer;
    QByteArray mResponse;
    bool mSilent;
    QByteArrayList mRequestLines;
};

} // namespace tarvena::testing
