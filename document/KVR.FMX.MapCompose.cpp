#include "document/KVR.FMX.MapCompose.h"
#include "platform/rtl/label/TKVRBaseLabel.h"
#include <QBuffer>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QHash>
#include <QImage>
#include <QImageReader>
#include <QMetaMethod>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QPainter>
#include <QSaveFile>
#include <QTimer>
#include <QUrl>
#include <QtConcurrent/QtConcurrentRun>
#include <cmath>

struct TKVRMapComposer::TRun
{
    uint64_t Generation = 0;
    std::shared_ptr<std::atomic<bool>> Cancel;
    std::shared_ptr<TShared> Shared;
    int32_t Timeout = DefaultTimeout;
    QString UserAgent;

    bool Stale() const { return Cancel->load() || Shared->Latest.load() != Generation; }
};

namespace {

constexpr int32_t KCancelPoll = 20;  // ms between looks at the cancel flag while a tile loads
constexpr qsizetype KKeptTiles = 256;  // tiles kept for a second use within one map

// Text of a service on one line, cut to a readable length.
QString Readable(const QString& aText, int32_t aMax)
{
    const QString line = aText.simplified();
    return line.size() <= aMax ? line : line.left(aMax) + QStringLiteral("...");
}

struct TTileFetch
{
    bool Cancelled = false;
    QString Error;  // the tile's own failure, before nesting
    QImage Image;
};

// One tile: GET, status, content type, body and picture checked in that order.
TTileFetch FetchTile(QNetworkAccessManager& aManager, const TKVRTileInfo& aTile, int32_t aIndex,
                     const std::function<bool()>& aStale, int32_t aTimeout, const QString& aUserAgent)
{
    TTileFetch out;
    const QUrl url(aTile.Address);
    aManager.setProxy(KVRIsLoopback(url) ? QNetworkProxy(QNetworkProxy::NoProxy)
                                      : QNetworkProxy(QNetworkProxy::DefaultProxy));
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::UserAgentHeader, aUserAgent);
    request.setTransferTimeout(aTimeout);
    std::unique_ptr<QNetworkReply> reply(aManager.get(request));
    QByteArray body;
    bool tooBig = false;
    bool timedOut = false;
    bool cancelled = false;
    QEventLoop loop;
    QTimer idle;
    idle.setSingleShot(true);
    idle.setInterval(aTimeout);
    QTimer poll;
    poll.setInterval(KCancelPoll);
    QNetworkReply* r = reply.get();
    QObject::connect(r, &QNetworkReply::metaDataChanged, &loop, [&] {
        bool ok = false;
        const qlonglong length = r->header(QNetworkRequest::ContentLengthHeader).toLongLong(&ok);
        if (ok && length > TKVRMapComposer::MaxTileBytes) {
            tooBig = true;
            r->abort();
        }
    });
    QObject::connect(r, &QNetworkReply::readyRead, &loop, [&] {
        idle.start();
        body += r->readAll();
        if (body.size() > TKVRMapComposer::MaxTileBytes) {
            tooBig = true;
            r->abort();
        }
    });
    QObject::connect(&idle, &QTimer::timeout, &loop, [&] {
        timedOut = true;
        r->abort();
    });
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (aStale()) {
            cancelled = true;
            r->abort();
        }
    });
    QObject::connect(r, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    idle.start();
    poll.start();
    if (!r->isFinished())
        loop.exec();
    idle.stop();
    poll.stop();
    if (r->isOpen()) {
        if (!tooBig && body.size() + r->bytesAvailable() <= TKVRMapComposer::MaxTileBytes)
            body += r->readAll();
        else
            tooBig = true;
    }

    const QString address = aTile.Address;
    if (cancelled) {
        out.Cancelled = true;
        return out;
    }
    // Qt's own transfer time-out ends the reply as cancelled.
    if (timedOut || r->error() == QNetworkReply::TimeoutError ||
        (r->error() == QNetworkReply::OperationCanceledError && !tooBig)) {
        out.Error = QStringLiteral("No answer within %1 ms").arg(aTimeout);
        return out;
    }
    if (tooBig) {
        out.Error = QStringLiteral("Tile body larger than %1 bytes").arg(TKVRMapComposer::MaxTileBytes);
        return out;
    }
    const int status = r->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status != 0 && status != 200) {
        out.Error = QString::asprintf("Error HTTP %d to load tile %d: ", status, aIndex) + address;
        return out;
    }
    if (r->error() != QNetworkReply::NoError) {
        out.Error = r->errorString();
        return out;
    }
    if (status == 0) {
        out.Error = QStringLiteral("No HTTP answer");
        return out;
    }
    const QString type = QString::fromLatin1(r->rawHeader("Content-Type")).toLower();
    if (type.contains(QLatin1String("xml"))) {
        const int32_t most = TKVRMapComposer::MaxBodyText;
        out.Error = QStringLiteral("Error WMS: ") + Readable(QString::fromUtf8(body.left(4 * most)), most);
        return out;
    }
    if (!type.contains(QLatin1String("image/"))) {
        out.Error = QStringLiteral("Content-Type not expected: ") + Readable(type, 80);
        return out;
    }
    QBuffer buffer(&body);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QSize size = reader.size();
    const int32_t side = TKVRMapComposer::MaxTileSide;
    if (size.isValid() && (size.width() > side || size.height() > side)) {
        out.Error = QStringLiteral("Error loading image: a tile of %1 x %2 pixels is larger than %3 a side")
                        .arg(size.width())
                        .arg(size.height())
                        .arg(side);
        return out;
    }
    if (!reader.read(&out.Image)) {
        out.Error = QStringLiteral("Error loading image: ") + reader.errorString();
        out.Image = QImage();
    } else if (out.Image.width() > side || out.Image.height() > side) {
        out.Error = QStringLiteral("Error loading image: the tile is larger than %1 pixels a side")
                        .arg(side);
        out.Image = QImage();
    }
    return out;
}

