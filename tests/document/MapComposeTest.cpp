#include "document/KVR.FMX.h"
#include "document/KVR.FMX.MapCompose.h"
#include "platform/rtl/label/TKVRBaseLabel.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/document/MapTileServer.h"
#include "tests/support/LabelDocuments.h"
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

namespace {

constexpr int KWait = 8000;  // upper bound of every wait; the runs end far sooner

class MapCompose : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(fDir.isValid());
        // Set it to look at the pictures afterwards.
        fDir.setAutoRemove(qEnvironmentVariableIsEmpty("KVR_KEEP_TEST_FILES"));
        fLabel.SetImageFolder(fDir.path());
        fLabel.GetMapping().SetServiceBase(fServer.Base());
        fComposer.SetTimeout(5000);  // generous: a busy machine must not meet it
    }

    int Ends() const { return fHostEvents + int(fErrors.size()); }

    // Composes and waits for the end (the host's event or an error).
    bool Run(const QString& aLat, const QString& aLon, int aZoom, int aWidth, int aHeight)
    {
        const int before = Ends();
        if (!fComposer.ComposeImage(aLat, aLon, aZoom, aWidth, aHeight))
            return false;
        return WaitFor([&] { return Ends() > before; }, KWait);
    }

    QString LastError() const { return fErrors.isEmpty() ? QString() : fErrors.back(); }
    QImage Picture() const { return QImage(fLabel.GetMapping().GetImageFile()); }
    QString InDir(const QString& aName) const { return QDir(fDir.path()).filePath(aName); }

    QTemporaryDir fDir;
    TMapTileServer fServer;
    TKVRBaseLabel fLabel;
    int fHostEvents = 0;
    bool fOnUiThread = true;
    QStringList fErrors;
    TKVRMapComposer fComposer{&fLabel,
                              [this] {
                                  ++fHostEvents;
                                  fOnUiThread = fOnUiThread && QThread::currentThread() == qApp->thread();
                              },
                              [this](const QString& aMessage) {
                                  fErrors << aMessage;
                                  fOnUiThread = fOnUiThread && QThread::currentThread() == qApp->thread();
                              }};
};

QRgb Tile(int aX, int aY)
{
    return TMapTileServer::TileColor(aX, aY).rgba();
}

}  // namespace

