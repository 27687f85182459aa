#include "platform/rtl/label/TKVRBaseLabel.h"
#include "platform/rtl/label/TKVRMapping.h"
#include "platform/rtl/model/KVR.Model.Records.h"
#include "platform/rtl/model/KVR.Stream.h"
#include <QBuffer>
#include <QRegularExpression>
#include <QUrl>
#include <QUrlQuery>
#include <cmath>
#include "tests/rtl/label/LabelTestSupport.h"
#include <gtest/gtest.h>
#include <numbers>

namespace {

// The tile formula as the OpenStreetMap wiki gives it (tan and sec form).
void WikiTile(double aLat, double aLon, int aZoom, int& aX, int& aY)
{
    const double n = std::pow(2.0, aZoom);
    const double rad = aLat * std::numbers::pi / 180.0;
    aX = int(std::floor((aLon + 180.0) / 360.0 * n));
    aY = int(std::floor((1.0 - std::log(std::tan(rad) + 1.0 / std::cos(rad)) / std::numbers::pi) / 2.0 * n));
}

// The single tile of a one-pixel map, read back from its address.
bool CentreTile(TKVRMapping& aMap, const QString& aLat, const QString& aLon, int& aZ, int& aX, int& aY)
{
    if (!aMap.LoadMap(aLat, aLon, 1, 1) || aMap.GetNumTiles() != 1)
        return false;
    static const QRegularExpression re(QStringLiteral("^http://tiles.test/(\\d+)/(\\d+)/(\\d+)\\.png$"));
    const auto m = re.match(aMap.GetTile(0).Address);
    if (!m.hasMatch())
        return false;
    aZ = m.captured(1).toInt();
    aX = m.captured(2).toInt();
    aY = m.captured(3).toInt();
    return true;
}

struct TPlace
{
    const char* Lat;
    const char* Lon;
    int Zoom;
};

class MappingTiles : public ::testing::TestWithParam<TPlace>
{
};

}  // namespace

TEST_P(MappingTiles, CentreTileFollowsTheStandardFormula)
{
    const TPlace p = GetParam();
    TKVRMapping map;
    map.SetServiceBase("http://tiles.test");
    ASSERT_TRUE(map.SetZoom(p.Zoom));
    int z = -1, x = -1, y = -1;
    ASSERT_TRUE(CentreTile(map, p.Lat, p.Lon, z, x, y));
    int wx = 0, wy = 0;
    double lat = 0, lon = 0;
    ASSERT_TRUE(TKVRMapping::ParseDegrees(p.Lat, lat));
    ASSERT_TRUE(TKVRMapping::ParseDegrees(p.Lon, lon));
    WikiTile(lat, lon, p.Zoom, wx, wy);
    EXPECT_EQ(z, p.Zoom);
    EXPECT_EQ(x, wx);
    EXPECT_EQ(y, wy);
}

INSTANTIATE_TEST_SUITE_P(Places, MappingTiles,
                         ::testing::Values(TPlace{"40.4168", "-3.7038", 12}, TPlace{"40,4168", "-3,7038", 20},
                                           TPlace{"51.5074", "-0.1278", 10}, TPlace{"-33.4489", "-70.6693", 15},
                                           TPlace{"-33.8688", "151.2093", 7}, TPlace{"64.1466", "-21.9426", 3},
                                           TPlace{"0.0001", "0.0001", 0}, TPlace{"84.9", "179.9", 5},
                                           TPlace{"-84.9", "-179.9", 18}));

TEST(Mapping, KnownTilesOfWellKnownPlaces)
{
    TKVRMapping map;
    map.SetServiceBase("http://tiles.test");
    int z, x, y;
    map.SetZoom(10);
    ASSERT_TRUE(CentreTile(map, "51.5074", "-0.1278", z, x, y));  // London
    EXPECT_EQ(x, 511);
    EXPECT_EQ(y, 340);
    map.SetZoom(1);
    ASSERT_TRUE(CentreTile(map, "10", "10", z, x, y));
    EXPECT_EQ(x, 1);
    EXPECT_EQ(y, 0);
}

TEST(Mapping, TilesCoverTheMapAroundTheCentre)
{
    // Latitude 0, longitude 0 at zoom 2 is the world's middle, pixel (512, 512):
    // a 301-pixel map starts at 362, so the tile seam falls on column 150.
    TKVRMapping map;
    map.SetServiceBase("http://tiles.test/");
    map.SetZoom(2);
    ASSERT_TRUE(map.LoadMap("0", "0", 301, 301));
    ASSERT_EQ(map.GetNumTiles(), 4);
    const int expect[4][4] = {{1, 1, -106, -106}, {2, 1, 150, -106}, {1, 2, -106, 150}, {2, 2, 150, 150}};
    for (int i = 0; i < 4; ++i) {
        const TKVRTileInfo t = map.GetTile(i);
        EXPECT_EQ(t.Address, QString("http://tiles.test/2/%1/%2.png").arg(expect[i][0]).arg(expect[i][1]));
        EXPECT_EQ(t.X, expect[i][2]);
        EXPECT_EQ(t.Y, expect[i][3]);
    }
    EXPECT_TRUE(map.GetTile(4).Address.isEmpty());
    EXPECT_TRUE(map.GetTile(-1).Address.isEmpty());
}