QString Cut(const QString& aMessage)
{
    return aMessage.size() <= TKVRMapComposer::MaxMessage
               ? aMessage
               : aMessage.left(TKVRMapComposer::MaxMessage) + QStringLiteral("...");
}

}  // namespace

QString TKVRMapComposer::DefaultUserAgent()
{
    return QStringLiteral("ZorvelLabels/1.0 (background maps; Qt %1)").arg(QString::fromLatin1(qVersion()));
}

QString TKVRMapComposer::MapFileName(double aLatitude, double aLongitude, int32_t aZoom, int32_t aWidth,
                                     int32_t aHeight, int32_t aProvider, bool aShowCenter)
{
    auto number = [](double aValue) {
        QString text = QString::number(aValue, 'f', 6);
        while (text.endsWith('0'))
            text.chop(1);
        if (text.endsWith('.'))
            text.chop(1);
        return text == QLatin1String("-0") ? QStringLiteral("0") : text;
    };
    return number(aLatitude) + '_' + number(aLongitude) + '_' + QString::number(aZoom) + '_' +
           QString::number(aWidth) + 'x' + QString::number(aHeight) + QStringLiteral("_p") +
           QString::number(aProvider) + (aShowCenter ? QStringLiteral("_c.png") : QStringLiteral(".png"));
}

TKVRMapComposer::TKVRMapComposer(TKVRBaseLabel* aLabel, TOnComposed aOnComposed, TOnError aOnError,
                                 QObject* aParent)
    : QObject(aParent), fLabel(aLabel), fOnComposed(std::move(aOnComposed)), fOnError(std::move(aOnError))
{
    fPool.setMaxThreadCount(2);
    // A label that goes stops its composition: the result has nowhere to go.
    if (aLabel)
        connect(aLabel, &QObject::destroyed, this, &TKVRMapComposer::Cancel);
}

TKVRMapComposer::~TKVRMapComposer()
{
    Cancel();
    for (QFuture<void>& run : fRuns)
        run.waitForFinished();
}

bool TKVRMapComposer::Refuse(const QString& aMessage)
{
    Report(aMessage);
    return false;
}

void TKVRMapComposer::Report(const QString& aMessage)
{
    const QString message = Cut(aMessage);
    if (fOnError)
        fOnError(message);
    else if (!isSignalConnected(QMetaMethod::fromSignal(&TKVRMapComposer::Failed)))
        qWarning("%s", qUtf8Printable(message));
    emit Failed(message);
}