// A picture pieced from its tiles: latitude 0, longitude 0 at zoom 2 is
// world pixel (512, 512), so a 301-pixel map starts at 362 and tiles 1 and 2
// meet at column and row 150. Tiles of 300 pixels overlap their right and
// lower neighbours by 44 and the later one shows; the centre cross lies on
// the middle column of an odd width; a map wider than the world asks for
// its one tile once.
TEST_F(MapCompose, PicturesArePiecedFromTheirTiles)
{
    struct TPixel
    {
        int x, y;
        QRgb colour;
    };
    struct Case
    {
        const char* name;
        int zoom, width, height, tileSide;
        bool cross;
        std::vector<TPixel> pixels;
        QStringList paths;
    };
    const QRgb red = 0xFFFF0000u;
    const Case cases[] = {
        {"offsets", 2, 301, 301, 256, false,
         {{0, 0, Tile(1, 1)}, {149, 149, Tile(1, 1)}, {150, 149, Tile(2, 1)}, {149, 150, Tile(1, 2)},
          {150, 150, Tile(2, 2)}, {300, 0, Tile(2, 1)}, {300, 300, Tile(2, 2)}},
         {"/2/1/1.png", "/2/2/1.png", "/2/1/2.png", "/2/2/2.png"}},
        {"overlap", 2, 301, 301, 300, false,
         {{140, 140, Tile(1, 1)}, {160, 140, Tile(2, 1)}, {140, 160, Tile(1, 2)}, {160, 160, Tile(2, 2)}}, {}},
        {"cross", 2, 301, 301, 256, true,
         {{150, 141, red}, {150, 159, red}, {141, 150, red}, {159, 150, red}, {150, 150, red}, {149, 145, Tile(1, 1)},
          {151, 145, Tile(2, 1)}, {145, 151, Tile(1, 2)}, {150, 139, Tile(2, 1)}, {161, 150, Tile(2, 2)}},
         {}},
        {"wider than the world", 0, 1024, 10, 256, false,
         {{0, 5, Tile(0, 0)}, {255, 5, Tile(0, 0)}, {511, 5, Tile(0, 0)}, {700, 5, Tile(0, 0)}, {1023, 5, Tile(0, 0)}},
         {"/0/0/0.png"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fServer.Handler = [side = c.tileSide](const QString& aPath) {
            TMapTileServer::TResponse r;
            int z, x, y;
            TMapTileServer::TilePath(aPath, z, x, y);
            r.Body = TMapTileServer::SolidPng(TMapTileServer::TileColor(x, y), side);
            return r;
        };
        fLabel.GetMapping().SetShowCenter(c.cross);
        const qsizetype asked = fServer.Requests().size();
        const int events = fHostEvents;
        ASSERT_TRUE(Run("0", "0", c.zoom, c.width, c.height)) << LastError().toStdString();
        ASSERT_TRUE(fErrors.isEmpty()) << LastError().toStdString();
        EXPECT_EQ(fHostEvents, events + 1);
        EXPECT_EQ(fLabel.GetMapping().GetImageFile(), InDir(QStringLiteral("0_0_%1_%2x%3_p0%4.png")
                                                                  .arg(c.zoom)
                                                                  .arg(c.width)
                                                                  .arg(c.height)
                                                                  .arg(c.cross ? "_c" : "")));
        EXPECT_FALSE(fLabel.GetMapping().GetPending());
        const QImage img = Picture();
        ASSERT_EQ(img.size(), QSize(c.width, c.height));
        for (const TPixel& p : c.pixels)
            EXPECT_EQ(img.pixel(p.x, p.y), p.colour) << p.x << ", " << p.y;
        QStringList paths;
        for (const auto& r : fServer.Requests().mid(asked))
            paths << r.Path;
        if (!c.paths.isEmpty()) {
            EXPECT_EQ(paths, c.paths);
        }
    }
    EXPECT_TRUE(fOnUiThread);

    // Zero tiles still give a white picture, crossed when asked, and the event.
    for (bool cross : {false, true}) {
        TKVRMapOrder order;
        order.Width = 41;
        order.Height = 31;
        order.ShowCenter = cross;
        order.FileName = InDir(cross ? "cross.png" : "white.png");
        const int before = fHostEvents;
        const qsizetype asked = fServer.Requests().size();
        ASSERT_TRUE(fComposer.Start(order));
        ASSERT_TRUE(WaitFor([&] { return Ends() > before; }, KWait));
        ASSERT_TRUE(fErrors.isEmpty()) << LastError().toStdString();
        const QImage img(order.FileName);
        ASSERT_EQ(img.size(), QSize(41, 31));
        int reds = 0, whites = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                reds += img.pixel(x, y) == red;
                whites += img.pixel(x, y) == 0xFFFFFFFFu;
            }
        EXPECT_EQ(reds + whites, 41 * 31);
        EXPECT_EQ(reds > 0, cross);
        EXPECT_EQ(img.pixel(20, 15) == red, cross);
        EXPECT_EQ(fServer.Requests().size(), asked);
    }
}

namespace {

struct TFailure
{
    const char* Name;
    int Status;
    const char* ContentType;
    const char* Body;  // null: a solid tile
    TMapTileServer::TMode Mode;
    const char* Expect;  // null: the tile is accepted
};

class MapComposeAnswers : public MapCompose, public ::testing::WithParamInterface<TFailure>
{
};

}  // namespace

TEST_P(MapComposeAnswers, EveryAnswerIsCheckedBeforeItIsDrawn)
{
    const TFailure f = GetParam();
    // Only the silent server waits for the time-out; the others must not meet
    // it on a busy machine.
    fComposer.SetTimeout(f.Mode == TMapTileServer::TMode::Silent ? 400 : 5000);
    // Tile 3 of the four answers as the case says.
    fServer.Handler = [f](const QString& aPath) {
        TMapTileServer::TResponse r;
        int z, x, y;
        TMapTileServer::TilePath(aPath, z, x, y);
        r.Body = TMapTileServer::SolidPng(TMapTileServer::TileColor(x, y));
        if (aPath == "/2/2/2.png") {
            r.Status = f.Status;
            r.ContentType = f.ContentType;
            if (f.Body)
                r.Body = f.Body;
            r.Mode = f.Mode;
        }
        return r;
    };
    ASSERT_TRUE(Run("0", "0", 2, 301, 301));
    const QString address = fServer.Base() + "/2/2/2.png";
    if (!f.Expect) {
        EXPECT_TRUE(fErrors.isEmpty()) << LastError().toStdString();
        EXPECT_EQ(fHostEvents, 1);
        EXPECT_EQ(Picture().pixel(200, 200), Tile(2, 2));
        return;
    }
    ASSERT_EQ(fErrors.size(), 1);
    const QString expect = QString(f.Expect).replace("(address)", address);
    EXPECT_EQ(fErrors[0], expect);
    EXPECT_TRUE(fOnUiThread);
    // Nothing follows a failure: no file, no event, the pending flag stays.
    EXPECT_EQ(fHostEvents, 0);
    EXPECT_FALSE(QFileInfo::exists(InDir("0_0_2_301x301_p0.png")));
    EXPECT_TRUE(fLabel.GetMapping().GetImageFile().isEmpty());
    EXPECT_TRUE(fLabel.GetMapping().GetPending());
}

INSTANTIATE_TEST_SUITE_P(
    Answers, MapComposeAnswers,
    ::testing::Values(
        TFailure{"NotFound", 404, "text/html", "gone", TMapTileServer::TMode::Answer,
                 "Error on tile 3: Error HTTP 404 to load tile 3: (address) - URL: (address)"},
        TFailure{"ServerError", 500, "image/png", nullptr, TMapTileServer::TMode::Answer,
                 "Error on tile 3: Error HTTP 500 to load tile 3: (address) - URL: (address)"},
        TFailure{"WmsXml", 200, "text/xml", "<ServiceExceptionReport>\n  <ServiceException>Layer not defined"
                                              "</ServiceException>\n</ServiceExceptionReport>",
                 TMapTileServer::TMode::Answer,
                 "Error on tile 3: Error WMS: <ServiceExceptionReport> <ServiceException>Layer not "
                 "defined</ServiceException> </ServiceExceptionReport> - URL: (address)"},
        TFailure{"SvgIsXmlFirst", 200, "image/svg+xml", "<svg/>", TMapTileServer::TMode::Answer,
                 "Error on tile 3: Error WMS: <svg/> - URL: (address)"},
        TFailure{"UpperCaseImage", 200, "Image/PNG", nullptr, TMapTileServer::TMode::Answer, nullptr},
        TFailure{"OctetStream", 200, "application/octet-stream", nullptr, TMapTileServer::TMode::Answer,
                 "Error on tile 3: Content-Type not expected: application/octet-stream - URL: (address)"},
        TFailure{"NoContentType", 200, "", nullptr, TMapTileServer::TMode::Answer,
                 "Error on tile 3: Content-Type not expected:  - URL: (address)"},
        TFailure{"NotAPicture", 200, "image/png", "not a png at all", TMapTileServer::TMode::Answer,
                 "Error on tile 3: Error loading image: Unsupported image format - URL: (address)"},
        TFailure{"NeverAnswers", 200, "image/png", nullptr, TMapTileServer::TMode::Silent,
                 "Error on tile 3: No answer within 400 ms - URL: (address)"},
        TFailure{"CutOff", 200, "image/png", nullptr, TMapTileServer::TMode::CutOff,
                 "Error on tile 3: Connection closed - URL: (address)"}),
    [](const auto& aInfo) { return std::string(aInfo.param.Name); });

TEST_F(MapCompose, ConnectionRefusedIsReported)
{
    quint16 port = 0;
    {
        QTcpServer probe;
        ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
        port = probe.serverPort();
    }  // closed: nobody listens there now
    fLabel.GetMapping().SetServiceBase(QString("http://127.0.0.1:%1").arg(port));
    ASSERT_TRUE(Run("0", "0", 2, 10, 10));
    ASSERT_EQ(fErrors.size(), 1);
    EXPECT_EQ(fErrors[0], QString("Error on tile 0: Connection refused - URL: http://127.0.0.1:%1/2/1/1.png").arg(port));
    EXPECT_EQ(fHostEvents, 0);
}

TEST_F(MapCompose, BodiesPicturesAndMessagesAreBounded)
{
    const QString longText = QString("x").repeated(20000);
    QImage wide(TKVRMapComposer::MaxTileSide + 1, 4, QImage::Format_RGB32);
    wide.fill(Qt::blue);
    const QByteArray widePng = TMapTileServer::Png(wide);
    const QByteArray huge(int(TKVRMapComposer::MaxTileBytes) + 1024, 'a');
    int answer = 0;
    fServer.Handler = [&](const QString&) {
        TMapTileServer::TResponse r;
        if (answer == 0) {
            r.ContentType = "application/vnd.ogc.se_xml";
            r.Body = longText.toUtf8();
        } else if (answer == 1) {
            r.Body = widePng;
        } else {
            r.Body = huge;
        }
        return r;
    };
    for (answer = 0; answer < 3; ++answer)
        ASSERT_TRUE(Run("0", "0", 2, 10, 10));
    ASSERT_EQ(fErrors.size(), 3);
    EXPECT_TRUE(fErrors[0].startsWith("Error on tile 0: Error WMS: xxx"));
    EXPECT_LE(fErrors[0].size(), TKVRMapComposer::MaxMessage + 3);
    EXPECT_TRUE(fErrors[1].contains("Error loading image: a tile of 4097 x 4 pixels is larger than 4096 a side"))
        << fErrors[1].toStdString();
    EXPECT_TRUE(fErrors[2].contains("Tile body larger than 8388608 bytes")) << fErrors[2].toStdString();
    EXPECT_EQ(fHostEvents, 0);
}

// Each place gets its file, named by the parsed numbers: places that differ
// in a sign or a decimal point, typed with a comma or a point; a relative
// image folder gives an absolute name.
TEST_F(MapCompose, PlacesGetTheirOwnFiles)
{
    const struct
    {
        const char* Lat;
        const char* Lon;
        int Zoom;
        const char* File;
    } places[] = {{"40.4168", "3.7038", 12, "40.4168_3.7038_12_8x8_p0.png"},
                  {"4.04168", "3.7038", 12, "4.04168_3.7038_12_8x8_p0.png"},
                  {"40.4168", "-3.7038", 12, "40.4168_-3.7038_12_8x8_p0.png"},
                  {"-40.4168", "-3.7038", 12, "-40.4168_-3.7038_12_8x8_p0.png"},
                  {"-33,4489", "-70,6693", 15, "-33.4489_-70.6693_15_8x8_p0.png"},
                  {"40,4168", "3,7038", 12, "40.4168_3.7038_12_8x8_p0.png"}};
    for (const auto& p : places) {
        ASSERT_TRUE(Run(p.Lat, p.Lon, p.Zoom, 8, 8)) << p.File;
        EXPECT_EQ(fLabel.GetMapping().GetImageFile(), InDir(p.File));
    }
    EXPECT_TRUE(fErrors.isEmpty()) << LastError().toStdString();
    EXPECT_EQ(QDir(fDir.path()).entryList({"*.png"}).size(), 5);
    const struct
    {
        double Lat, Lon;
        int Zoom;
        const char* File;
    } names[] = {{3.7, -3.7, 0, "3.7_-3.7_0_96x48_p0.png"}, {-0.0, 0.0, 20, "0_0_20_96x48_p0.png"}, {10, -180, 1, "10_-180_1_96x48_p0.png"},
                 {1.0000004, 2.1234567, 3, "1_2.123457_3_96x48_p0.png"}};
    for (const auto& n : names)
        EXPECT_EQ(TKVRMapComposer::MapFileName(n.Lat, n.Lon, n.Zoom, 96, 48, 0, false), n.File);
    // The provider and the centre mark change the picture, so they change the name.
    EXPECT_EQ(TKVRMapComposer::MapFileName(1, 2, 3, 96, 48, 2, true), "1_2_3_96x48_p2_c.png");
    EXPECT_EQ(TKVRMapComposer::MapFileName(1, 2, 3, 96, 48, 13, false), "1_2_3_96x48_p13.png");

    fLabel.SetImageFolder(QDir::current().relativeFilePath(fDir.path()));
    ASSERT_TRUE(QDir::isRelativePath(fLabel.GetImageFolder()));
    ASSERT_TRUE(Run("1", "2", 3, 8, 8));
    EXPECT_EQ(fLabel.GetMapping().GetImageFile(), QFileInfo(InDir("1_2_3_8x8_p0.png")).absoluteFilePath());
    EXPECT_TRUE(QFileInfo::exists(fLabel.GetMapping().GetImageFile()));
}

TEST_F(MapCompose, TheLatestOfTwoRequestsWins)
{
    // The first place's tiles (columns 0 and 1 of zoom 2) are slow to come.
    fServer.Handler = [](const QString& aPath) {
        TMapTileServer::TResponse r;
        int z, x, y;
        TMapTileServer::TilePath(aPath, z, x, y);
        r.Body = TMapTileServer::SolidPng(TMapTileServer::TileColor(x, y));
        r.DelayMs = x <= 1 ? 400 : 0;
        return r;
    };
    fLabel.GetMapping().SetShowCenter(false);
    ASSERT_TRUE(fComposer.ComposeImage("0", "-90", 2, 16, 16));
    fLabel.GetMapping().SetShowCenter(true);  // changed between the two calls: only the second takes it
    ASSERT_TRUE(fComposer.ComposeImage("0", "90", 2, 16, 16));
    ASSERT_TRUE(WaitFor([&] { return Ends() > 0; }, KWait));
    WaitFor([] { return false; }, 700);  // room for the first to arrive, were it to
    ASSERT_TRUE(fErrors.isEmpty()) << LastError().toStdString();
    EXPECT_EQ(fHostEvents, 1);
    EXPECT_EQ(fLabel.GetMapping().GetImageFile(), InDir("0_90_2_16x16_p0_c.png"));
    EXPECT_FALSE(QFileInfo::exists(InDir("0_-90_2_16x16_p0.png")));
    const QImage img = Picture();
    ASSERT_EQ(img.size(), QSize(16, 16));
    // World pixel (768, 512): tile (3, 2) from the map's centre rightwards and down.
    EXPECT_EQ(img.pixel(12, 12), Tile(3, 2));
    EXPECT_EQ(img.pixel(2, 2), Tile(2, 1));
    EXPECT_EQ(img.pixel(8, 4), 0xFFFF0000u);
    EXPECT_FALSE(fLabel.GetMapping().GetPending());
    EXPECT_FALSE(fComposer.IsBusy());
}

// A picture that cannot be saved is an error that keeps the earlier picture
// and name and leaves no temporary file: a full disk for a big picture (noise
// does not compress) and for one small enough to sit in a write buffer, a
// missing folder; an empty folder is refused at once.
TEST_F(MapCompose, AFailedSaveKeepsTheEarlierPictureAndName)
{
    {
        TFileSizeLimit limit(64);
        ASSERT_TRUE(Run("10", "20", 3, 16, 16));
    }
    ASSERT_EQ(fErrors.size(), 1);
    EXPECT_TRUE(fLabel.GetMapping().GetImageFile().isEmpty());
    EXPECT_TRUE(QDir(fDir.path()).entryList(QDir::Files).isEmpty());
    ASSERT_TRUE(Run("10", "20", 3, 200, 200));
    EXPECT_EQ(fHostEvents, 1);
    const QString first = InDir("10_20_3_200x200_p0.png");
    ASSERT_EQ(fLabel.GetMapping().GetImageFile(), first);
    const QByteArray before = ReadAll(first);
    ASSERT_LT(before.size(), 2000);

    QImage noise(256, 256, QImage::Format_RGB32);
    QRandomGenerator rng(7);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x)
            noise.setPixel(x, y, rng.generate() | 0xFF000000u);
    fServer.Handler = [noisePng = TMapTileServer::Png(noise)](const QString&) {
        TMapTileServer::TResponse r;
        r.Body = noisePng;
        return r;
    };
    {
        TFileSizeLimit limit(4096);
        ASSERT_TRUE(Run("10", "20", 3, 200, 200));  // the same name
        ASSERT_TRUE(Run("11", "20", 3, 200, 200));  // another name
    }
    fLabel.SetImageFolder(InDir("no/such/folder"));
    ASSERT_TRUE(Run("1", "2", 3, 8, 8));
    ASSERT_EQ(fErrors.size(), 4);
    for (const QString& e : fErrors)
        EXPECT_TRUE(e.startsWith("Error saving image: ")) << e.toStdString();
    EXPECT_TRUE(fErrors[1].endsWith(first)) << fErrors[1].toStdString();
    EXPECT_EQ(fHostEvents, 1);
    EXPECT_EQ(fLabel.GetMapping().GetImageFile(), first);
    EXPECT_EQ(ReadAll(first), before);
    EXPECT_EQ(QDir(fDir.path()).entryList(QDir::Files), QStringList{"10_20_3_200x200_p0.png"});

    fLabel.SetImageFolder("  ");
    EXPECT_FALSE(fComposer.ComposeImage("1", "2", 3, 8, 8));
    EXPECT_EQ(fErrors.back(), "No image folder to save the map in: the host sets the label's image folder (SetImageFolder)");
}