TEST(Mapping, ColumnsWrapRoundTheWorldAndRowsStopAtThePoles)
{
    TKVRMapping map;
    map.SetServiceBase("http://tiles.test");
    map.SetZoom(0);
    ASSERT_TRUE(map.LoadMap("85", "179.9", 600, 600));
    int empty = 0;
    for (int i = 0; i < map.GetNumTiles(); ++i) {
        const QString a = map.GetTile(i).Address;
        if (a.isEmpty())
            ++empty;
        else
            EXPECT_EQ(a, "http://tiles.test/0/0/0.png");
    }
    EXPECT_GT(empty, 0);  // rows above and below the world have nothing to fetch
    EXPECT_LT(empty, map.GetNumTiles());
}

TEST(Mapping, DegreesTypedWithACommaOrAPoint)
{
    const struct
    {
        const char* Text;
        bool Ok;
        double Value;
    } cases[] = {{"40,4168", true, 40.4168},   {"40.4168", true, 40.4168}, {" -3.7038 ", true, -3.7038},
                 {"+1.5", true, 1.5},          {".5", true, 0.5},          {"5,", true, 5.0},
                 {"-0", true, 0.0},            {"", false, 0},             {"abc", false, 0},
                 {"1,2.3", false, 0},          {"1e5", false, 0},          {"40.4168N", false, 0},
                 {"1 2", false, 0},            {"--1", false, 0},          {"nan", false, 0},
                 {"1.000.000", false, 0}};
    for (const auto& c : cases) {
        double v = -999;
        EXPECT_EQ(TKVRMapping::ParseDegrees(c.Text, v), c.Ok) << c.Text;
        if (c.Ok) {
            EXPECT_DOUBLE_EQ(v, c.Value) << c.Text;
            EXPECT_FALSE(std::signbit(v) && v == 0.0) << "negative zero from " << c.Text;
        }
    }
}

TEST(Mapping, LoadMapRefusesWhatItCannotMapAndKeepsTheLastMap)
{
    TKVRMapping map;
    map.SetZoom(3);
    ASSERT_TRUE(map.LoadMap("40", "-3", 300, 200));
    const int tiles = map.GetNumTiles();
    const struct
    {
        const char* Lat;
        const char* Lon;
        int W, H;
    } bad[] = {{"90", "0", 10, 10},     {"-90", "0", 10, 10},   {"85.06", "0", 10, 10}, {"-85.0512", "0", 10, 10},
               {"0", "180.01", 10, 10}, {"0", "-181", 10, 10},  {"x", "0", 10, 10},     {"0", "", 10, 10},
               {"0", "0", 0, 100},      {"0", "0", 100, 0},     {"0", "0", -5, 10},     {"0", "0", 8193, 10},
               {"0", "0", 10, 100000}};
    for (const auto& b : bad) {
        QString why;
        EXPECT_FALSE(map.LoadMap(b.Lat, b.Lon, b.W, b.H, &why)) << b.Lat << " " << b.Lon << " " << b.W << "x" << b.H;
        EXPECT_FALSE(why.isEmpty());
        EXPECT_EQ(map.GetNumTiles(), tiles);
        EXPECT_DOUBLE_EQ(map.GetLatitude(), 40.0);
    }
    EXPECT_TRUE(map.LoadMap("-85.05", "-180", 1, 1));
    EXPECT_TRUE(map.LoadMap("85.05", "180", 1, 1));
    EXPECT_FALSE(map.SetZoom(21));
    EXPECT_FALSE(map.SetZoom(-1));
    EXPECT_EQ(map.GetZoom(), 3);
}

