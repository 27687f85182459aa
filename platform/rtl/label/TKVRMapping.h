#pragma once
#include "platform/rtl/model/KVR.Model.Json.h"
#include <QString>
#include <cstdint>
#include <vector>

class QUrl;
class TBinaryReader;
class TBinaryWriter;
class TKVRMeasure;

// This machine by name or address: reached without a proxy.
bool KVRIsLoopback(const QUrl& aUrl);
// An API key may go to the address: over HTTPS, or to this machine. A key
// sent over plain HTTP to another host can be read on the way.
bool KVRKeyMayGo(const QUrl& aUrl);

// Tile providers of the background map, numbered as the map dialog lists them.
enum class TKVRMapProvider : uint8_t {
    OpenStreetMap = 0,
    CartoDB = 1,
    ESRI = 2,
    OpenTopo = 3,
    SIGPAC = 4,
    IGNBase = 5,
    IGNOrtho = 6,
    GoogleRoad = 7,
    GoogleSatellite = 8,
    GoogleTerrain = 9,
    GoogleHybrid = 10,
    HereNormal = 11,
    CartoDark = 12,
    CartoVoyager = 13,
};

// One tile of a map: where to fetch it (empty: nothing to fetch, the tile
// lies beyond the poles) and where its top-left corner lands in the map picture.
struct TKVRTileInfo
{
    QString Address;
    int32_t X = 0;
    int32_t Y = 0;
};

// The label's background-map settings and the tiles of the last map laid out.
// Tiles are Web-Mercator squares of 256 pixels; zoom z has 2^z of them a side.
class TKVRMapping
{
public:
    static constexpr int32_t ProviderCount = 14;
    static constexpr uint16_t AllProviders = (1u << ProviderCount) - 1;
    static constexpr int32_t MinZoom = 0;
    static constexpr int32_t MaxZoom = 20;
    static constexpr int32_t TileSize = 256;
    // Largest side of a map picture in pixels.
    static constexpr int32_t MaxMapSide = 8192;
    // Web-Mercator's latitude limit: the square world ends there.
    static constexpr double MaxLatitude = 85.0511287798;
    // Environment variable that replaces the public services' scheme and host
    // (for instance "http://127.0.0.1:8080"); SetServiceBase overrides it.
    static constexpr const char* ServiceBaseVariable = "KVR_MAP_SERVICE_BASE";

    // Fixed, untranslated list text of a provider; empty past the list.
    static QString ProviderName(int32_t aProvider);

    // aMeasure: the label's measure, which ApplyScale sets (none: it does nothing).
    explicit TKVRMapping(TKVRMeasure* aMeasure = nullptr) : fMeasure(aMeasure) {}
    // The measure ApplyScale sets: a copy taken from another label keeps pointing at that one's.
    void SetMeasure(TKVRMeasure* aMeasure) { fMeasure = aMeasure; }
    // The provider answers a web-map-service GetMap request rather than tile addresses.
    static bool IsWms(int32_t aProvider);

    uint16_t GetAllowed() const { return fAllowed; }
    void SetAllowed(uint16_t aValue) { fAllowed = aValue & AllProviders; }
    TKVRMapProvider GetProvider() const { return fProvider; }
    // False, changing nothing, for a number past the list.
    bool SetProvider(int32_t aProvider);

    double GetLatitude() const { return fLatitude; }
    double GetLongitude() const { return fLongitude; }
    int32_t GetZoom() const { return fZoom; }
    // False, changing nothing, outside MinZoom..MaxZoom.
    bool SetZoom(int32_t aZoom);
    QString GetApiKey() const { return fApiKey; }
    void SetApiKey(const QString& aValue) { fApiKey = aValue; }
    bool GetShowCenter() const { return fShowCenter; }
    void SetShowCenter(bool aValue) { fShowCenter = aValue; }
    // The composed map picture (a full path), set once it is saved.
    QString GetImageFile() const { return fImageFile; }
    void SetImageFile(const QString& aValue) { fImageFile = aValue; }
    // A composition was asked for and has not been saved yet.
    bool GetPending() const { return fPending; }
    void SetPending(bool aValue) { fPending = aValue; }

    // Scheme, host and port that replace the public services' own (tests and
    // private mirrors); empty: the environment variable, else the public services.
    // Only http and https addresses with a host count.
    QString GetServiceBase() const { return fServiceBase; }
    void SetServiceBase(const QString& aValue) { fServiceBase = aValue; }
    QString EffectiveServiceBase() const;

    // A latitude or longitude as typed: blanks around, one sign, a comma or a
    // point for the decimals; false for anything else.
    static bool ParseDegrees(const QString& aText, double& aValue);
    // Lays out the tiles of a map aWidth x aHeight pixels centred on the
    // place at the current zoom. False, changing nothing, for text that does
    // not parse, a latitude beyond MaxLatitude, a longitude beyond ±180 or a
    // size outside 1..MaxMapSide; aWhy then says which.
    bool LoadMap(const QString& aLatitude, const QString& aLongitude, int32_t aWidth, int32_t aHeight,
                 QString* aWhy = nullptr);
    int32_t GetNumTiles() const { return int32_t(fTiles.size()); }
    // Tile aIndex, counted from 0; an empty tile outside the list.
    TKVRTileInfo GetTile(int32_t aIndex) const;
    const std::vector<TKVRTileInfo>& GetTiles() const { return fTiles; }
    // Metres of ground under one map pixel at the place's latitude and the zoom.
    double MetresPerPixel() const;
    // The drawing scale 1 : n at which the map, put on paper at 96 pixels an
    // inch, shows the ground at its true size; at least 1.
    int32_t MapScale() const;
    // Sets the label's drawing scale to MapScale.
    void ApplyScale();
    int32_t GetMapWidth() const { return fMapWidth; }
    int32_t GetMapHeight() const { return fMapHeight; }

    // Position of a place in world pixels at a zoom (2^zoom x 256 a side);
    // the place must lie within the latitude and longitude limits.
    static void WorldPixel(double aLatitude, double aLongitude, int32_t aZoom, double& aX, double& aY);
    // Address of tile (aX, aY) at aZoom for the current provider; aX wraps
    // round the world, a row outside the world has no address. The API key
    // goes only where KVRKeyMayGo allows.
    QString TileAddress(int32_t aX, int32_t aY, int32_t aZoom) const;

    // The stored settings: allowed providers, provider, place, zoom, show
    // centre, image file. The API key, the service base, the pending flag
    // and the tiles are the session's. Readers raise before changing anything.
    void Write(TBinaryWriter& aWriter) const;
    // Back to the defaults of the stored settings (a file that has none).
    void ClearSettings();
    void Read(TBinaryReader& aReader);
    TJsonObject WriteJson() const;
    void ReadJson(const TJsonObject& aJson);

private:
    TKVRMeasure* fMeasure = nullptr;
    uint16_t fAllowed = AllProviders;
    TKVRMapProvider fProvider = TKVRMapProvider::OpenStreetMap;
    double fLatitude = 0.0;
    double fLongitude = 0.0;
    int32_t fZoom = 15;
    QString fApiKey;
    bool fShowCenter = false;
    QString fImageFile;
    bool fPending = false;
    QString fServiceBase;
    std::vector<TKVRTileInfo> fTiles;
    int32_t fMapWidth = 0;
    int32_t fMapHeight = 0;
};