namespace {

struct TRefusal
{
    const char* Lat;
    const char* Lon;
    int Zoom, Width, Height;
    const char* Expect;
};

class MapComposeRefusals : public MapCompose, public ::testing::WithParamInterface<TRefusal>
{
};

}  // namespace

TEST_P(MapComposeRefusals, WhatCannotBeMappedIsRefusedAtOnce)
{
    const TRefusal r = GetParam();
    fLabel.GetMapping().SetZoom(7);
    EXPECT_FALSE(fComposer.ComposeImage(r.Lat, r.Lon, r.Zoom, r.Width, r.Height));
    ASSERT_EQ(fErrors.size(), 1);
    EXPECT_TRUE(fErrors[0].startsWith(r.Expect)) << fErrors[0].toStdString();
    EXPECT_EQ(fLabel.GetMapping().GetZoom(), 7);
    EXPECT_FALSE(fLabel.GetMapping().GetPending());
    EXPECT_FALSE(fComposer.IsBusy());
    WaitFor([] { return false; }, 50);
    EXPECT_TRUE(fServer.Requests().isEmpty());
    EXPECT_EQ(fHostEvents, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Refused, MapComposeRefusals,
    ::testing::Values(TRefusal{"90", "0", 5, 100, 100, "Latitude 90 is beyond"},
                      TRefusal{"-85.06", "0", 5, 100, 100, "Latitude -85.06 is beyond"},
                      TRefusal{"0", "180.5", 5, 100, 100, "Longitude 180.5 is beyond"},
                      TRefusal{"north", "0", 5, 100, 100, "Latitude is not a number: north"},
                      TRefusal{"0", "1.2,3", 5, 100, 100, "Longitude is not a number"},
                      TRefusal{"0", "0", 21, 100, 100, "Zoom level 21 is not valid"},
                      TRefusal{"0", "0", -1, 100, 100, "Zoom level -1 is not valid"},
                      TRefusal{"0", "0", 5, 0, 100, "Map size not valid: 0 x 100"},
                      TRefusal{"0", "0", 5, 100, -3, "Map size not valid: 100 x -3"},
                      TRefusal{"0", "0", 5, 8193, 1, "Map size not valid: 8193 x 1"},
                      TRefusal{"0", "0", 5, 8000, 8000, "Map size not valid: 8000 x 8000"}));

// Listeners join without taking the host's handler; tiles are asked for
// with the user agent setting; the service key never shows in a message.
TEST_F(MapCompose, WhatTheHostHearsAndTheServerIsTold)
{
    QStringList heard, failures;
    auto c1 = QObject::connect(&fComposer, &TKVRMapComposer::Composed, [&](const QString& f) { heard << f; });
    auto c2 = QObject::connect(&fComposer, &TKVRMapComposer::Failed, [&](const QString& m) { failures << m; });
    ASSERT_TRUE(Run("1", "2", 3, 8, 8));
    EXPECT_EQ(fHostEvents, 1);
    EXPECT_EQ(heard, QStringList{InDir("1_2_3_8x8_p0.png")});
    QObject::disconnect(c1);
    fComposer.SetUserAgent("TestHost/2.0 (maps@example.org)");
    ASSERT_TRUE(Run("1", "3", 3, 8, 8));
    EXPECT_EQ(fHostEvents, 2);
    EXPECT_EQ(heard.size(), 1);
    EXPECT_FALSE(fComposer.ComposeImage("99", "3", 3, 8, 8));
    EXPECT_EQ(failures.size(), 1);
    EXPECT_EQ(fErrors.size(), 1);
    QObject::disconnect(c2);
    const auto requests = fServer.Requests();
    ASSERT_EQ(requests.size(), 2);
    EXPECT_TRUE(requests[0].UserAgent.startsWith("ZorvelLabels/")) << requests[0].UserAgent.toStdString();
    EXPECT_EQ(requests[1].UserAgent, "TestHost/2.0 (maps@example.org)");

    fLabel.GetMapping().SetProvider(int(TKVRMapProvider::HereNormal));
    fLabel.GetMapping().SetApiKey("k3y SECRET");
    ASSERT_TRUE(Run("1", "2", 3, 8, 8));  // the loopback server knows no such path: 404
    ASSERT_EQ(fErrors.size(), 2);
    EXPECT_TRUE(fServer.Requests().back().Path.endsWith("apiKey=k3y%20SECRET"));
    EXPECT_TRUE(fErrors[1].startsWith("Error on tile 0: Error HTTP 404 to load tile 0: ")) << fErrors[1].toStdString();
    EXPECT_FALSE(fErrors[1].contains("SECRET")) << fErrors[1].toStdString();
    EXPECT_TRUE(fErrors[1].endsWith("apiKey=***")) << fErrors[1].toStdString();
}

TEST_F(MapCompose, ACompositionOutlivingItsLabelDeliversNothing)
{
    auto label = std::make_unique<TKVRBaseLabel>();
    label->SetImageFolder(fDir.path());
    label->GetMapping().SetServiceBase(fServer.Base());
    int events = 0;
    int errors = 0;
    TKVRMapComposer composer(label.get(), [&] { ++events; }, [&](const QString&) { ++errors; });
    fServer.Handler = [](const QString&) {
        TMapTileServer::TResponse r;
        r.Body = TMapTileServer::SolidPng(Qt::green);
        r.DelayMs = 300;
        return r;
    };
    ASSERT_TRUE(composer.ComposeImage("1", "2", 3, 8, 8));
    label.reset();
    EXPECT_EQ(composer.GetLabel(), nullptr);
    EXPECT_TRUE(WaitFor([&] { return !composer.IsBusy(); }, KWait));
    WaitFor([] { return false; }, 400);
    EXPECT_EQ(events, 0);
    EXPECT_EQ(errors, 0);
    EXPECT_FALSE(composer.ComposeImage("1", "2", 3, 8, 8));
}

TEST_F(MapCompose, AComposerGoneMidRunStopsItsRun)
{
    fServer.Handler = [](const QString&) {
        TMapTileServer::TResponse r;
        r.Mode = TMapTileServer::TMode::Silent;
        return r;
    };
    int events = 0;
    {
        TKVRMapComposer composer(&fLabel, [&] { ++events; }, [&](const QString&) { ++events; });
        composer.SetTimeout(60000);
        ASSERT_TRUE(composer.ComposeImage("1", "2", 3, 8, 8));
        ASSERT_TRUE(WaitFor([&] { return !fServer.Requests().isEmpty(); }, KWait));
    }  // waits for its run, which sees the cancel rather than the minute's time-out
    WaitFor([] { return false; }, 50);
    EXPECT_EQ(events, 0);
    EXPECT_TRUE(fLabel.GetMapping().GetPending());
}

// The label component's own road: its composer fires the host's event with the label as sender.
TEST(MapComposeLabel, TheLabelFiresItsOwnEvent)
{
    QTemporaryDir dir;
    TMapTileServer server;
    TVXLabelFMX label;
    label.SetImageFolder(dir.path());
    label.GetMapping().SetServiceBase(server.Base());
    label.GetMapComposer().SetTimeout(5000);
    QObject* sender = nullptr;
    label.OnComposeImage = [&](QObject* aSender) { sender = aSender; };
    ASSERT_TRUE(label.ComposeImage("0", "0", 2, 64, 64));
    ASSERT_TRUE(WaitFor([&] { return sender != nullptr; }, KWait));
    EXPECT_EQ(sender, &label);
    EXPECT_EQ(QImage(label.GetMapping().GetImageFile()).size(), QSize(64, 64));
    EXPECT_FALSE(label.ComposeImage("91", "0", 2, 64, 64));
}
