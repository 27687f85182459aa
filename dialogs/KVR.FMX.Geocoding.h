#pragma once
// Finding a place's latitude and longitude by its name, through a
// Nominatim-style or a Google-style geocoding service: one GET each, waited
// for in a local event loop with a time-out.
#include <QPointer>
#include <QString>
#include <QUrl>
#include <cstdint>

class QNetworkReply;

struct TKVRGeocodeResult
{
    bool Found = false;
    double Latitude = 0;
    double Longitude = 0;
    // The request itself failed (network, time-out, a value missing from the
    // answer); empty when the service answered that it knows no such place.
    QString Error;
    // Abort ended the request: nothing to report.
    bool Aborted = false;
};

class TKVRGeocoder
{
public:
    static constexpr int32_t DefaultTimeout = 15000;  // ms for the whole answer
    // Largest answer read: one place's coordinates take a few hundred bytes.
    static constexpr int64_t MaxAnswerBytes = int64_t(1) << 20;
    // Environment variables that replace the public services' scheme and host
    // (for instance "http://127.0.0.1:8080") and the contact in the User-Agent.
    static constexpr const char* NominatimVariable = "KVR_GEOCODE_NOMINATIM";
    static constexpr const char* GoogleVariable = "KVR_GEOCODE_GOOGLE";
    static constexpr const char* ContactVariable = "KVR_GEOCODE_CONTACT";
    static QString DefaultNominatimBase() { return QStringLiteral("https://nominatim.openstreetmap.org"); }
    static QString DefaultGoogleBase() { return QStringLiteral("https://maps.googleapis.com"); }
    static QString DefaultContact() { return QStringLiteral("https://zorvel.example/contact"); }

    // Empty: the environment variable, else the default.
    void SetNominatimBase(const QString& aValue) { fNominatimBase = aValue; }
    void SetGoogleBase(const QString& aValue) { fGoogleBase = aValue; }
    void SetContact(const QString& aValue) { fContact = aValue; }
    int32_t GetTimeout() const { return fTimeout; }
    void SetTimeout(int32_t aValue) { fTimeout = aValue > 0 ? aValue : DefaultTimeout; }
    QString UserAgent() const;

    // The request addresses, each value percent-encoded whole. A key never
    // goes to a plain-HTTP host other than a loopback one.
    QUrl NominatimUrl(const QString& aPlace) const;
    QUrl GoogleUrl(const QString& aPlace, const QString& aKey) const;

    TKVRGeocodeResult FromNominatim(const QString& aPlace);
    TKVRGeocodeResult FromGoogle(const QString& aPlace, const QString& aKey);
    // Ends the request under way (the user cancelled); it returns Aborted.
    void Abort();

private:
    enum class TService { Nominatim, Google };
    TKVRGeocodeResult Get(const QUrl& aUrl, TService aService);

    QString fNominatimBase;
    QString fGoogleBase;
    QString fContact;
    int32_t fTimeout = DefaultTimeout;
    QPointer<QNetworkReply> fReply;
    bool fAborted = false;
};
