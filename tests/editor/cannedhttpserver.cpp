#include "tests/editor/cannedhttpserver.h"

#include <QTcpSocket>

#include <memory>

namespace tarvena::testing {

QByteArray CannedHttpServer::response(int status, const QByteArray &body)
{
    const QByteArray reason = status == 200 ? "OK" : status == 404 ? "Not Found" : "Error";
    return "HTTP/1.1 " + QByteArray::number(status) + ' ' + reason +
           "\r\nContent-Type: text/html\r\nContent-Length: " + QByteArray::number(body.size()) +
           "\r\nConnection: close\r\n\r\n" + body;
}

CannedHttpServer::CannedHttpServer(QByteArray response, bool silent)
    : mResponse(std::move(response)), mSilent(silent)
{
    connect(&mServer, &QTcpServer::newConnection, this, &CannedHttpServer::accept);
    mServer.listen(QHostAddress::LocalHost, 0);
}

QString CannedHttpServer::baseUrl() const
{
    return QStringLiteral("http://127.0.0.1:%1").arg(port());
}

quint16 CannedHttpServer::closedPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}

void CannedHttpServer::accept()
{
    while (QTcpSocket *socket = mServer.nextPendingConnection()) {
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        auto request = std::make_shared<QByteArray>();
        connect(socket, &QTcpSocket::readyRead, this, [this, socket, request] {
            request->append(socket->readAll());
            const qsizetype headerEnd = request->indexOf("\r\n\r\n");
            if (headerEnd < 0)
                return;
            mRequestLines << request->left(request->indexOf("\r\n"));
            request->clear();
            if (mSilent)
                return;
            socket->write(mResponse);
            socket->disconnectFromHost();
        });
    }
}

} // namespace tarvena::testing
