#include "platform/rtl/label/TKVRMapping.h"
#include "platform/rtl/KVR.Math.h"
#include "platform/rtl/label/TKVRMeasure.h"
#include "platform/rtl/model/KVR.Model.Records.h"
#include "platform/rtl/model/KVR.Stream.h"
#include <QRegularExpression>
#include <QUrl>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

namespace {

struct TProviderDef
{
    const char* Name;
    // Tile address with {z}, {x}, {y}; {k} is the API key, {key} adds "&key=" and
    // the key when there is one. A WMS provider has its service address here.
    const char* Url;
    const char* WmsLayers;  // null: a tile server
    const char* WmsFormat;
};

constexpr TProviderDef KProviders[TKVRMapping::ProviderCount] = {
    {"OpenStreetMap", "https://tile.openstreetmap.org/{z}/{x}/{y}.png", nullptr, nullptr},
    {"CartoDB", "https://a.basemaps.cartocdn.com/light_all/{z}/{x}/{y}.png", nullptr, nullptr},
    {"ESRI", "https://server.arcgisonline.com/ArcGIS/rest/services/World_Imagery/MapServer/tile/{z}/{y}/{x}",
     nullptr, nullptr},
    {"OpenTopo", "https://a.tile.opentopomap.org/{z}/{x}/{y}.png", nullptr, nullptr},
    {"SIGPAC", "https://wms.mapa.gob.es/sigpac/wms", "AU.Sigpac:recinto", "image/png"},
    {"IGN - Mapa Base", "https://www.ign.es/wms-inspire/ign-base", "IGNBaseTodo", "image/png"},
    {"IGN - Ortofoto PNOA", "https://www.ign.es/wms-inspire/pnoa-ma", "OI.OrthoimageCoverage", "image/jpeg"},
    {"Google Maps - Road", "https://mt0.google.com/vt/lyrs=m&x={x}&y={y}&z={z}{key}", nullptr, nullptr},
    {"Google Maps - Satellite", "https://mt0.google.com/vt/lyrs=s&x={x}&y={y}&z={z}{key}", nullptr, nullptr},
    {"Google Maps - Terrain", "https://mt0.google.com/vt/lyrs=p&x={x}&y={y}&z={z}{key}", nullptr, nullptr},
    {"Google Maps - Hybrid", "https://mt0.google.com/vt/lyrs=y&x={x}&y={y}&z={z}{key}", nullptr, nullptr},
    {"Here Maps - Normal", "https://maps.hereapi.com/v3/base/mc/{z}/{x}/{y}/png?style=explore.day&apiKey={k}",
     nullptr, nullptr},
    {"Carto - Dark Matter", "https://a.basemaps.cartocdn.com/dark_all/{z}/{x}/{y}.png", nullptr, nullptr},
    {"Carto - Voyager", "https://a.basemaps.cartocdn.com/rastertiles/voyager/{z}/{x}/{y}.png", nullptr, nullptr},
};

// Half the side of the Web-Mercator square in metres.
constexpr double KMercatorHalf = 20037508.342789244;

int64_t FloorDiv(int64_t a, int64_t b)
{
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

// The template with its scheme and host replaced by aBase.
QString WithBase(const QString& aTemplate, const QString& aBase)
{
    if (aBase.isEmpty())
        return aTemplate;
    QString base = aBase;
    while (base.endsWith('/'))
        base.chop(1);
    const qsizetype scheme = aTemplate.indexOf(QLatin1String("://"));
    const qsizetype path = scheme < 0 ? -1 : aTemplate.indexOf('/', scheme + 3);
    return base + (path < 0 ? QString() : aTemplate.mid(path));
}

bool ValidBase(const QString& aBase)
{
    const QUrl url(aBase);
    return url.isValid() && (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https")) &&
           !url.host().isEmpty();
}

QString Coordinate(double aValue)
{
    return QString::number(aValue, 'f', 3);
}

double CheckPlace(double aValue, double aLimit, const char* aWhat)
{
    if (!std::isfinite(aValue) || std::fabs(aValue) > aLimit)
        throw EKVRDataError(std::string("Invalid value for ") + aWhat);
    return aValue;
}

}  // namespace

bool KVRIsLoopback(const QUrl& aUrl)
{
    // QUrl gives addresses in their canonical form.
    QString host = aUrl.host();
    if (host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0 || host == QLatin1String("::1"))
        return true;
    if (host.startsWith(QLatin1String("::ffff:"), Qt::CaseInsensitive))
        host = host.mid(7);
    const QStringList parts = host.split(QLatin1Char('.'));
    if (parts.size() != 4 || parts[0] != QLatin1String("127"))
        return false;
    return std::all_of(parts.begin(), parts.end(), [](const QString& aPart) {
        bool ok = false;
        const int value = aPart.toInt(&ok);
        return ok && value >= 0 && value <= 255;
    });
}

bool KVRKeyMayGo(const QUrl& aUrl)
{
    return aUrl.scheme() == QLatin1String("https") || KVRIsLoopback(aUrl);
}

QString TKVRMapping::ProviderName(int32_t aProvider)
{
    if (aProvider < 0 || aProvider >= ProviderCount)
        return QString();
    return QString::fromLatin1(KProviders[aProvider].Name);
}

bool TKVRMapping::IsWms(int32_t aProvider)
{
    return aProvider >= 0 && aProvider < ProviderCount && KProviders[aProvider].WmsLayers != nullptr;
}

bool TKVRMapping::SetProvider(int32_t aProvider)
{
    if (aProvider < 0 || aProvider >= ProviderCount)
        return false;
    fProvider = TKVRMapProvider(aProvider);
    return true;
}

bool TKVRMapping::SetZoom(int32_t aZoom)
{
    if (aZoom < MinZoom || aZoom > MaxZoom)
        return false;
    fZoom = aZoom;
    return true;
}

QString TKVRMapping::EffectiveServiceBase() const
{
    if (ValidBase(fServiceBase))
        return fServiceBase;
    const QString env = qEnvironmentVariable(ServiceBaseVariable);
    return ValidBase(env) ? env : QString();
}

bool TKVRMapping::ParseDegrees(const QString& aText, double& aValue)
{
    static const QRegularExpression number(QStringLiteral("^\\s*([+-]?(?:\\d+(?:[.,]\\d*)?|[.,]\\d+))\\s*$"));
    const QRegularExpressionMatch m = number.match(aText);
    if (!m.hasMatch())
        return false;
    QString text = m.captured(1);
    text.replace(',', '.');
    bool ok = false;
    const double v = text.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return false;
    aValue = v == 0.0 ? 0.0 : v;  // no negative zero in names
    return true;
}

void TKVRMapping::WorldPixel(double aLatitude, double aLongitude, int32_t aZoom, double& aX, double& aY)
{
    const double n = double(TileSize) * std::ldexp(1.0, aZoom);
    const double s = std::sin(aLatitude * std::numbers::pi / 180.0);
    aX = (aLongitude + 180.0) / 360.0 * n;
    aY = (0.5 - std::log((1.0 + s) / (1.0 - s)) / (4.0 * std::numbers::pi)) * n;
}

bool TKVRMapping::LoadMap(const QString& aLatitude, const QString& aLongitude, int32_t aWidth, int32_t aHeight,
                          QString* aWhy)
{
    auto refuse = [&](const QString& aText) {
        if (aWhy)
            *aWhy = aText;
        return false;
    };
    double lat = 0.0;
    double lon = 0.0;
    if (!ParseDegrees(aLatitude, lat))
        return refuse(QStringLiteral("Latitude is not a number: ") + aLatitude.left(40));
    if (!ParseDegrees(aLongitude, lon))
        return refuse(QStringLiteral("Longitude is not a number: ") + aLongitude.left(40));
    if (std::fabs(lat) > MaxLatitude)
        return refuse(QStringLiteral("Latitude %1 is beyond the map's limit of ±85.0511").arg(lat));
    if (std::fabs(lon) > 180.0)
        return refuse(QStringLiteral("Longitude %1 is beyond ±180").arg(lon));
    if (aWidth < 1 || aHeight < 1 || aWidth > MaxMapSide || aHeight > MaxMapSide)
        return refuse(QStringLiteral("Map size not valid: %1 x %2 pixels (1 to %3 a side)")
                          .arg(aWidth)
                          .arg(aHeight)
                          .arg(MaxMapSide));
    double x = 0.0;
    double y = 0.0;
    WorldPixel(lat, lon, fZoom, x, y);
    const int64_t worldPixels = int64_t(TileSize) << fZoom;
    // The centre pixel holds the place; the latitude limit keeps it within the world.
    const int64_t cx = std::clamp<int64_t>(int64_t(std::floor(x)), 0, worldPixels);
    const int64_t cy = std::clamp<int64_t>(int64_t(std::floor(y)), 0, worldPixels - 1);
    const int64_t left = cx - aWidth / 2;
    const int64_t top = cy - aHeight / 2;
    std::vector<TKVRTileInfo> tiles;
    for (int64_t ty = FloorDiv(top, TileSize); ty <= FloorDiv(top + aHeight - 1, TileSize); ++ty)
        for (int64_t tx = FloorDiv(left, TileSize); tx <= FloorDiv(left + aWidth - 1, TileSize); ++tx)
            tiles.push_back({TileAddress(int32_t(tx), int32_t(ty), fZoom), int32_t(tx * TileSize - left),
                             int32_t(ty * TileSize - top)});
    fLatitude = lat;
    fLongitude = lon;
    fTiles = std::move(tiles);
    fMapWidth = aWidth;
    fMapHeight = aHeight;
    return true;
}

TKVRTileInfo TKVRMapping::GetTile(int32_t aIndex) const
{
    if (aIndex < 0 || aIndex >= GetNumTiles())
        return {};
    return fTiles[size_t(aIndex)];
}

QString TKVRMapping::TileAddress(int32_t aX, int32_t aY, int32_t aZoom) const
{
    if (aZoom < MinZoom || aZoom > MaxZoom)
        return QString();
    const int64_t n = int64_t(1) << aZoom;
    if (aY < 0 || aY >= n)
        return QString();
    const int64_t x = ((aX % n) + n) % n;
    const TProviderDef& def = KProviders[uint8_t(fProvider) < ProviderCount ? uint8_t(fProvider) : 0];
    QString address = WithBase(QString::fromLatin1(def.Url), EffectiveServiceBase());
    if (def.WmsLayers) {
        const double side = 2.0 * KMercatorHalf / double(n);
        const double minX = -KMercatorHalf + double(x) * side;
        const double maxY = KMercatorHalf - double(aY) * side;
        const QString bbox = Coordinate(minX) + ',' + Coordinate(maxY - side) + ',' + Coordinate(minX + side) +
                             ',' + Coordinate(maxY);
        return address + QStringLiteral("?SERVICE=WMS&VERSION=1.1.1&REQUEST=GetMap&LAYERS=") +
               QString::fromLatin1(def.WmsLayers) + QStringLiteral("&STYLES=&SRS=EPSG:3857&BBOX=") + bbox +
               QStringLiteral("&WIDTH=%1&HEIGHT=%1&FORMAT=").arg(TileSize) +
               QString::fromLatin1(QUrl::toPercentEncoding(QString::fromLatin1(def.WmsFormat)));
    }
    const QString key =
        KVRKeyMayGo(QUrl(address)) ? QString::fromLatin1(QUrl::toPercentEncoding(fApiKey)) : QString();
    address.replace(QLatin1String("{z}"), QString::number(aZoom));
    address.replace(QLatin1String("{x}"), QString::number(x));
    address.replace(QLatin1String("{y}"), QString::number(aY));
    address.replace(QLatin1String("{key}"), key.isEmpty() ? QString() : QStringLiteral("&key=") + key);
    address.replace(QLatin1String("{k}"), key);
    return address;
}

double TKVRMapping::MetresPerPixel() const
{
    const double equator = 2.0 * std::numbers::pi * 6378137.0;
    return equator * std::cos(fLatitude * std::numbers::pi / 180.0) / (double(TileSize) * std::ldexp(1.0, fZoom));
}

int32_t TKVRMapping::MapScale() const
{
    const double paperMetres = 0.0254 / 96.0;
    const int32_t scale = RoundHalfEven32(MetresPerPixel() / paperMetres);
    return scale < 1 ? 1 : scale;
}

void TKVRMapping::ApplyScale()
{
    if (fMeasure)
        fMeasure->SetDrawScale(MapScale());
}

// ---------------------------------------------------------------- stored settings

void TKVRMapping::Write(TBinaryWriter& aWriter) const
{
    aWriter.WriteWord(fAllowed);
    aWriter.WriteByte(uint8_t(fProvider));
    aWriter.WriteDouble(fLatitude);
    aWriter.WriteDouble(fLongitude);
    aWriter.WriteByte(uint8_t(fZoom));
    aWriter.WriteBoolean(fShowCenter);
    aWriter.WriteString(fImageFile);
}

void TKVRMapping::Read(TBinaryReader& aReader)
{
    TKVRMapping m = *this;
    m.fAllowed = aReader.ReadWord() & AllProviders;
    const uint8_t provider = aReader.ReadByte();
    if (!m.SetProvider(provider))
        throw EKVRDataError("Invalid value for MapProvider: " + std::to_string(provider));
    m.fLatitude = CheckPlace(aReader.ReadDouble(), MaxLatitude, "Latitude");
    m.fLongitude = CheckPlace(aReader.ReadDouble(), 180.0, "Longitude");
    const uint8_t zoom = aReader.ReadByte();
    if (!m.SetZoom(zoom))
        throw EKVRDataError("Invalid value for Zoom: " + std::to_string(zoom));
    m.fShowCenter = aReader.ReadBoolean();
    m.fImageFile = aReader.ReadString();
    *this = std::move(m);
}

void TKVRMapping::ClearSettings()
{
    const TKVRMapping defaults;
    fAllowed = defaults.fAllowed;
    fProvider = defaults.fProvider;
    fLatitude = defaults.fLatitude;
    fLongitude = defaults.fLongitude;
    fZoom = defaults.fZoom;
    fShowCenter = defaults.fShowCenter;
    fImageFile = defaults.fImageFile;
}

TJsonObject TKVRMapping::WriteJson() const
{
    TJsonObject j = TJsonObject::object();
    j["Allowed"] = fAllowed;
    j["Provider"] = uint8_t(fProvider);
    j["Latitude"] = fLatitude;
    j["Longitude"] = fLongitude;
    j["Zoom"] = fZoom;
    j["ShowCenter"] = fShowCenter;
    j["ImageFile"] = KVRJson::Str(fImageFile);
    return j;
}

void TKVRMapping::ReadJson(const TJsonObject& aJson)
{
    TKVRMapping m = *this;
    const uint32_t allowed = KVRJson::GetCardinal(aJson, "Allowed", fAllowed);
    if (allowed > AllProviders)
        throw EKVRJsonError("Invalid value for Allowed: " + std::to_string(allowed));
    m.fAllowed = uint16_t(allowed);
    const int32_t provider = KVRJson::GetInt32(aJson, "Provider", int32_t(fProvider));
    if (!m.SetProvider(provider))
        throw EKVRJsonError("Invalid value for Provider: " + std::to_string(provider));
    try {
        m.fLatitude = CheckPlace(KVRJson::GetDouble(aJson, "Latitude", fLatitude), MaxLatitude, "Latitude");
        m.fLongitude = CheckPlace(KVRJson::GetDouble(aJson, "Longitude", fLongitude), 180.0, "Longitude");
    } catch (const EKVRDataError& e) {
        throw EKVRJsonError(e.what());
    }
    const int32_t zoom = KVRJson::GetInt32(aJson, "Zoom", fZoom);
    if (!m.SetZoom(zoom))
        throw EKVRJsonError("Invalid value for Zoom: " + std::to_string(zoom));
    m.fShowCenter = KVRJson::GetBool(aJson, "ShowCenter", fShowCenter);
    m.fImageFile = KVRJson::GetString(aJson, "ImageFile", fImageFile);
    *this = std::move(m);
}