bool TKVRMapComposer::ComposeImage(const QString& aLatitud, const QString& aLongitud, int32_t aZoom,
                                   int32_t aWidth, int32_t aHeight)
{
    TKVRBaseLabel* label = fLabel.data();
    if (!label)
        return false;
    TKVRMapping& mapping = label->GetMapping();
    if (aZoom < TKVRMapping::MinZoom || aZoom > TKVRMapping::MaxZoom)
        return Refuse(QStringLiteral("Zoom level %1 is not valid (%2 to %3)")
                          .arg(aZoom)
                          .arg(TKVRMapping::MinZoom)
                          .arg(TKVRMapping::MaxZoom));
    if (int64_t(aWidth) * aHeight > MaxPixels)
        return Refuse(QStringLiteral("Map size not valid: %1 x %2 pixels (at most %3 pixels)")
                          .arg(aWidth)
                          .arg(aHeight)
                          .arg(MaxPixels));
    if (label->GetImageFolder().trimmed().isEmpty())
        return Refuse(QStringLiteral("No image folder to save the map in: the host sets the label's "
                                     "image folder (SetImageFolder)"));
    const int32_t zoom = mapping.GetZoom();
    mapping.SetZoom(aZoom);
    QString why;
    if (!mapping.LoadMap(aLatitud, aLongitud, aWidth, aHeight, &why)) {
        mapping.SetZoom(zoom);
        return Refuse(why);
    }
    TKVRMapOrder order;
    order.Tiles = mapping.GetTiles();
    order.Width = aWidth;
    order.Height = aHeight;
    order.ShowCenter = mapping.GetShowCenter();
    const QString key = mapping.GetApiKey();
    if (!key.isEmpty())
        order.Secret = QString::fromLatin1(QUrl::toPercentEncoding(key));
    // Absolute, so the name stands as it is wherever it is read.
    const QString name = MapFileName(mapping.GetLatitude(), mapping.GetLongitude(), mapping.GetZoom(), aWidth,
                                     aHeight, int32_t(mapping.GetProvider()), order.ShowCenter);
    order.FileName = QDir(label->GetImageFolder()).absoluteFilePath(name);
    if (!Start(std::move(order)))
        return false;
    mapping.SetPending(true);
    return true;
}

bool TKVRMapComposer::Start(TKVRMapOrder aOrder)
{
    if (aOrder.Width < 1 || aOrder.Height < 1 || aOrder.Width > TKVRMapping::MaxMapSide ||
        aOrder.Height > TKVRMapping::MaxMapSide || int64_t(aOrder.Width) * aOrder.Height > MaxPixels)
        return Refuse(QStringLiteral("Map size not valid: %1 x %2 pixels (1 to %3 a side, at most %4 pixels)")
                          .arg(aOrder.Width)
                          .arg(aOrder.Height)
                          .arg(TKVRMapping::MaxMapSide)
                          .arg(MaxPixels));
    if (aOrder.FileName.isEmpty() || QFileInfo(aOrder.FileName).fileName().isEmpty())
        return Refuse(QStringLiteral("No file name for the map picture"));
    Cancel();
    std::erase_if(fRuns, [](const QFuture<void>& r) { return r.isFinished(); });
    auto run = std::make_shared<TRun>();
    run->Generation = ++fShared->Latest;
    run->Cancel = fCancel = std::make_shared<std::atomic<bool>>(false);
    run->Shared = fShared;
    run->Timeout = fTimeout;
    run->UserAgent = fUserAgent;
    ++fBusy;
    fRuns.push_back(QtConcurrent::run(&fPool, [this, run, order = std::move(aOrder)] {
        const TResult result = Execute(order, *run);
        // The composer waits for its runs before it goes, so it is still here.
        QMetaObject::invokeMethod(
            this, [this, generation = run->Generation, file = order.FileName, result] {
                Finish(generation, file, result);
            },
            Qt::QueuedConnection);
    }));
    return true;
}

void TKVRMapComposer::Cancel()
{
    if (fCancel)
        fCancel->store(true);
}

TKVRMapComposer::TResult TKVRMapComposer::Execute(const TKVRMapOrder& aOrder, const TRun& aRun)
{
    TResult result = Compose(aOrder, aRun);
    if (!aOrder.Secret.isEmpty())
        result.Error.replace(aOrder.Secret, QStringLiteral("***"));
    return result;
}