TEST(Mapping, WmsProvidersAskForTheTileSquareInWebMercator)
{
    TKVRMapping map;
    map.SetServiceBase("http://wms.test:81");
    ASSERT_TRUE(map.SetProvider(int(TKVRMapProvider::IGNBase)));
    EXPECT_TRUE(TKVRMapping::IsWms(int(TKVRMapProvider::IGNBase)));
    EXPECT_FALSE(TKVRMapping::IsWms(int(TKVRMapProvider::OpenStreetMap)));
    map.SetZoom(1);
    ASSERT_TRUE(map.LoadMap("40", "-3.7", 1, 1));  // tile (0, 0) of zoom 1: the north-west quarter
    const QUrl url(map.GetTile(0).Address);
    EXPECT_EQ(url.host(), "wms.test");
    EXPECT_EQ(url.port(), 81);
    const QUrlQuery q(url);
    EXPECT_EQ(q.queryItemValue("SERVICE"), "WMS");
    EXPECT_EQ(q.queryItemValue("REQUEST"), "GetMap");
    EXPECT_EQ(q.queryItemValue("SRS"), "EPSG:3857");
    EXPECT_EQ(q.queryItemValue("LAYERS"), "IGNBaseTodo");
    EXPECT_EQ(q.queryItemValue("WIDTH"), "256");
    EXPECT_EQ(q.queryItemValue("HEIGHT"), "256");
    EXPECT_EQ(q.queryItemValue("FORMAT", QUrl::FullyDecoded), "image/png");
    const QStringList box = q.queryItemValue("BBOX").split(',');
    ASSERT_EQ(box.size(), 4);
    const double half = std::numbers::pi * 6378137.0;  // the sphere's half circumference
    EXPECT_NEAR(box[0].toDouble(), -half, 0.01);
    EXPECT_NEAR(box[1].toDouble(), 0.0, 0.01);
    EXPECT_NEAR(box[2].toDouble(), 0.0, 0.01);
    EXPECT_NEAR(box[3].toDouble(), half, 0.01);
}

TEST(Mapping, ProvidersKeysAndServiceBase)
{
    const char* names[] = {"OpenStreetMap",       "CartoDB",
                           "ESRI",                "OpenTopo",
                           "SIGPAC",              "IGN - Mapa Base",
                           "IGN - Ortofoto PNOA", "Google Maps - Road",
                           "Google Maps - Satellite", "Google Maps - Terrain",
                           "Google Maps - Hybrid", "Here Maps - Normal",
                           "Carto - Dark Matter", "Carto - Voyager"};
    for (int i = 0; i < TKVRMapping::ProviderCount; ++i)
        EXPECT_EQ(TKVRMapping::ProviderName(i), names[i]);
    EXPECT_TRUE(TKVRMapping::ProviderName(14).isEmpty());
    TKVRMapping map;
    EXPECT_FALSE(map.SetProvider(14));
    EXPECT_EQ(map.GetProvider(), TKVRMapProvider::OpenStreetMap);

    // Every provider names a public service by default.
    qunsetenv(TKVRMapping::ServiceBaseVariable);
    for (int i = 0; i < TKVRMapping::ProviderCount; ++i) {
        map.SetProvider(i);
        const QUrl url(map.TileAddress(1, 1, 2));
        EXPECT_EQ(url.scheme(), "https") << i;
        EXPECT_FALSE(url.host().isEmpty()) << i;
    }

    map.SetApiKey("a b&c");
    map.SetProvider(int(TKVRMapProvider::HereNormal));
    EXPECT_TRUE(map.TileAddress(1, 2, 3).endsWith("/3/1/2/png?style=explore.day&apiKey=a%20b%26c"));
    map.SetProvider(int(TKVRMapProvider::GoogleSatellite));
    EXPECT_TRUE(map.TileAddress(1, 2, 3).endsWith("lyrs=s&x=1&y=2&z=3&key=a%20b%26c"));
    map.SetApiKey("");
    EXPECT_TRUE(map.TileAddress(1, 2, 3).endsWith("lyrs=s&x=1&y=2&z=3"));

    // The environment replaces the public host; the setter wins over both.
    map.SetProvider(int(TKVRMapProvider::ESRI));
    qputenv(TKVRMapping::ServiceBaseVariable, "http://127.0.0.1:9");
    EXPECT_EQ(map.TileAddress(1, 2, 3), "http://127.0.0.1:9/ArcGIS/rest/services/World_Imagery/MapServer/tile/3/2/1");
    map.SetServiceBase("http://127.0.0.1:10");
    EXPECT_TRUE(map.TileAddress(1, 2, 3).startsWith("http://127.0.0.1:10/ArcGIS/"));
    map.SetServiceBase("");
    qputenv(TKVRMapping::ServiceBaseVariable, "not a url");
    EXPECT_TRUE(map.TileAddress(1, 2, 3).startsWith("https://server.arcgisonline.com/"));
    qunsetenv(TKVRMapping::ServiceBaseVariable);
}

namespace {


void FillMapping(TKVRMapping& m)
{
    m.SetAllowed(0x1001);
    m.SetProvider(12);
    m.SetZoom(17);
    ASSERT_TRUE(m.LoadMap("-33,4489", "-70.6693", 10, 10));
    m.SetShowCenter(true);
    m.SetImageFile(QString::fromUtf8("/maps/Añón/-33.4489_-70.6693_17.png"));
}

}  // namespace

