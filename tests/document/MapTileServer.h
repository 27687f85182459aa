#pragma once
// A loopback HTTP server that plays a tile server or a web map service for
// the map tests: 127.0.0.1 on an ephemeral port, one answer per request
// chosen by the test, with the ways real servers fail.
#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QList>
#include <QObject>
#include <QString>
#include <QTcpServer>
#include <functional>
#include <ostream>

inline void PrintTo(const QString& aText, std::ostream* aStream)
{
    *aStream << '"' << aText.toStdString() << '"';
}

class TMapTileServer : public QObject
{
public:
    enum class TMode {
        Answer,  // status, headers and the whole body
        Silent,  // accepts the connection and never answers
        CutOff,  // announces the body, sends part of it and closes
    };
    struct TResponse
    {
        int Status = 200;
        QByteArray ContentType = "image/png";
        QByteArray Body;
        TMode Mode = TMode::Answer;
        int DelayMs = 0;
    };
    struct TRequest
    {
        QString Path;  // path and query
        QByteArray UserAgent;
    };

    TMapTileServer();
    ~TMapTileServer() override;

    // Scheme, host and port: the mapping's service base.
    QString Base() const;
    quint16 Port() const { return fServer.serverPort(); }
    QList<TRequest> Requests() const { return fRequests; }
    // Answers requests; by default every "/z/x/y.png" gets the solid tile of TileColor.
    std::function<TResponse(const QString& aPath)> Handler;

    static QByteArray Png(const QImage& aImage);
    static QByteArray SolidPng(QColor aColor, int aSide = 256);
    static QColor TileColor(int aX, int aY);
    // Parses "/z/x/y.png"; false for other paths.
    static bool TilePath(const QString& aPath, int& aZ, int& aX, int& aY);

private:
    void Serve(class QTcpSocket* aSocket);
    QTcpServer fServer;
    QList<TRequest> fRequests;
};

// Runs the event loop until aDone holds or aMs pass; true when it holds.
bool WaitFor(const std::function<bool()>& aDone, int aMs);