TKVRMapComposer::TResult TKVRMapComposer::Compose(const TKVRMapOrder& aOrder, const TRun& aRun)
{
    TResult result;
    auto stale = [&aRun] { return aRun.Stale(); };
    QImage map(aOrder.Width, aOrder.Height, QImage::Format_ARGB32);
    if (map.isNull()) {
        result.Error =
            QStringLiteral("Error saving image: no memory for %1 x %2 pixels").arg(aOrder.Width).arg(aOrder.Height);
        return result;
    }
    map.fill(0xFFFFFFFFu);
    {
        QNetworkAccessManager manager;
        // A map wider than the world shows a tile more than once: it is fetched once.
        QHash<QString, int32_t> uses;
        for (const TKVRTileInfo& tile : aOrder.Tiles)
            ++uses[tile.Address];
        QHash<QString, QImage> kept;
        for (int32_t i = 0; i < int32_t(aOrder.Tiles.size()); ++i) {
            const TKVRTileInfo& tile = aOrder.Tiles[size_t(i)];
            if (tile.Address.isEmpty())
                continue;
            if (stale()) {
                result.Cancelled = true;
                return result;
            }
            QImage image = kept.value(tile.Address);
            if (image.isNull()) {
                TTileFetch fetch = FetchTile(manager, tile, i, stale, aRun.Timeout, aRun.UserAgent);
                if (fetch.Cancelled) {
                    result.Cancelled = true;
                    return result;
                }
                if (!fetch.Error.isEmpty()) {
                    result.Error = QString::asprintf("Error on tile %d: ", i) + fetch.Error +
                                   QStringLiteral(" - URL: ") + tile.Address;
                    return result;
                }
                image = std::move(fetch.Image);
                if (uses.value(tile.Address) > 1 && kept.size() < KKeptTiles)
                    kept.insert(tile.Address, image);
            }
            QPainter painter(&map);
            painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
            painter.drawImage(QRect(tile.X, tile.Y, image.width(), image.height()), image, image.rect());
        }
    }
    if (aOrder.ShowCenter) {
        QPainter painter(&map);
        painter.setPen(QPen(QColor::fromRgba(0xFFFF0000u), 1.0));
        const int32_t cx = aOrder.Width / 2;
        const int32_t cy = aOrder.Height / 2;
        painter.drawLine(cx - 10, cy, cx + 10, cy);
        painter.drawLine(cx, cy - 10, cx, cy + 10);
    }
    // Saves are ordered: a run superseded before its save writes nothing, so
    // the latest request's picture is the one left on disk.
    std::lock_guard<std::mutex> lock(aRun.Shared->SaveLock);
    if (stale()) {
        result.Cancelled = true;
        return result;
    }
    // Encoded in memory first: Qt's PNG writer loses its row buffer when a
    // write fails under it (a full disk). Unbuffered, so a short write is seen.
    QByteArray png;
    QBuffer encoded(&png);
    QSaveFile file(aOrder.FileName);
    if (!encoded.open(QIODevice::WriteOnly) || !map.save(&encoded, "PNG") ||
        !file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || file.write(png) != png.size() || !file.commit()) {
        const QString why = file.error() != QFileDevice::NoError ? file.errorString()
                                                                 : QStringLiteral("the picture could not be written");
        file.cancelWriting();
        result.Error = QStringLiteral("Error saving image: ") + why + QStringLiteral(" - ") + aOrder.FileName;
    }
    return result;
}

void TKVRMapComposer::Finish(uint64_t aGeneration, const QString& aFileName, const TResult& aResult)
{
    --fBusy;
    // A superseded run, or one whose label has gone, delivers nothing.
    if (aGeneration != fShared->Latest.load())
        return;
    TKVRBaseLabel* label = fLabel.data();
    if (!label)
        return;
    if (aResult.Cancelled) {
        label->GetMapping().SetPending(false);
        return;
    }
    if (!aResult.Error.isEmpty()) {
        Report(aResult.Error);
        return;
    }
    TKVRMapping& mapping = label->GetMapping();
    mapping.SetImageFile(aFileName);
    mapping.SetPending(false);
    if (fOnComposed)
        fOnComposed();
    emit Composed(aFileName);
}