TEST(Mapping, DamagedSettingsAreRefusedAndChangeNothing)
{
    TKVRBaseLabel doc;
    FillMapping(doc.GetMapping());
    const char* keys[][2] = {{"Provider", "14"},  {"Zoom", "21"},        {"Latitude", "90"},
                             {"Longitude", "-200"}, {"Allowed", "65535"}, {"ShowCenter", "\"yes\""},
                             {"ImageFile", "3"}};
    for (const auto& k : keys) {
        TJsonObject json = doc.GetJson();
        json["Mapping"][k[0]] = TJsonObject::parse(k[1]);
        TKVRBaseLabel other;
        FillMapping(other.GetMapping());
        other.GetMapping().SetZoom(3);
        EXPECT_THROW(other.ReadJson(json), EKVRJsonError) << k[0];
        EXPECT_EQ(other.GetMapping().GetZoom(), 3) << k[0];
    }

    // Binary: the provider byte is the mapping record's third byte.
    QByteArray bytes = LabelBytes(doc);
    QBuffer tail;
    tail.open(QIODevice::WriteOnly);
    TBinaryWriter w(&tail);
    doc.GetMapping().Write(w);
    // After it come the background layer, the label's turn and the dimension style (9 bytes).
    const qsizetype at = bytes.size() - tail.data().size() - 9;
    ASSERT_EQ(bytes.mid(at, tail.data().size()), tail.data());
    QByteArray bad = bytes;
    bad[at + 2] = char(14);  // after the allowed set (two bytes)
    TKVRBaseLabel other;
    EXPECT_THROW(ReadLabel(other, bad), EKVRDataError);
    EXPECT_EQ(other.GetMapping().GetZoom(), 15);
    EXPECT_THROW(ReadLabel(other, bytes.left(bytes.size() - 3)), EKVRStreamError);
}

TEST(Mapping, ApplyScaleGivesTheLabelTheMapsScaleAtNinetySixDotsAnInch)
{
    TKVRBaseLabel doc;
    TKVRMapping& m = doc.GetMapping();
    // At the equator, zoom 0, one pixel covers a 256th of the equator.
    m.SetZoom(0);
    ASSERT_TRUE(m.LoadMap("0", "0", 1, 1));
    EXPECT_NEAR(m.MetresPerPixel(), 40075016.686 / 256.0, 0.01);
    // At 60 degrees the ground under a pixel halves; each zoom level halves it again.
    m.SetZoom(15);
    ASSERT_TRUE(m.LoadMap("60", "10", 1, 1));
    const double metres = 40075016.686 / 256.0 / 32768.0 / 2.0;
    EXPECT_NEAR(m.MetresPerPixel(), metres, 1e-6);
    m.ApplyScale();
    EXPECT_EQ(doc.GetMeasure().GetDrawScale(), int(std::nearbyint(metres / (0.0254 / 96.0))));
    EXPECT_EQ(doc.GetMeasure().GetDrawScale(), 9028);  // 2.38866 m a pixel, 0.264583 mm of paper
    // Far north at the deepest zoom the scale stays a whole number of at least 1.
    m.SetZoom(20);
    ASSERT_TRUE(m.LoadMap("85.05", "0", 1, 1));
    EXPECT_GE(m.MapScale(), 1);
    // A mapping of no label has nothing to scale.
    TKVRMapping loose;
    loose.ApplyScale();
}

// The key goes over HTTPS or to this machine; a tile address to another host
// in plain HTTP carries none, whatever the provider's way of naming it.
TEST(MappingKey, NoKeyToAPlainHttpTileHost)
{
    const struct
    {
        const char* Base;
        bool Keyed;
    } bases[] = {{"https://tiles.example", true},     {"http://127.0.0.1:9", true},
                 {"http://localhost:9", true},        {"http://[::1]:9", true},
                 {"http://tiles.example", false},     {"http://127.0.0.1.tiles.example", false},
                 {"http://10.0.0.7:8080", false}};
    TKVRMapping map;
    map.SetApiKey("secret");
    for (const auto& b : bases)
        for (const TKVRMapProvider provider : {TKVRMapProvider::GoogleRoad, TKVRMapProvider::HereNormal}) {
            SCOPED_TRACE(std::string(b.Base) + " " + std::to_string(int(provider)));
            map.SetServiceBase(b.Base);
            map.SetProvider(int(provider));
            const QString address = map.TileAddress(1, 2, 3);
            EXPECT_TRUE(address.startsWith(b.Base)) << address.toStdString();
            EXPECT_EQ(address.contains("secret"), b.Keyed) << address.toStdString();
        }
}
