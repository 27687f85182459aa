#pragma once
// A loopback HTTP server that answers 200 and then streams its body without
// end: a byte every so often (a server that trickles), or as fast as it can
// (a body of any size). The map tests' server answers whole bodies only.
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

class TStreamServer : public QObject
{
public:
    // aChunk bytes every aEveryMs milliseconds.
    TStreamServer(int aEveryMs, qsizetype aChunk) : fEveryMs(aEveryMs), fChunk(aChunk, ' ')
    {
        fServer.listen(QHostAddress::LocalHost, 0);
        connect(&fServer, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = fServer.nextPendingConnection())
                Serve(socket);
        });
    }
    QString Base() const { return QStringLiteral("http://127.0.0.1:%1").arg(fServer.serverPort()); }
    qint64 Sent() const { return fSent; }

private:
    void Serve(QTcpSocket* aSocket)
    {
        aSocket->setParent(this);
        aSocket->write("HTTP/1.1 200 OK\r\nContent-Type: application/json\r\nConnection: close\r\n\r\n[");
        auto* timer = new QTimer(aSocket);
        connect(timer, &QTimer::timeout, aSocket, [this, aSocket] {
            if (aSocket->state() != QAbstractSocket::ConnectedState)
                return;
            // Never more than a few chunks waiting: the client sets the pace.
            if (aSocket->bytesToWrite() < 4 * fChunk.size())
                fSent += aSocket->write(fChunk);
        });
        timer->start(fEveryMs);
    }

    QTcpServer fServer;
    int fEveryMs;
    QByteArray fChunk;
    qint64 fSent = 0;
};
