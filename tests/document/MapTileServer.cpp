#include "tests/document/MapTileServer.h"
#include <QBuffer>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPointer>
#include <QRegularExpression>
#include <QTcpSocket>
#include <QTimer>

namespace {
constexpr int KMaxRequestHeader = 16 * 1024;

QByteArray Reason(int aStatus)
{
    switch (aStatus) {
    case 200: return "OK";
    case 404: return "Not Found";
    case 500: return "Internal Server Error";
    default: return "Status";
    }
}
}  // namespace

TMapTileServer::TMapTileServer()
{
    Handler = [](const QString& aPath) {
        TResponse r;
        int z = 0, x = 0, y = 0;
        if (!TilePath(aPath, z, x, y)) {
            r.Status = 404;
            r.ContentType = "text/plain";
            r.Body = "no such tile";
            return r;
        }
        r.Body = SolidPng(TileColor(x, y));
        return r;
    };
    connect(&fServer, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* s = fServer.nextPendingConnection())
            Serve(s);
    });
    fServer.listen(QHostAddress::LocalHost, 0);
}

TMapTileServer::~TMapTileServer()
{
    fServer.close();
}

QString TMapTileServer::Base() const
{
    return QStringLiteral("http://127.0.0.1:%1").arg(fServer.serverPort());
}

QByteArray TMapTileServer::Png(const QImage& aImage)
{
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    aImage.save(&buf, "PNG");
    return bytes;
}

QByteArray TMapTileServer::SolidPng(QColor aColor, int aSide)
{
    QImage img(aSide, aSide, QImage::Format_ARGB32);
    img.fill(aColor);
    return Png(img);
}

QColor TMapTileServer::TileColor(int aX, int aY)
{
    return QColor((aX * 53 + 17) % 256, (aY * 97 + 29) % 256, ((aX + 3 * aY) * 31 + 5) % 256);
}

bool TMapTileServer::TilePath(const QString& aPath, int& aZ, int& aX, int& aY)
{
    static const QRegularExpression re(QStringLiteral("^/(\\d+)/(\\d+)/(\\d+)\\.png$"));
    const auto m = re.match(aPath);
    if (!m.hasMatch())
        return false;
    aZ = m.captured(1).toInt();
    aX = m.captured(2).toInt();
    aY = m.captured(3).toInt();
    return true;
}

void TMapTileServer::Serve(QTcpSocket* aSocket)
{
    aSocket->setParent(this);
    auto buffer = std::make_shared<QByteArray>();
    connect(aSocket, &QTcpSocket::disconnected, aSocket, &QObject::deleteLater);
    connect(aSocket, &QTcpSocket::readyRead, this, [this, aSocket, buffer] {
        if (buffer->contains("\r\n\r\n"))
            return;  // one request a connection
        *buffer += aSocket->readAll();
        if (buffer->size() > KMaxRequestHeader) {
            aSocket->abort();
            return;
        }
        const qsizetype end = buffer->indexOf("\r\n\r\n");
        if (end < 0)
            return;
        const QList<QByteArray> lines = buffer->left(end).split('\n');
        const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
        TRequest request;
        request.Path = QString::fromLatin1(first.value(1));
        for (const QByteArray& line : lines)
            if (line.toLower().startsWith("user-agent:"))
                request.UserAgent = line.mid(11).trimmed();
        fRequests.push_back(request);
        const TResponse r = Handler(request.Path);
        QPointer<QTcpSocket> socket(aSocket);
        auto answer = [socket, r] {
            if (!socket || r.Mode == TMode::Silent)
                return;
            const qsizetype announced = r.Mode == TMode::CutOff ? r.Body.size() * 2 : r.Body.size();
            QByteArray head = "HTTP/1.1 " + QByteArray::number(r.Status) + ' ' + Reason(r.Status) + "\r\n";
            head += "Content-Type: " + r.ContentType + "\r\n";
            head += "Content-Length: " + QByteArray::number(announced) + "\r\n";
            head += "Connection: close\r\n\r\n";
            socket->write(head + r.Body);
            socket->disconnectFromHost();
        };
        if (r.DelayMs > 0)
            QTimer::singleShot(r.DelayMs, this, answer);
        else
            answer();
    });
}

bool WaitFor(const std::function<bool()>& aDone, int aMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!aDone()) {
        if (timer.elapsed() > aMs)
            return false;
        QEventLoop loop;
        QTimer::singleShot(5, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return true;
}
