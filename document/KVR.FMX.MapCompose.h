#pragma once
// Composition of a background map: the tiles of the label's mapping are
// fetched over HTTP on a worker thread, drawn into one picture and saved as a
// PNG file in the label's image folder; the end is delivered on the thread
// that owns the composer (the user-interface thread).
#include "platform/rtl/label/TKVRBaseLabel.h"
#include "platform/rtl/label/TKVRMapping.h"
#include <QFuture>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QThreadPool>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>


// Everything one composition needs, taken when it is asked for: nothing of
// it is read from the mapping again.
struct TKVRMapOrder
{
    std::vector<TKVRTileInfo> Tiles;
    int32_t Width = 0;
    int32_t Height = 0;
    bool ShowCenter = false;
    QString FileName;  // full path of the PNG file
    // Kept out of messages (the API key as it stands in the addresses).
    QString Secret;
};

class TKVRMapComposer : public QObject
{
    Q_OBJECT

public:
    using TOnComposed = std::function<void()>;
    using TOnError = std::function<void(const QString& aMessage)>;

    // Largest picture, in pixels (64 MiB of ARGB).
    static constexpr int64_t MaxPixels = int64_t(4096) * 4096;
    // Largest tile body and decoded tile side.
    static constexpr int64_t MaxTileBytes = int64_t(8) << 20;
    static constexpr int32_t MaxTileSide = 4096;
    // Messages are cut to this many characters; a service's error text to MaxBodyText.
    static constexpr int32_t MaxMessage = 600;
    static constexpr int32_t MaxBodyText = 300;
    static constexpr int32_t DefaultTimeout = 20000;  // ms without data on one tile

    static QString DefaultUserAgent();
    // "<latitude>_<longitude>_<zoom>_<width>x<height>_p<provider>[_c].png"
    // from the parsed numbers, signs and decimals kept (up to six), "_c" when
    // the centre is marked: the name covers all that makes the picture, so a
    // map never overwrites another one a document shows (another place, size
    // or provider).
    static QString MapFileName(double aLatitude, double aLongitude, int32_t aZoom, int32_t aWidth,
                               int32_t aHeight, int32_t aProvider, bool aShowCenter);

    // aOnComposed is the host's handler (the label's OnComposeImage), aOnError
    // where failures go; others listen to Composed and Failed.
    explicit TKVRMapComposer(TKVRBaseLabel* aLabel, TOnComposed aOnComposed = {}, TOnError aOnError = {},
                             QObject* aParent = nullptr);
    ~TKVRMapComposer() override;

    // Sets the zoom, lays out the tiles and starts the composition; returns at
    // once. False, reporting why through the error path, when the place,
    // zoom, size or image folder cannot make a map. A new request supersedes
    // one still running.
    bool ComposeImage(const QString& aLatitud, const QString& aLongitud, int32_t aZoom, int32_t aWidth,
                      int32_t aHeight);
    // Starts the composition of an order taken elsewhere; false (reported)
    // for a size it cannot make or no file name.
    bool Start(TKVRMapOrder aOrder);
    // Stops the running composition; nothing is delivered for it.
    void Cancel();
    bool IsBusy() const { return fBusy > 0; }
    // Number of the latest composition started, 0 before the first: Composed
    // and Failed always speak of it, so a listener that noted the number
    // after its own ComposeImage knows whether an answer is its own.
    uint64_t LastRequest() const { return fShared->Latest.load(); }

    TKVRBaseLabel* GetLabel() const { return fLabel.data(); }
    void SetOnComposed(TOnComposed aValue) { fOnComposed = std::move(aValue); }
    void SetOnError(TOnError aValue) { fOnError = std::move(aValue); }
    // Milliseconds a tile may go without data before it fails.
    int32_t GetTimeout() const { return fTimeout; }
    void SetTimeout(int32_t aValue) { fTimeout = aValue > 0 ? aValue : DefaultTimeout; }
    QString GetUserAgent() const { return fUserAgent; }
    void SetUserAgent(const QString& aValue) { fUserAgent = aValue.isEmpty() ? DefaultUserAgent() : aValue; }

signals:
    // After the host's handler; aFileName is the saved picture.
    void Composed(const QString& aFileName);
    void Failed(const QString& aMessage);

private:
    struct TRun;
    struct TResult
    {
        bool Cancelled = false;
        QString Error;
    };
    static TResult Execute(const TKVRMapOrder& aOrder, const TRun& aRun);
    static TResult Compose(const TKVRMapOrder& aOrder, const TRun& aRun);
    void Finish(uint64_t aGeneration, const QString& aFileName, const TResult& aResult);
    bool Refuse(const QString& aMessage);
    void Report(const QString& aMessage);

    QPointer<TKVRBaseLabel> fLabel;
    TOnComposed fOnComposed;
    TOnError fOnError;
    int32_t fTimeout = DefaultTimeout;
    QString fUserAgent = DefaultUserAgent();
    // Shared with the runs: the latest generation and the lock that orders saves.
    struct TShared
    {
        std::atomic<uint64_t> Latest{0};
        std::mutex SaveLock;
    };
    std::shared_ptr<TShared> fShared = std::make_shared<TShared>();
    std::shared_ptr<std::atomic<bool>> fCancel;
    std::vector<QFuture<void>> fRuns;
    QThreadPool fPool;
    int32_t fBusy = 0;
};
